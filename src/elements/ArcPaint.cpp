// CArc painting: the strip of the layer profile with its circular edges, and the editing overlay.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "elements/Arc.h"
#include "elements/CircleMath.h"
#include "elements/LayerStyle.h"
#include "elements/Linear.h"
#include "elements/OverlayPainter.h"
#include "elements/StripCorners.h"
#include "elements/ViewServices.h"

namespace {
int PixelX(const CViewServices& view, double v) { return ClampPixel(Round(view.ModelToScreenXF(v))); }
int PixelY(const CViewServices& view, double v) { return ClampPixel(Round(view.ModelToScreenYF(v))); }

void Segment(CSurface& dc, int x1, int y1, CPoint to) {
    dc.MoveTo(x1, y1);
    dc.LineTo(to.x, to.y);
}

// Points per pixel column of the sampled contours; enough that the polygon stays within a
// pixel of the circle, few enough for a wide arc.
constexpr int kSampleStep = 2;
constexpr int kMaxSamples = 512;
}  // namespace

std::vector<CPoint> CArc::UpperArea(const CViewServices& view, const CStripCorners& c) const {
    const int columns = std::abs(c.ptU2.x - c.ptU1.x);
    const int n = std::clamp(columns / kSampleStep, 1, kMaxSamples);
    const double z1 = m_ptStart.x, w = static_cast<double>(m_ptEnd.x) - m_ptStart.x;
    std::vector<CPoint> upper, lower;
    for (int i = 1; i < n; ++i) {
        const double z = z1 + w * i / n;
        const double dz = z - m_dCenterX;
        const double h = std::sqrt(std::max(m_dRadius * m_dRadius - dz * dz, 0.0));
        const int x = PixelX(view, z);
        upper.emplace_back(x, PixelY(view, m_dCenterY + h));
        lower.emplace_back(x, ClampPixel(static_cast<int64_t>(PixelY(view, -(m_dCenterY + h))) - 1));
    }
    std::vector<CPoint> area{c.ptU1, c.ptL1};
    area.insert(area.end(), lower.begin(), lower.end());
    area.push_back(c.ptL2);
    area.push_back(c.ptU2);
    area.insert(area.end(), upper.rbegin(), upper.rend());
    return area;
}

CRect CArc::CircleBox(const CViewServices& view, bool mirror) const {
    const double cz = m_dCenterX, cx = m_dCenterY, r = m_dRadius;
    const int left = PixelX(view, cz - r), right = PixelX(view, cz + r);
    if (mirror) {
        return CRect(left, PixelY(view, r - cx), right, PixelY(view, -cx - r));
    }
    return CRect(left, PixelY(view, cx + r), right, PixelY(view, cx - r));
}

void CArc::DrawContour(CSurface& dc, const CViewServices& view, bool lower) const {
    const CStripCorners c = CStripCorners::Of(view, m_ptStart, m_ptEnd);
    if (IsStraight()) {
        const CPoint from = lower ? c.ptL1 : c.ptU1, to = lower ? c.ptL2 : c.ptU2;
        Segment(dc, from.x, from.y, to);
        return;
    }
    CRect box = CircleBox(view, lower);
    if (!m_bCcw) {
        box = CRect(box.left, ClampPixel(box.top - 1), box.right, ClampPixel(box.bottom - 1));
    }
    // Arcs run counter-clockwise on the screen: over the top from the right end for an upper
    // arc, under the bottom from the left end for its mirror image, the reverse for a lower arc.
    if (m_bCcw) {
        lower ? dc.Arc(box, c.ptL1, c.ptL2) : dc.Arc(box, c.ptU2, c.ptU1);
    } else {
        lower ? dc.Arc(box, c.ptL2, c.ptL1) : dc.Arc(box, c.ptU1, c.ptU2);
    }
}

CPixelRows CArc::Draw(CSurface& dc, CViewServices* view, const CLayerStyle& style, CPixelRows prev) {
    if (!view) {
        return prev;
    }
    if (IsStraight()) {
        CLinear chord(m_ptStart, m_ptEnd);
        return chord.Draw(dc, view, style, prev);
    }
    const CStripCorners c = CStripCorners::Of(*view, m_ptStart, m_ptEnd);
    const std::vector<CPoint> strip = {c.ptU1, c.ptL1, c.ptL2, c.ptU2};
    if (m_bCcw) {
        // The strip with the two segments that bulge beyond its chords, as one polygon along
        // both contours: separate chord fills would leave slivers along the chords unpainted.
        dc.FillPolygon(UpperArea(*view, c));
    } else {
        dc.FillPolygonMinusEllipses(strip, {CircleBox(*view, false), CircleBox(*view, true)});
    }
    if (!style.m_bDrawEdges && !prev.IsZero()) {
        Segment(dc, c.ptU1.x, prev.nLower, c.ptL1);
        DrawContour(dc, *view, true);
        Segment(dc, c.ptU1.x, prev.nUpper, c.ptU1);
        DrawContour(dc, *view, false);
    } else {
        DrawContour(dc, *view, true);
        Segment(dc, c.ptL1.x, c.ptL1.y, c.ptU1);
        DrawContour(dc, *view, false);
        if (!prev.IsZero() && prev.nUpper < c.ptU1.y) {
            Segment(dc, c.ptU1.x, prev.nLower, c.ptL1);
            Segment(dc, c.ptU1.x, prev.nUpper, c.ptU1);
        }
    }
    return CPixelRows{c.ptL2.y, c.ptU2.y};
}

void CArc::PaintOverlay(CSurface& dc, CViewServices& view, const CRect& client) const {
    const CStripCorners c = CStripCorners::Of(view, m_ptStart, m_ptEnd);
    COverlayMarks marks;
    marks.ptU1 = c.ptU1;
    marks.ptU2 = c.ptU2;
    marks.ptStart = m_ptStart;
    marks.ptEnd = m_ptEnd;
    const auto pixel = [&view](CPoint p) {
        return CPoint(ClampPixel(view.ModelToScreenX(p.x)), ClampPixel(view.ModelToScreenY(p.y)));
    };
    marks.handles = {c.ptU1, c.ptU2};
    if (!IsStraight()) {
        marks.handles.push_back(pixel(m_ptCenter));
    }
    marks.handles.push_back(pixel(m_ptMid));
    COverlayPainter painter(dc, view, client);
    painter.Paint(marks, [this, &c, &view](CSurface& s) {
        Segment(s, c.ptU1.x, c.ptU1.y, c.ptL1);
        DrawContour(s, view, true);
        Segment(s, c.ptL2.x, c.ptL2.y, c.ptU2);
        DrawContour(s, view, false);
    });
}

CPoint CArc::DrawSelected(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom) {
    if (view) {
        PaintOverlay(dc, *view, CRect(left, top, right, bottom));
    }
    return {};
}

CPoint CArc::DrawDragFeedback(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom,
                              Handle which) {
    if (view) {
        PaintOverlay(dc, *view, CRect(left, top, right, bottom));
    }
    return GetHandle(which);
}

int CArc::DrawMoveFeedback(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom,
                           int32_t, int32_t) {
    if (view) {
        PaintOverlay(dc, *view, CRect(left, top, right, bottom));
    }
    return 1;
}
