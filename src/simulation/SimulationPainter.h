// CSimulationPainter: the stock as a simulation left it, drawn under the toolpath.
#pragma once

#include "platform/Surface.h"
#include "simulation/SimulationResult.h"
#include "toolpath/Toolpath.h"

class CViewServices;

class CSimulationPainter {
public:
    static constexpr COLORREF kPartColor = RGB(200, 200, 205);
    static constexpr COLORREF kLeftOverColor = RGB(250, 215, 40);
    static constexpr COLORREF kGougeColor = RGB(230, 20, 20);

    // Part material grey, stock above the profile yellow, part material cut away red, and the
    // rapids that ran through material as red dashes. Polygons wholly off the surface are skipped.
    static void Paint(CSurface& dc, const CViewServices& view, const CSimulationResult& frame,
                      const CToolpath& path);

private:
    static void PaintRegion(CSurface& dc, const CViewServices& view, const CRegion& region, COLORREF color);
};
