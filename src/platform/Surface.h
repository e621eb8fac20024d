// The drawing surface seam: pens, brushes, lines, fills, arcs, texts and off-screen pictures.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Geometry.h"

// Pen styles (codes stored in layer attributes).
enum : int {
    kPenSolid = 0,
    kPenDash = 1,
    kPenDot = 2,
    kPenDashDot = 3,
    kPenDashDotDot = 4,
    kPenNull = 5,
};

// Hatch styles (codes stored in layer attributes).
enum : int {
    kHatchHorizontal = 0,
    kHatchVertical = 1,
    kHatchForwardDiagonal = 2,
    kHatchBackwardDiagonal = 3,
    kHatchCross = 4,
    kHatchDiagonalCross = 5,
};

// Text alignment flags; one horizontal and one vertical flag are or-ed together.
enum : int {
    kAlignLeft = 0,
    kAlignRight = 2,
    kAlignCenter = 6,
    kAlignTop = 0,
    kAlignBottom = 8,
    kAlignBaseline = 24,
};

// Stock colours.
constexpr COLORREF kColorBlack = RGB(0, 0, 0);
constexpr COLORREF kColorWhite = RGB(255, 255, 255);
constexpr COLORREF kColorRed = RGB(255, 0, 0);
constexpr COLORREF kColorBlue = RGB(0, 0, 255);
constexpr COLORREF kColorGray = RGB(128, 128, 128);
constexpr COLORREF kColorLightGray = RGB(192, 192, 192);
constexpr COLORREF kColorWindow = RGB(255, 255, 255);

struct CPen {
    int nStyle = kPenSolid;
    int nWidth = 1;
    COLORREF crColor = kColorBlack;
    bool operator==(const CPen&) const = default;
};

struct CBrush {
    enum Kind : int { Null = 0, Solid = 1, Hatch = 2 };
    int nKind = Solid;
    int nHatch = 0;
    COLORREF crColor = kColorWhite;
    bool operator==(const CBrush&) const = default;
    static CBrush MakeNull() { return CBrush{Null, 0, 0}; }
    static CBrush MakeSolid(COLORREF c) { return CBrush{Solid, 0, c}; }
    static CBrush MakeHatch(int hatch, COLORREF c) { return CBrush{Hatch, hatch, c}; }
};

// The rows nTop ... nBottom (both included) of one pixel column; empty when nTop > nBottom.
struct CColumnSpan {
    int nTop = 1;
    int nBottom = 0;
    bool IsEmpty() const { return nTop > nBottom; }
};

// A surface in pixel coordinates (y grows downward). The current pen outlines, the current
// brush fills. Callers clamp coordinates to +-32000 before they come here.
class CSurface {
public:
    virtual ~CSurface() = default;

    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;

    virtual CPen GetPen() const = 0;
    virtual void SetPen(const CPen& pen) = 0;
    virtual CBrush GetBrush() const = 0;
    virtual void SetBrush(const CBrush& brush) = 0;

    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // Fills with the brush (winding rule) and outlines with the pen.
    virtual void Polygon(const std::vector<CPoint>& points) = 0;
    // Fills with the brush only (winding rule), no outline.
    virtual void FillPolygon(const std::vector<CPoint>& points) = 0;
    // Fills the polygon minus the discs inscribed in the given boxes, brush only.
    virtual void FillPolygonMinusEllipses(const std::vector<CPoint>& points,
                                          const std::vector<CRect>& ellipses) = 0;
    virtual void Rectangle(const CRect& box) = 0;
    virtual void Ellipse(const CRect& box) = 0;
    // Elliptic arc inscribed in box, drawn counter-clockwise (as seen on the screen) from the
    // ray through start to the ray through end, with the pen.
    virtual void Arc(const CRect& box, CPoint start, CPoint end) = 0;
    // The arc closed by its chord: filled with the brush and outlined with the pen.
    virtual void Chord(const CRect& box, CPoint start, CPoint end) = 0;
    virtual void FillSolidRect(const CRect& rect, COLORREF color) = 0;
    // Fills the span of each column x, x + 1, ... with the given brush, not the current one.
    // Here as the pixel-edge outlines of adjacent columns; a surface that can write its pixels
    // directly does better.
    virtual void FillColumns(int x, const std::vector<CColumnSpan>& spans, const CBrush& brush);

    virtual void SetTextColor(COLORREF color) = 0;
    virtual void SetTextAlign(int flags) = 0;
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual CSize GetTextExtent(const std::string& text) const = 0;

    // A new off-screen picture of the given size, compatible with this surface.
    virtual std::unique_ptr<CSurface> CreateCompatible(int width, int height) const = 0;
    // Copies the block (sx, sy, w, h) of src to (x, y) of this surface.
    virtual void BitBlt(int x, int y, int w, int h, const CSurface& src, int sx, int sy) = 0;
    // A new off-screen picture, clear at first, to draw once and lay over this surface many
    // times; null where this surface cannot lay pictures over.
    virtual std::unique_ptr<CSurface> CreateClear(int /*width*/, int /*height*/) const { return nullptr; }
    // Lays a picture from CreateClear over this surface at (x, y): what was drawn on it covers,
    // the rest lets this surface show. False (nothing drawn) where the picture is not one this
    // surface can lay over.
    virtual bool DrawOver(int /*x*/, int /*y*/, const CSurface& /*picture*/) { return false; }
};

// Restores a surface's pen and brush on leaving a scope.
class CSurfaceStateSaver {
public:
    explicit CSurfaceStateSaver(CSurface& dc) : m_dc(dc), m_pen(dc.GetPen()), m_brush(dc.GetBrush()) {}
    ~CSurfaceStateSaver() {
        m_dc.SetPen(m_pen);
        m_dc.SetBrush(m_brush);
    }
    CSurfaceStateSaver(const CSurfaceStateSaver&) = delete;
    CSurfaceStateSaver& operator=(const CSurfaceStateSaver&) = delete;

private:
    CSurface& m_dc;
    CPen m_pen;
    CBrush m_brush;
};
