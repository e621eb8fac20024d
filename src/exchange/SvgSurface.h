// CSvgSurface: a drawing surface that writes its drawing as SVG vectors, text as SVG text.
#pragma once

#include <map>
#include <string>

#include "platform/Surface.h"

// Pixel coordinates as on the window: a pen of width 1 covers the pixel right of and below its
// coordinate, so strokes are drawn half a pixel in. Hatch brushes become SVG patterns anchored at
// the picture's top left corner; texts have the image surface's extents so that aligned labels
// land where the window puts them.
class CSvgSurface : public CSurface {
public:
    CSvgSurface(int width, int height, COLORREF background = kColorWhite);

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
    // Copies the elements of another SVG surface, clipped to the block.
    void BitBlt(int x, int y, int w, int h, const CSurface& src, int sx, int sy) override;

    // The whole SVG document.
    std::string GetDocument() const;
    // Writes it atomically; false with the reason in error.
    bool Save(const std::string& path, std::string& error) const;

private:
    std::string Stroke() const;
    std::string Fill(const CBrush& brush);
    std::string ArcPath(const CRect& box, CPoint start, CPoint end) const;
    void Shape(const std::string& element, bool outline, bool fill);

    int m_nWidth;
    int m_nHeight;
    CPen m_pen;
    CBrush m_brush;
    CPoint m_ptCurrent;
    COLORREF m_crText = kColorBlack;
    int m_nAlign = 0;
    int m_nClip = 0;
    std::string m_strBody;
    std::map<std::string, std::string> m_defs;  // by id
};
