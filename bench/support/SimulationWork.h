// The simulation benchmarks' work: roughing and finishing passes over a 1 000-element profile.
#pragma once

#include <cmath>

#include "simulation/StockSimulation.h"

namespace bench_simulation {

constexpr double kMm = 10000.0;

// 1 000 elements over 500 mm, lines and shallow arcs by turns, between radius 20 and 30 mm.
inline std::vector<CPathSegment> Profile(double lift) {
    std::vector<CPathSegment> segments;
    auto height = [](int i) { return (25.0 + 5.0 * std::sin(i * 0.013) + 0.4 * std::sin(i * 0.7)) * kMm; };
    for (int i = 0; i < 1000; ++i) {
        const CPathPoint a{i * 0.5 * kMm, height(i) + lift};
        const CPathPoint b{(i + 1) * 0.5 * kMm, height(i + 1) + lift};
        if (i % 2) {
            // An upper arc of radius 2 mm through both ends.
            const double chord = std::hypot(b.dZ - a.dZ, b.dX - a.dX);
            const double r = 2.0 * kMm;
            const double h = std::sqrt(r * r - chord * chord / 4);
            const CPathPoint centre{(a.dZ + b.dZ) / 2 + h * (b.dX - a.dX) / chord,
                                    (a.dX + b.dX) / 2 - h * (b.dZ - a.dZ) / chord};
            segments.push_back(CPathSegment::Arc(a, b, centre, kDirClockwise));
        } else {
            segments.push_back(CPathSegment::Line(a, b));
        }
    }
    return segments;
}

// 49 roughing passes following the profile 0.3 mm apart from the top down, then the finishing
// pass on it; each pass comes in from the right of the stock and leaves upward.
inline CSimulationInput Roughing() {
    CSimulationInput input;
    input.profile = CProfileShape(Profile(0.0), 0.0, 500.0 * kMm);
    input.dStockZ1 = 500.0 * kMm;
    input.dStockX1 = 36.0 * kMm;
    input.dAllowanceMm = 0.0;
    CPathPoint at{510.0 * kMm, 40.0 * kMm};
    auto add = [&](const CPathSegment& s, bool rapid) {
        CToolMove move;
        move.segment = s;
        move.bRapid = rapid;
        move.nLine = static_cast<int>(input.path.moves.size()) + 1;
        input.path.moves.push_back(move);
        at = s.ptEnd;
    };
    for (int pass = 49; pass >= 0; --pass) {
        std::vector<CPathSegment> segments = Profile(pass * 0.3 * kMm);
        add(CPathSegment::Line(at, {-5.0 * kMm, 40.0 * kMm}), true);
        add(CPathSegment::Line(at, {-5.0 * kMm, segments.front().ptStart.dX}), true);
        add(CPathSegment::Line(at, segments.front().ptStart), false);
        for (const CPathSegment& s : segments) {
            add(s, false);
        }
        add(CPathSegment::Line(at, {at.dZ, 40.0 * kMm}), true);
    }
    return input;
}

}  // namespace bench_simulation
