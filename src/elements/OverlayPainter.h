// COverlayPainter: composes the editing overlay of the active element over the view's clean picture.
#pragma once

#include <functional>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Surface.h"

class CViewServices;

// What every kind's overlay shows besides its own outline.
struct COverlayMarks {
    CPoint ptU1;                   // start of the upper contour, pixels
    CPoint ptU2;                   // end of the upper contour, pixels
    CPoint ptStart;                // start point, model units (labels)
    CPoint ptEnd;                  // end point, model units (labels)
    std::vector<CPoint> handles;   // centres of the handle circles, pixels
};

// One overlay picture: the clean picture is copied onto the view's composition surface, the
// overlay is drawn there and the result is copied to the window in one block, so the window
// never shows a half-drawn overlay. Without pictures (a view that has not been sized yet) the
// overlay goes straight onto the window surface.
//
// Each feedback step recomposes the whole overlay from the clean picture: one block copy of the
// client area costs the same whatever the drawing holds, and nothing of an earlier position can
// be left behind.
class COverlayPainter {
public:
    COverlayPainter(CSurface& window, CViewServices& view, const CRect& client);
    COverlayPainter(const COverlayPainter&) = delete;
    COverlayPainter& operator=(const COverlayPainter&) = delete;

    // The whole sequence: guides, the kind's outline (drawn with the red 2-pixel pen and no
    // brush already selected), handles, labels, copy to the window.
    void Paint(const COverlayMarks& marks, const std::function<void(CSurface&)>& outline);

    // The whole overlay of a straight strip between two model points (the line and the border).
    void PaintStraight(CPoint start, CPoint end);

    // The steps of Paint, for kinds that need to interleave their own drawing.
    CSurface& Begin();
    void DrawGuides(CPoint u1, CPoint u2);
    void SelectOutlinePen();
    void DrawHandles(const std::vector<CPoint>& centres);
    void DrawLabels(CPoint u1, CPoint u2, CPoint start, CPoint end);
    void Present();

    static constexpr int kHandleRadius = 5;
    static constexpr int kDimensionRise = 15;

private:
    void Line(int64_t x1, int64_t y1, int64_t x2, int64_t y2);
    // A radial value follows the diameter read-out.
    void Label(int64_t x, int64_t y, int align, int32_t value, bool radial = false);

    CSurface& m_window;
    CViewServices& m_view;
    CRect m_rcClient;
    CSurface* m_pTarget = nullptr;
    bool m_bComposed = false;
};
