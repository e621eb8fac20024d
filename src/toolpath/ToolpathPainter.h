// CToolpathPainter: draws tool moves over a profile through the drawing view's mapping.
#pragma once

#include <vector>

#include "platform/Surface.h"
#include "toolpath/Toolpath.h"

class CViewServices;

class CToolpathPainter {
public:
    static constexpr COLORREF kRapidColor = RGB(0, 150, 0);
    // Blue, so that feed moves stand out from the layers' red hatching.
    static constexpr COLORREF kFeedColor = RGB(0, 70, 230);
    static constexpr COLORREF kSelectedColor = RGB(230, 0, 200);
    static constexpr COLORREF kStartColor = RGB(255, 140, 0);

    // Rapid moves dashed, feed moves solid, arcs as arcs, the moves marked selected (indices in
    // ascending order) thicker, and a ring at the first point the program moves to. Moves wholly outside the
    // surface are skipped.
    static void Paint(CSurface& dc, const CViewServices& view, const CToolpath& path,
                      const std::vector<size_t>& selected);
    // The parts of Paint: the moves, then what goes over them (the selection and the ring),
    // which may change while the moves stay.
    static void PaintMoves(CSurface& dc, const CViewServices& view, const CToolpath& path);
    static void PaintMarks(CSurface& dc, const CViewServices& view, const CToolpath& path,
                           const std::vector<size_t>& selected);

    static constexpr COLORREF kToolColor = RGB(90, 90, 90);
    // A tool's outline (model units around its programmed point) standing at a point.
    static void PaintTool(CSurface& dc, const CViewServices& view, const std::vector<CPathPoint>& outline,
                          CPathPoint at);

private:
    static void PaintMove(CSurface& dc, const CViewServices& view, const CPathSegment& s);
};
