// Mapping the library's tools (nose radius, tip orientation, edge angles) onto cutting outlines.
#include "simulation/LibraryToolOutline.h"

#include <algorithm>

#include "tools/Tool.h"
#include "tools/ToolLibrary.h"

CToolOutline CLibraryToolOutline::Of(const CTool& tool) {
    const double r = std::max(tool.dNoseRadius, 0.0);
    const bool round = tool.cShape == 'R' || tool.cShape == 'r';
    // The library gives the edge angles from +Z, pointing from the nose into the insert's body,
    // which lies opposite the imaginary tip (orientation 2: 87 and 32 deg), as the outline does.
    CToolOutline outline =
        CToolOutline::Insert(r, tool.dFrontAngle, tool.dBackAngle, round ? 0.0 : kEdgeLengthMm);
    // The tip lies at r * direction from the nose centre, so the centre lies the other way.
    const CTipDirection tip = CTool::TipDirection(tool.nOrientation);
    outline.dCentreZMm = -r * tip.dZ;
    outline.dCentreXMm = -r * tip.dX;
    return outline;
}

std::map<int, CToolOutline> CLibraryToolOutline::All(const CToolLibrary& library) {
    std::map<int, CToolOutline> outlines;
    for (const CTool& tool : library.GetTools()) {
        outlines[tool.nNumber] = Of(tool);
    }
    return outlines;
}
