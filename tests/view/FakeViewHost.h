// A window for view tests: records what the view asks of it and queues its notifications.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/RecordingSurface.h"
#include "platform/ViewHost.h"

class CKestrovelView;

class CFakeViewHost : public CViewHost {
public:
    explicit CFakeViewHost(int width = 1200, int height = 600) : m_window(width, height) {}

    void Invalidate(bool erase) override {
        ++m_nInvalidates;
        m_calls.push_back(erase ? "Invalidate erase" : "Invalidate");
    }
    void InvalidateRect(const CRect&, bool) override { ++m_nInvalidates; }
    void SetScrollRange(int bar, int min, int max) override { m_ranges[bar] = {min, max}; }
    void SetScrollPos(int bar, int pos) override { m_pos[bar] = pos; }
    void ScrollWindow(int dx, int dy) override { m_scrolls.push_back({dx, dy}); }
    void SetCursor(int cursor) override { m_nCursor = cursor; }
    CPoint GetCursorPos() const override { return m_ptCursor; }
    void SetCursorPos(CPoint client) override {
        m_ptCursor = client;
        ++m_nCursorMoves;
    }
    void SetStatusText(int pane, const std::string& text) override { m_status[pane] = text; }
    void PostNotification(int code) override { m_posted.push_back(code); }
    CSurface* GetWindowSurface() override { return &m_window; }

    // Delivers the queued notifications, as the window's message loop would.
    void Pump(CKestrovelView& view);

    CRecordingSurface m_window;
    int m_nInvalidates = 0;
    std::vector<std::string> m_calls;
    std::map<int, std::pair<int, int>> m_ranges;
    std::map<int, int> m_pos;
    std::vector<std::pair<int, int>> m_scrolls;
    int m_nCursor = kCursorArrow;
    CPoint m_ptCursor;
    int m_nCursorMoves = 0;
    std::map<int, std::string> m_status;
    std::deque<int> m_posted;
};
