// CToolpathPainter: draws tool moves over a profile through the drawing view's mapping.
#pragma once

#include <vector>

#include "platform/Surface.h"
#include "toolpath/Toolpath.h"

class CViewServices;

class CToolpathPainter {
public:
    static constexpr COLORREF kRapidColor = RGB(0, 150, 0);
    static constexpr COLORREF kFeedColor = RGB(220, 0, 0);
    static constexpr COLORREF kSelectedColor = RGB(0, 90, 255);
    static constexpr COLORREF kStartColor = RGB(255, 140, 0);

    // Rapid moves dashed, feed moves solid, arcs as arcs, the moves marked selected (indices in
    // ascending order) thicker, and a ring where the tool starts. Moves wholly outside the
    // surface are skipped.
    static void Paint(CSurface& dc, const CViewServices& view, const CToolpath& path,
                      const std::vector<size_t>& selected);

private:
    static void PaintMove(CSurface& dc, const CViewServices& view, const CPathSegment& s);
};
