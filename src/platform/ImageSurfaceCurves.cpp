// The raster surface's ellipses, arcs, chords and polygon fills with discs cut out.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/ImageSurface.h"

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;

CRect ClampBox(const CRect& box) {
    CRect r(ClampPixel(box.left), ClampPixel(box.top), ClampPixel(box.right), ClampPixel(box.bottom));
    r.Normalize();
    return r;
}

CRect Shrink(const CRect& r, int by) { return CRect(r.left + by, r.top + by, r.right - by, r.bottom - by); }

// Angle of a pixel offset as seen on the screen (y up), in [-pi, pi].
double ScreenAngle(double dx, double dyDown) { return std::atan2(-dyDown, dx); }

double Wrap(double a) {
    double w = std::fmod(a, kTwoPi);
    return w < 0 ? w + kTwoPi : w;
}

struct CSweep {
    double dFrom = 0.0;
    double dSweep = kTwoPi;
    bool bFull = true;
    bool Contains(double angle) const { return bFull || Wrap(angle - dFrom) <= dSweep; }
};

struct CEllipseFrame {
    double cx, cy, a, b;
    explicit CEllipseFrame(const CRect& r)
        : cx((r.left + r.right) / 2.0), cy((r.top + r.bottom) / 2.0), a(r.Width() / 2.0), b(r.Height() / 2.0) {}
    // Where the ray from the centre through p meets the ellipse.
    void OnRay(CPoint p, double& x, double& y) const {
        const double dx = p.x - cx;
        const double dy = p.y - cy;
        if ((dx == 0.0 && dy == 0.0) || a <= 0.0 || b <= 0.0) {
            x = cx + a;
            y = cy;
            return;
        }
        const double t = 1.0 / std::sqrt((dx / a) * (dx / a) + (dy / b) * (dy / b));
        x = cx + t * dx;
        y = cy + t * dy;
    }
};

// Counter-clockwise on the screen from the ray through start to the ray through end; equal rays
// give the whole ellipse.
CSweep SweepOf(const CEllipseFrame& f, CPoint start, CPoint end) {
    CSweep s;
    s.dFrom = ScreenAngle(start.x - f.cx, start.y - f.cy);
    const double to = ScreenAngle(end.x - f.cx, end.y - f.cy);
    s.dSweep = Wrap(to - s.dFrom);
    s.bFull = s.dSweep < 1e-12;
    return s;
}
}  // namespace

CImageSurface::CSpan CImageSurface::EllipseSpan(const CRect& box, int y) {
    const double a = box.Width() / 2.0;
    const double b = box.Height() / 2.0;
    if (a <= 0.0 || b <= 0.0) {
        return {0, 0};
    }
    const double cx = (box.left + box.right) / 2.0;
    const double dy = (y + 0.5 - (box.top + box.bottom) / 2.0) / b;
    if (std::fabs(dy) >= 1.0) {
        return {0, 0};
    }
    const double half = a * std::sqrt(1.0 - dy * dy);
    const int x0 = static_cast<int>(std::ceil(cx - half - 0.5));
    const int x1 = static_cast<int>(std::floor(cx + half - 0.5)) + 1;
    return x0 < x1 ? CSpan{x0, x1} : CSpan{0, 0};
}

// The pen's ring: the pixels of the ellipse in box that are not inside the ellipse shrunk by
// the pen width, limited to the sweep.
void CImageSurface::RingRows(const CRect& box, double fromAngle, double sweep, bool full) {
    if (m_pen.nStyle == kPenNull) {
        return;
    }
    const CRect inner = Shrink(box, std::max(m_pen.nWidth, 1));
    const CEllipseFrame f(box);
    const CSweep s{fromAngle, sweep, full};
    for (int y = std::max(box.top, 0); y < std::min(box.bottom, m_nHeight); ++y) {
        const CSpan outer = EllipseSpan(box, y);
        const CSpan hole = EllipseSpan(inner, y);
        const CSpan parts[2] = {{outer.x0, hole.x0 < hole.x1 ? hole.x0 : outer.x1},
                                {hole.x0 < hole.x1 ? hole.x1 : outer.x1, outer.x1}};
        for (const CSpan& part : parts) {
            if (full) {
                PenSpan(y, part.x0, part.x1);
                continue;
            }
            for (int x = std::max(part.x0, 0); x < std::min(part.x1, m_nWidth); ++x) {
                if (s.Contains(ScreenAngle(x + 0.5 - f.cx, y + 0.5 - f.cy))) {
                    SetPixel(x, y, m_pen.crColor);
                }
            }
        }
    }
}

void CImageSurface::Ellipse(const CRect& box) {
    const CRect r = ClampBox(box);
    const CRect inside = m_pen.nStyle == kPenNull ? r : Shrink(r, std::max(m_pen.nWidth, 1));
    if (m_brush.nKind != CBrush::Null) {
        for (int y = std::max(inside.top, 0); y < std::min(inside.bottom, m_nHeight); ++y) {
            const CSpan s = EllipseSpan(inside, y);
            BrushSpan(y, s.x0, s.x1);
        }
    }
    RingRows(r, 0.0, kTwoPi, true);
}

void CImageSurface::Arc(const CRect& box, CPoint start, CPoint end) {
    const CRect r = ClampBox(box);
    const CEllipseFrame f(r);
    const CSweep s = SweepOf(f, CPoint(ClampPixel(start.x), ClampPixel(start.y)),
                             CPoint(ClampPixel(end.x), ClampPixel(end.y)));
    RingRows(r, s.dFrom, s.dSweep, s.bFull);
}

// The part of the ellipse on the arc's side of the chord from the start ray to the end ray.
void CImageSurface::ChordFill(const CRect& box, CPoint start, CPoint end) {
    if (m_brush.nKind == CBrush::Null) {
        return;
    }
    const CEllipseFrame f(box);
    const CSweep s = SweepOf(f, start, end);
    double sx = 0, sy = 0, ex = 0, ey = 0;
    f.OnRay(start, sx, sy);
    f.OnRay(end, ex, ey);
    const CRect inside = m_pen.nStyle == kPenNull ? box : Shrink(box, std::max(m_pen.nWidth, 1));
    const CBrush keep = m_brush;
    for (int y = std::max(inside.top, 0); y < std::min(inside.bottom, m_nHeight); ++y) {
        const CSpan span = EllipseSpan(inside, y);
        int runStart = -1;
        for (int x = std::max(span.x0, 0); x <= std::min(span.x1, m_nWidth); ++x) {
            // Screen y grows downward, so the arc side of the chord has a non-negative cross product.
            const bool in = x < std::min(span.x1, m_nWidth) &&
                            (s.bFull || (ex - sx) * (y + 0.5 - sy) - (ey - sy) * (x + 0.5 - sx) >= 0.0);
            if (in && runStart < 0) {
                runStart = x;
            } else if (!in && runStart >= 0) {
                BrushSpan(y, runStart, x);
                runStart = -1;
            }
        }
    }
    m_brush = keep;
}

void CImageSurface::Chord(const CRect& box, CPoint start, CPoint end) {
    const CRect r = ClampBox(box);
    const CPoint s(ClampPixel(start.x), ClampPixel(start.y));
    const CPoint e(ClampPixel(end.x), ClampPixel(end.y));
    ChordFill(r, s, e);
    const CEllipseFrame f(r);
    const CSweep sweep = SweepOf(f, s, e);
    RingRows(r, sweep.dFrom, sweep.dSweep, sweep.bFull);
    if (sweep.bFull) {
        return;
    }
    double sx = 0, sy = 0, ex = 0, ey = 0;
    f.OnRay(s, sx, sy);
    f.OnRay(e, ex, ey);
    const CPoint pos = m_ptPos;
    MoveTo(static_cast<int>(std::floor(ex)), static_cast<int>(std::floor(ey)));
    LineTo(static_cast<int>(std::floor(sx)), static_cast<int>(std::floor(sy)));
    m_ptPos = pos;
}
