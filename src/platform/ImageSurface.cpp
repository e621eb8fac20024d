// The raster surface: pixel spans, pens, brushes, polygons, text, block copies and PNG output.
#include "platform/ImageSurface.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/Archive.h"
#include "platform/BitmapFont.h"
#include "platform/PngWriter.h"

namespace {
// Hatch lines on an 8 x 8 tile: bit x of row y is set where the line runs.
constexpr uint8_t kHatchRows[6][8] = {
    {0xFF, 0, 0, 0, 0, 0, 0, 0},                                   // horizontal
    {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01},              // vertical
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},              // forward diagonal, down to the right
    {0x01, 0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02},              // backward diagonal, up to the right
    {0xFF, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01},              // cross
    {0x01, 0x82, 0x44, 0x28, 0x10, 0x28, 0x44, 0x82},              // diagonal cross
};

// On/off runs of the dashed pen styles, in pixels along the line's major axis.
struct CDashPattern {
    int runs[6];
    int count;
};
constexpr CDashPattern kDashes[] = {
    {{18, 6}, 2},                 // dash
    {{3, 3}, 2},                  // dot
    {{9, 6, 3, 6}, 4},            // dash dot
    {{9, 3, 3, 3, 3, 3}, 6},      // dash dot dot
};

bool DashOn(int style, int64_t phase) {
    const CDashPattern& p = kDashes[style - kPenDash];
    int total = 0;
    for (int i = 0; i < p.count; ++i) {
        total += p.runs[i];
    }
    int pos = static_cast<int>(phase % total);
    for (int i = 0; i < p.count; ++i) {
        if (pos < p.runs[i]) {
            return i % 2 == 0;
        }
        pos -= p.runs[i];
    }
    return true;
}

int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// ceil(v - 0.5) for the coordinates a surface holds: the first pixel whose centre is at or
// right of v. (The library ceil is a call on plain x86-64.)
int FirstCentreAtOrAfter(double v) {
    const double w = v - 0.5;
    const int i = static_cast<int>(w);
    return i < w ? i + 1 : i;
}

CPoint ClampPoint(CPoint p) { return CPoint(ClampPixel(p.x), ClampPixel(p.y)); }

int Dimension(int v) { return std::clamp(v, 0, kPixelLimit); }
}  // namespace

CImageSurface::CImageSurface(int width, int height, COLORREF background)
    : m_nWidth(Dimension(width)),
      m_nHeight(Dimension(height)),
      m_pixels(static_cast<size_t>(m_nWidth) * static_cast<size_t>(m_nHeight), background) {}

COLORREF CImageSurface::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) {
        return 0xFFFFFFFFu;
    }
    return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_nWidth) + static_cast<size_t>(x)];
}

void CImageSurface::SetPixel(int x, int y, COLORREF color) {
    if (x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight) {
        m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_nWidth) + static_cast<size_t>(x)] = color;
    }
}

void CImageSurface::Clear(COLORREF color) { std::fill(m_pixels.begin(), m_pixels.end(), color); }

void CImageSurface::FillSpan(int y, int x0, int x1, COLORREF color) {
    if (y < 0 || y >= m_nHeight) {
        return;
    }
    x0 = std::max(x0, 0);
    x1 = std::min(x1, m_nWidth);
    if (x0 >= x1) {
        return;
    }
    COLORREF* row = m_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(m_nWidth);
    std::fill(row + x0, row + x1, color);
}

void CImageSurface::BrushSpan(int y, int x0, int x1) {
    if (m_brush.nKind == CBrush::Solid) {
        FillSpan(y, x0, x1, m_brush.crColor);
        return;
    }
    if (m_brush.nKind != CBrush::Hatch || y < 0 || y >= m_nHeight) {
        return;
    }
    const int hatch = m_brush.nHatch >= 0 && m_brush.nHatch < 6 ? m_brush.nHatch : 0;
    const unsigned mask = kHatchRows[hatch][y & 7];
    x0 = std::max(x0, 0);
    x1 = std::min(x1, m_nWidth);
    COLORREF* row = m_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(m_nWidth);
    for (int x = x0; x < x1; ++x) {
        if (mask & (1u << (x & 7))) {
            row[x] = m_brush.crColor;
        }
    }
}

void CImageSurface::PenSpan(int y, int x0, int x1) {
    if (m_pen.nStyle != kPenNull) {
        FillSpan(y, x0, x1, m_pen.crColor);
    }
}

void CImageSurface::MoveTo(int x, int y) {
    m_ptPos = ClampPoint(CPoint(x, y));
    m_nDashPhase = 0;
}

void CImageSurface::LineTo(int x, int y) { StrokeTo(ClampPoint(CPoint(x, y))); }

void CImageSurface::PlotPen(int x, int y, bool xMajor) {
    const int w = std::max(m_pen.nWidth, 1);
    if (w == 1) {
        SetPixel(x, y, m_pen.crColor);
        return;
    }
    const int o = w / 2;
    if (xMajor) {
        for (int yy = y - o; yy < y - o + w; ++yy) {
            SetPixel(x, yy, m_pen.crColor);
        }
    } else {
        FillSpan(y, x - o, x - o + w, m_pen.crColor);
    }
}

// Steps along the major axis; the minor coordinate of step i is rounded from the exact line, so
// clipping the steps to the picture never bends the path.
void CImageSurface::StrokeTo(CPoint to) {
    const CPoint from = m_ptPos;
    m_ptPos = to;
    if (m_pen.nStyle == kPenNull) {
        return;
    }
    const int64_t dx = static_cast<int64_t>(to.x) - from.x;
    const int64_t dy = static_cast<int64_t>(to.y) - from.y;
    const int64_t n = std::max(std::llabs(dx), std::llabs(dy));
    if (n == 0) {
        return;
    }
    const int w = std::max(m_pen.nWidth, 1);
    // Wide pens are always solid, as on a window surface.
    const bool dashed = w == 1 && m_pen.nStyle >= kPenDash && m_pen.nStyle <= kPenDashDotDot;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t major0 = xMajor ? from.x : from.y;
    const int64_t minor0 = xMajor ? from.y : from.x;
    const int64_t majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int64_t minorDelta = xMajor ? dy : dx;
    const int64_t limit = xMajor ? m_nWidth : m_nHeight;
    // Steps whose major coordinate lies within [-w, limit + w).
    int64_t lo = 0;
    int64_t hi = n;
    if (majorStep > 0) {
        lo = std::max<int64_t>(lo, -w - major0);
        hi = std::min<int64_t>(hi, limit + w - major0);
    } else {
        lo = std::max<int64_t>(lo, major0 - (limit + w) + 1);
        hi = std::min<int64_t>(hi, major0 + w + 1);
    }
    if (lo >= hi) {
        m_nDashPhase = static_cast<int>((m_nDashPhase + n) % 24);
        return;
    }
    // minor(i) = minor0 + floor((2 i delta + n) / 2n), kept as quotient and remainder so each
    // step costs an addition instead of a division.
    const int64_t den = 2 * n;
    const int64_t add = 2 * minorDelta;
    int64_t q = FloorDiv(2 * lo * minorDelta + n, den);
    int64_t r = 2 * lo * minorDelta + n - q * den;
    for (int64_t i = lo; i < hi; ++i) {
        if (!dashed || DashOn(m_pen.nStyle, m_nDashPhase + i)) {
            const int major = static_cast<int>(major0 + majorStep * i);
            const int minor = static_cast<int>(minor0 + q);
            if (xMajor) {
                PlotPen(major, minor, true);
            } else {
                PlotPen(minor, major, false);
            }
        }
        r += add;
        if (r >= den) {
            r -= den;
            ++q;
        } else if (r < 0) {
            r += den;
            --q;
        }
    }
    m_nDashPhase = static_cast<int>((m_nDashPhase + n) % 24);  // every dash pattern repeats after 24 pixels
}

void CImageSurface::BuildEdges(const std::vector<CPoint>& points) {
    m_edges.clear();
    const size_t count = points.size();
    for (size_t i = 0; i < count; ++i) {
        const CPoint p = ClampPoint(points[i]);
        const CPoint q = ClampPoint(points[(i + 1) % count]);
        if (p.y == q.y) {
            continue;
        }
        const CPoint& a = p.y < q.y ? p : q;
        const CPoint& b = p.y < q.y ? q : p;
        CEdge e;
        e.nRow0 = std::max(a.y, 0);
        e.nRow1 = std::min(b.y, m_nHeight);
        if (e.nRow0 >= e.nRow1) {
            continue;
        }
        e.dSlope = static_cast<double>(b.x - a.x) / static_cast<double>(b.y - a.y);
        e.dX = a.x;
        e.dY = a.y;
        e.nDir = q.y > p.y ? 1 : -1;
        m_edges.push_back(e);
    }
}

// The spans of one row by the winding rule, into m_spans.
void CImageSurface::ScanRow(int y) {
    m_crossings.clear();
    for (const CEdge& e : m_edges) {
        if (y >= e.nRow0 && y < e.nRow1) {
            m_crossings.push_back({e.XAt(y), e.nDir});
        }
    }
    // Few edges cross a row: insertion sort beats a general sort here.
    for (size_t k = 1; k < m_crossings.size(); ++k) {
        const CCrossing c = m_crossings[k];
        size_t j = k;
        for (; j > 0 && m_crossings[j - 1].dX > c.dX; --j) {
            m_crossings[j] = m_crossings[j - 1];
        }
        m_crossings[j] = c;
    }
    m_spans.clear();
    int winding = 0;
    double start = 0.0;
    for (const CCrossing& c : m_crossings) {
        const int before = winding;
        winding += c.nDir;
        if (before == 0 && winding != 0) {
            start = c.dX;
        } else if (before != 0 && winding == 0) {
            const int x0 = FirstCentreAtOrAfter(start);
            const int x1 = FirstCentreAtOrAfter(c.dX);
            if (x0 < x1) {
                m_spans.push_back({x0, x1});
            }
        }
    }
}

// Rows are taken in bands between edge ends. Where only two edges are active (every band of a
// convex shape, such as a profile strip) each row is one span between them and needs no sorting.
template <typename Emit>
void CImageSurface::ScanPolygon(const std::vector<CPoint>& points, const Emit& emit) {
    BuildEdges(points);
    int y = m_nHeight;
    for (const CEdge& e : m_edges) {
        y = std::min(y, e.nRow0);
    }
    while (y < m_nHeight) {
        int bandEnd = m_nHeight;
        const CEdge* active[2] = {nullptr, nullptr};
        int activeCount = 0;
        for (const CEdge& e : m_edges) {
            if (e.nRow0 > y) {
                bandEnd = std::min(bandEnd, e.nRow0);
            } else if (e.nRow1 > y) {
                bandEnd = std::min(bandEnd, e.nRow1);
                if (activeCount < 2) {
                    active[activeCount] = &e;
                }
                ++activeCount;
            }
        }
        if (activeCount == 0 && bandEnd == m_nHeight) {
            break;
        }
        for (; y < bandEnd; ++y) {
            if (activeCount == 2) {
                int x0 = FirstCentreAtOrAfter(active[0]->XAt(y));
                int x1 = FirstCentreAtOrAfter(active[1]->XAt(y));
                if (x1 < x0) {
                    std::swap(x0, x1);
                }
                if (x0 < x1) {
                    const CSpan span{x0, x1};
                    emit(y, &span, 1);
                }
            } else if (activeCount > 2) {
                ScanRow(y);
                if (!m_spans.empty()) {
                    emit(y, m_spans.data(), m_spans.size());
                }
            }
        }
    }
}

void CImageSurface::FillPolygon(const std::vector<CPoint>& points) {
    if (points.size() < 3 || m_brush.nKind == CBrush::Null) {
        return;
    }
    ScanPolygon(points, [this](int y, const CSpan* spans, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            BrushSpan(y, spans[i].x0, spans[i].x1);
        }
    });
}

void CImageSurface::FillPolygonMinusEllipses(const std::vector<CPoint>& points,
                                             const std::vector<CRect>& ellipses) {
    if (points.size() < 3 || m_brush.nKind == CBrush::Null) {
        return;
    }
    std::vector<CRect> boxes;
    boxes.reserve(ellipses.size());
    for (const CRect& e : ellipses) {
        CRect r(ClampPixel(e.left), ClampPixel(e.top), ClampPixel(e.right), ClampPixel(e.bottom));
        r.Normalize();
        boxes.push_back(r);
    }
    std::vector<CSpan> holes;
    ScanPolygon(points, [&](int y, const CSpan* spans, size_t count) {
        holes.clear();
        for (const CRect& b : boxes) {
            const CSpan h = EllipseSpan(b, y);
            if (h.x0 < h.x1) {
                holes.push_back(h);
            }
        }
        std::sort(holes.begin(), holes.end(), [](const CSpan& l, const CSpan& r) { return l.x0 < r.x0; });
        for (size_t i = 0; i < count; ++i) {
            const CSpan& s = spans[i];
            int x = s.x0;
            for (const CSpan& h : holes) {
                if (h.x1 <= x || h.x0 >= s.x1) {
                    continue;
                }
                BrushSpan(y, x, std::min(h.x0, s.x1));
                x = std::max(x, h.x1);
            }
            BrushSpan(y, x, s.x1);
        }
    });
}

void CImageSurface::Polygon(const std::vector<CPoint>& points) {
    if (points.empty()) {
        return;
    }
    FillPolygon(points);
    const CPoint pos = m_ptPos;
    MoveTo(points.front().x, points.front().y);
    for (size_t i = 1; i < points.size(); ++i) {
        LineTo(points[i].x, points[i].y);
    }
    LineTo(points.front().x, points.front().y);
    m_ptPos = pos;
}

void CImageSurface::Rectangle(const CRect& box) {
    CRect r(ClampPixel(box.left), ClampPixel(box.top), ClampPixel(box.right), ClampPixel(box.bottom));
    r.Normalize();
    const int w = m_pen.nStyle == kPenNull ? 0 : std::max(m_pen.nWidth, 1);
    for (int y = std::max(r.top, 0); y < std::min(r.bottom, m_nHeight); ++y) {
        const bool edgeRow = y < r.top + w || y >= r.bottom - w;
        if (edgeRow) {
            PenSpan(y, r.left, r.right);
        } else {
            BrushSpan(y, r.left + w, r.right - w);
            PenSpan(y, r.left, std::min(r.left + w, r.right));
            PenSpan(y, std::max(r.right - w, r.left), r.right);
        }
    }
}

void CImageSurface::FillSolidRect(const CRect& rect, COLORREF color) {
    CRect r(ClampPixel(rect.left), ClampPixel(rect.top), ClampPixel(rect.right), ClampPixel(rect.bottom));
    r.Normalize();
    for (int y = std::max(r.top, 0); y < std::min(r.bottom, m_nHeight); ++y) {
        FillSpan(y, r.left, r.right, color);
    }
}

CSize CImageSurface::GetTextExtent(const std::string& text) const {
    return CSize{static_cast<int32_t>(text.size()) * kFontCellWidth, kFontCellHeight};
}

void CImageSurface::TextOut(int x, int y, const std::string& text) {
    const CSize extent = GetTextExtent(text);
    int64_t left = ClampPixel(x);
    int64_t top = ClampPixel(y);
    const int horizontal = m_nAlign & kAlignCenter;
    if (horizontal == kAlignCenter) {
        left -= extent.cx / 2;
    } else if (horizontal == kAlignRight) {
        left -= extent.cx;
    }
    const int vertical = m_nAlign & kAlignBaseline;
    if (vertical == kAlignBaseline) {
        top -= kFontAscent;
    } else if (vertical == kAlignBottom) {
        top -= extent.cy;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const int64_t cellX = left + static_cast<int64_t>(i) * kFontCellWidth;
        if (cellX >= m_nWidth) {
            break;
        }
        if (cellX + kFontCellWidth <= 0) {
            continue;
        }
        const uint8_t* columns = GlyphColumns(static_cast<unsigned char>(text[i]));
        for (int c = 0; c < kGlyphColumns; ++c) {
            for (int r = 0; r < kGlyphRows; ++r) {
                if (columns[c] & (1u << r)) {
                    SetPixel(static_cast<int>(cellX + c), static_cast<int>(top + 1 + r), m_crText);
                }
            }
        }
    }
}

std::unique_ptr<CSurface> CImageSurface::CreateCompatible(int width, int height) const {
    return std::make_unique<CImageSurface>(width, height);
}

void CImageSurface::BitBlt(int x, int y, int w, int h, const CSurface& src, int sx, int sy) {
    const auto* image = dynamic_cast<const CImageSurface*>(&src);
    if (!image) {
        return;
    }
    int64_t dx = ClampPixel(x), dy = ClampPixel(y), fx = ClampPixel(sx), fy = ClampPixel(sy);
    int64_t cw = ClampPixel(w), ch = ClampPixel(h);
    // Cut the block to what lies inside both pictures.
    const int64_t shiftX = std::max<int64_t>({0, -dx, -fx});
    const int64_t shiftY = std::max<int64_t>({0, -dy, -fy});
    dx += shiftX, fx += shiftX, cw -= shiftX;
    dy += shiftY, fy += shiftY, ch -= shiftY;
    cw = std::min<int64_t>({cw, m_nWidth - dx, image->m_nWidth - fx});
    ch = std::min<int64_t>({ch, m_nHeight - dy, image->m_nHeight - fy});
    if (cw <= 0 || ch <= 0) {
        return;
    }
    // Within one picture a downward copy must run from the bottom row up.
    const bool upward = image == this && dy > fy;
    for (int64_t i = 0; i < ch; ++i) {
        const int64_t r = upward ? ch - 1 - i : i;
        const COLORREF* from = image->m_pixels.data() + (fy + r) * image->m_nWidth + fx;
        COLORREF* to = m_pixels.data() + (dy + r) * m_nWidth + dx;
        std::memmove(to, from, static_cast<size_t>(cw) * sizeof(COLORREF));
    }
}

bool CImageSurface::SavePng(const std::string& path, std::string& error) const {
    std::vector<uint8_t> rgb;
    rgb.reserve(m_pixels.size() * 3);
    for (COLORREF c : m_pixels) {
        rgb.push_back(static_cast<uint8_t>(GetRValue(c)));
        rgb.push_back(static_cast<uint8_t>(GetGValue(c)));
        rgb.push_back(static_cast<uint8_t>(GetBValue(c)));
    }
    return WriteFileAtomic(path, EncodePng(m_nWidth, m_nHeight, rgb), error);
}
