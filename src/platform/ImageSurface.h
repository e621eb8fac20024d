// CImageSurface: a 32-bit raster picture that implements every drawing operation of the surface seam.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Surface.h"

// Pixels are held as colour dwords (red in the low byte). Filled shapes cover the pixels whose
// centres lie inside them; right and bottom box edges are exclusive, and a line leaves out its
// last pixel, as a window surface does. Hatch brushes draw only their lines (the background
// shows through) and are anchored at the picture's top left corner. Every coordinate is clamped
// to +-32000 on entry, and everything outside the picture is clipped.
class CImageSurface : public CSurface {
public:
    CImageSurface(int width, int height, COLORREF background = kColorWhite);

    int GetWidth() const override { return m_nWidth; }
    int GetHeight() const override { return m_nHeight; }
    CPen GetPen() const override { return m_pen; }
    void SetPen(const CPen& pen) override { m_pen = pen; }
    CBrush GetBrush() const override { return m_brush; }
    void SetBrush(const CBrush& brush) override { m_brush = brush; }

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

    void SetTextColor(COLORREF color) override { m_crText = color; }
    void SetTextAlign(int flags) override { m_nAlign = flags; }
    void TextOut(int x, int y, const std::string& text) override;
    CSize GetTextExtent(const std::string& text) const override;

    std::unique_ptr<CSurface> CreateCompatible(int width, int height) const override;
    // Copies from another image surface (overlapping copies within one picture included);
    // other kinds of surface hold no pixels to copy.
    void BitBlt(int x, int y, int w, int h, const CSurface& src, int sx, int sy) override;

    COLORREF GetPixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);
    void Clear(COLORREF color);
    const std::vector<COLORREF>& GetPixels() const { return m_pixels; }
    // Writes the picture as an 8-bit RGB PNG file (atomically); false with error on failure.
    bool SavePng(const std::string& path, std::string& error) const;

private:
    // A run of pixels [x0, x1) on one row.
    struct CSpan {
        int x0;
        int x1;
    };

    void FillSpan(int y, int x0, int x1, COLORREF color);
    void BrushSpan(int y, int x0, int x1);
    void PenSpan(int y, int x0, int x1);
    void StrokeTo(CPoint to);
    void PlotPen(int x, int y, bool xMajor);
    // Spans of the polygon's interior (winding rule) on every row, handed to emit(y, spans, count).
    void BuildEdges(const std::vector<CPoint>& points);
    void ScanRow(int y);
    template <typename Emit>
    void ScanPolygon(const std::vector<CPoint>& points, const Emit& emit);
    // Span of the ellipse inscribed in box on row y; empty when the row misses it.
    static CSpan EllipseSpan(const CRect& box, int y);
    void RingRows(const CRect& box, double fromAngle, double sweep, bool full);
    void ChordFill(const CRect& box, CPoint start, CPoint end);

    struct CEdge {
        int nRow0;  // first row whose pixel centres the edge crosses
        int nRow1;  // one past the last
        double dX;  // x where the edge crosses the centre of row 0 (unclipped)
        double dY;
        double dSlope;
        int nDir;   // +1 downward, -1 upward (winding)
        double XAt(int row) const { return dX + (row + 0.5 - dY) * dSlope; }
    };
    struct CCrossing {
        double dX;
        int nDir;
    };

    int m_nWidth;
    int m_nHeight;
    std::vector<COLORREF> m_pixels;
    CPen m_pen;
    CBrush m_brush;
    CPoint m_ptPos;
    int m_nDashPhase = 0;
    COLORREF m_crText = kColorBlack;
    int m_nAlign = 0;
    // Scratch buffers of the scan conversion, kept to avoid allocating per shape.
    std::vector<CEdge> m_edges;
    std::vector<CCrossing> m_crossings;
    std::vector<CSpan> m_spans;
};
