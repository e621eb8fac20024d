// The insert's outline: the nose circle and the two edges, as one convex polygon.
#include "simulation/ToolOutline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "simulation/ConvexHull.h"

CToolOutline CToolOutline::Insert(double noseRadiusMm, double frontDeg, double backDeg, double edgeLengthMm) {
    CToolOutline tool;
    tool.dNoseRadiusMm = noseRadiusMm;
    tool.dCentreZMm = noseRadiusMm;
    tool.dCentreXMm = noseRadiusMm;
    tool.dFrontEdgeDeg = frontDeg;
    tool.dBackEdgeDeg = backDeg;
    tool.dEdgeLengthMm = edgeLengthMm;
    return tool;
}

CToolOutline CToolOutline::Shape(std::vector<CPathPoint> points) {
    CToolOutline tool;
    tool.shape = std::move(points);
    return tool;
}

int CToolOutline::QuarterSteps(double radius) {
    return std::clamp(
        static_cast<int>(std::ceil(std::numbers::pi / 4.0 / std::acos(1.0 - std::min(5.0 / radius, 1.0)))), 2, 180);
}

std::vector<CPathPoint> CToolOutline::Corners() const {
    if (!shape.empty()) {
        return ConvexHull(shape);
    }
    if (IsPoint()) {
        return {};
    }
    const double r = dNoseRadiusMm * 10000.0;
    const CPathPoint c{dCentreZMm * 10000.0, dCentreXMm * 10000.0};
    std::vector<CPathPoint> points;
    // The nose circle within half a micrometre; the hull keeps the part between the edges. A
    // multiple of four corners puts one at each extreme in Z and X, so a nose that walks a wall
    // or a floor reaches it.
    const int steps = r > 0 ? 4 * QuarterSteps(r) : 1;
    for (int k = 0; k < steps; ++k) {
        const double a = 2.0 * std::numbers::pi * k / steps;
        points.push_back({c.dZ + r * std::cos(a), c.dX + r * std::sin(a)});
    }
    const double length = dEdgeLengthMm * 10000.0;
    // The edges touch the nose on their outer sides, away from each other: the front edge's left
    // and the back edge's right when the body lies counter-clockwise from the back edge (a right-hand
    // tool), the other way round on a left-hand one.
    const double outer = std::remainder(dFrontEdgeDeg - dBackEdgeDeg, 360.0) >= 0 ? 1.0 : -1.0;
    for (const auto& [deg, side] : {std::pair{dFrontEdgeDeg, outer}, std::pair{dBackEdgeDeg, -outer}}) {
        const double a = deg * std::numbers::pi / 180.0;
        const double dz = std::cos(a);
        const double dx = std::sin(a);
        const CPathPoint touch{c.dZ - side * r * dx, c.dX + side * r * dz};
        points.push_back({touch.dZ + length * dz, touch.dX + length * dx});
    }
    return ConvexHull(std::move(points));
}
