// Mapping the library's tools (inserts, blades, thread inserts, drills) onto cutting outlines.
#include "simulation/LibraryToolOutline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/Tool.h"
#include "tools/ToolLibrary.h"

namespace {

constexpr double kUnits = 10000.0;  // model units in a millimetre

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// Points on a quarter circle (model units) within half a micrometre, from angle a0 on.
void Quarter(std::vector<CPathPoint>& points, CPathPoint centre, double r, double a0) {
    if (r <= 0.0) {
        points.push_back(centre);
        return;
    }
    const int steps = CToolOutline::QuarterSteps(r);
    for (int k = 0; k <= steps; ++k) {
        const double a = a0 + std::numbers::pi / 2.0 * k / steps;
        points.push_back({centre.dZ + r * std::cos(a), centre.dX + r * std::sin(a)});
    }
}

// A rectangle of the blade's width and kBladeLengthMm with rounded corners; the corner the
// orientation names lies at the programmed point (the middle of a side or of the blade for 5-9).
CToolOutline Blade(const CTool& tool) {
    const double w = tool.dWidth * kUnits;
    const double h = CLibraryToolOutline::kBladeLengthMm * kUnits;
    const double r = std::clamp(tool.dNoseRadius * kUnits, 0.0, w / 2.0);
    const CTipDirection tip = CTool::TipDirection(tool.nOrientation);
    const double z0 = tip.dZ < 0 ? 0.0 : tip.dZ > 0 ? -w : -w / 2.0;
    const double x0 = tip.dX < 0 ? 0.0 : tip.dX > 0 ? -h : -h / 2.0;
    const double z1 = z0 + w;
    const double x1 = x0 + h;
    std::vector<CPathPoint> points;
    Quarter(points, {z1 - r, x0 + r}, r, -std::numbers::pi / 2.0);
    Quarter(points, {z1 - r, x1 - r}, r, 0.0);
    Quarter(points, {z0 + r, x1 - r}, r, std::numbers::pi / 2.0);
    Quarter(points, {z0 + r, x0 + r}, r, std::numbers::pi);
    return CToolOutline::Shape(std::move(points));
}

// A V of the included angle pointing the orientation's way (toward the axis for 9), its tip
// rounded by the radius; the lowest point of the rounding is the programmed point.
CToolOutline ThreadInsert(const CTool& tool) {
    const CTipDirection tip = CTool::TipDirection(tool.nOrientation);
    double az = tip.dZ;
    double ax = tip.dX;
    if (az == 0.0 && ax == 0.0) {
        ax = -1.0;
    }
    const double length = std::hypot(az, ax);
    az /= length;
    ax /= length;
    const double r = std::max(tool.dNoseRadius, 0.0);
    const double body = std::atan2(-ax, -az) * 180.0 / std::numbers::pi;
    const double half = tool.dIncludedAngle / 2.0;
    CToolOutline outline =
        CToolOutline::Insert(r, body + half, body - half, CLibraryToolOutline::kThreadFlankMm);
    outline.dCentreZMm = -r * az;
    outline.dCentreXMm = -r * ax;
    return outline;
}

// The drill's section: from its tip on the axis out to its radius along the point's cone, then
// the body; cutting toward -Z unless the orientation's tip lies toward +Z.
CToolOutline Drill(const CTool& tool) {
    const double radius = tool.dDiameter / 2.0 * kUnits;
    const double cone = radius / std::tan(Radians(tool.dPointAngle / 2.0));
    const double body = cone + CLibraryToolOutline::kEdgeLengthMm * kUnits;
    const double way = CTool::TipDirection(tool.nOrientation).dZ > 0 ? -1.0 : 1.0;
    return CToolOutline::Shape({{0.0, 0.0},
                                {way * cone, radius},
                                {way * body, radius},
                                {way * body, -radius},
                                {way * cone, -radius}});
}

}  // namespace

CToolOutline CLibraryToolOutline::Of(const CTool& tool) {
    if (tool.strKind == "blade") {
        return Blade(tool);
    }
    if (tool.strKind == "thread") {
        return ThreadInsert(tool);
    }
    if (tool.strKind == "drill") {
        return Drill(tool);
    }
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
