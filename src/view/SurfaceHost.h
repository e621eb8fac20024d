// CSurfaceHost: a window that exists only as a surface, for pictures and benchmarks of the view.
#pragma once

#include <deque>

#include "platform/ViewHost.h"
#include "view/KestrovelView.h"

// It never scrolls or shows cursors; notifications wait for the next pump.
class CSurfaceHost : public CViewHost {
public:
    explicit CSurfaceHost(CSurface& surface) : m_surface(surface) {}
    void Invalidate(bool) override {}
    void InvalidateRect(const CRect&, bool) override {}
    void SetScrollRange(int, int, int) override {}
    void SetScrollPos(int, int) override {}
    void ScrollWindow(int, int) override {}
    void SetCursor(int) override {}
    CPoint GetCursorPos() const override { return {}; }
    void SetCursorPos(CPoint) override {}
    void SetStatusText(int, const std::string&) override {}
    void PostNotification(int code) override { m_posted.push_back(code); }
    CSurface* GetWindowSurface() override { return &m_surface; }

    // Delivers what was posted; a notification that keeps posting more stops after 100 rounds.
    void Pump(CKestrovelView& view) {
        for (int guard = 0; guard < 100 && !m_posted.empty(); ++guard) {
            const int code = m_posted.front();
            m_posted.pop_front();
            view.OnNotification(code);
        }
    }

private:
    CSurface& m_surface;
    std::deque<int> m_posted;
};
