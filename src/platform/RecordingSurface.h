// A surface that records every call as a line of text, for tests and benchmarks.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Surface.h"

class CRecordingSurface : public CSurface {
public:
    explicit CRecordingSurface(int width = 800, int height = 600, std::string name = "window");

    int GetWidth() const override { return m_nWidth; }
    int GetHeight() const override { return m_nHeight; }
    CPen GetPen() const override { return m_pen; }
    void SetPen(const CPen& pen) override;
    CBrush GetBrush() const override { return m_brush; }
    void SetBrush(const CBrush& brush) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polygon(const std::vector<CPoint>& points) override;
    void FillPolygon(const std::vector<CPoint>& points) override;
    void FillPolygonMinusEllipses(const std::vector<CPoint>& points,
                                  const std::vector<CRect>& ellipses) override;
    void Rectangle(const CRect& box) override;
    void Ellipse(const CRect& box) override;
    void Arc(const CRect& box, CPoint start, CPoint end) override;
    void Chord(const CRect& box, CPoint start, CPoint end) override;
    void FillSolidRect(const CRect& rect, COLORREF color) override;
    void SetTextColor(COLORREF color) override;
    void SetTextAlign(int flags) override;
    void TextOut(int x, int y, const std::string& text) override;
    // Every character is 7 pixels wide, a line 13 pixels high.
    CSize GetTextExtent(const std::string& text) const override;
    std::unique_ptr<CSurface> CreateCompatible(int width, int height) const override;
    void BitBlt(int x, int y, int w, int h, const CSurface& src, int sx, int sy) override;

    const std::string& GetName() const { return m_strName; }
    const std::vector<std::string>& GetLog() const { return m_log; }
    void ClearLog() { m_log.clear(); }
    // Lines of the log that start with the given prefix.
    std::vector<std::string> Find(const std::string& prefix) const;
    // Turns logging off (benchmarks) or on.
    void SetRecording(bool on) { m_bRecording = on; }
    size_t GetCallCount() const { return m_nCalls; }

private:
    void Log(std::string line);

    int m_nWidth;
    int m_nHeight;
    std::string m_strName;
    CPen m_pen;
    CBrush m_brush;
    COLORREF m_crText = kColorBlack;
    int m_nAlign = 0;
    bool m_bRecording = true;
    size_t m_nCalls = 0;
    std::vector<std::string> m_log;
};

// Text forms used in the log, so tests can build the expected lines.
std::string FormatPen(const CPen& pen);
std::string FormatBrush(const CBrush& brush);
