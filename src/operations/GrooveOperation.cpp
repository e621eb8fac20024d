// Grooving: plunges side by side overlapping by a fifth of the tool's width, then the walls.
#include "operations/GrooveOperation.h"

#include <algorithm>
#include <cmath>

#include "operations/MovePath.h"
#include "operations/Operation.h"

namespace {

// One plunge at z from above the surface down to the radius `floor`, in pecks when peck > 0.
void Plunge(CMovePath& path, double z, double top, double floor, double peck, double clear) {
    path.Rapid(z, top + clear);
    if (peck > 0.0) {
        const int count = operations::StepCount(top, floor, peck);
        for (int k = 1; k < count; ++k) {
            const double x = top - k * peck;
            path.Feed(z, x);
            path.Rapid(z, x + CGrooveOperation::kPeckBackOff);
        }
    }
    path.Feed(z, floor);
    path.Rapid(z, top + clear);
}

}  // namespace

COperationResult CGrooveOperation::Run(const COperationValues& in) {
    const double left = in.Get("GrooveZ");
    const double width = in.Get("Width");
    const double top = in.Get("TopX");
    const double depth = in.Get("Depth");
    const double tool = in.Get("ToolWidth");
    const double peck = in.Get("Peck", 0.0);
    const double allowance = in.Get("Allowance", 0.0);
    const double clear = in.Get("Clear", 1.0);
    const double finishFeed = in.Get("FinishFeed", 2000000.0);
    if (!(tool > 0.0) || !(width >= tool)) {
        return COperationResult::Refused(
            "The tool's width must be greater than 0 and not wider than the groove.");
    }
    if (!(depth > 0.0) || !(depth <= top) || !(clear > 0.0) || peck < 0.0 || allowance < 0.0 ||
        !(allowance < depth)) {
        return COperationResult::Refused(
            "The depth must be greater than 0 and reach at most the axis; the "
            "clearance must be greater than 0; peck and allowance not negative, the "
            "allowance less than the depth.");
    }
    if (peck > 0.0 && operations::StepCount(top, top - depth, peck) == 0) {
        return COperationResult::Refused(
            "The groove needs more than 10000 pecks: give a greater peck depth.");
    }
    const double floor = top - depth;
    const double room = width - tool;
    // The walls keep their allowance only where the groove leaves room for it on both sides.
    const double wall = room >= 2.0 * allowance ? allowance : 0.0;
    const double first = left + wall;
    const double last = left + room - wall;
    const int count = last > first ? operations::StepCount(first, last, 0.8 * tool) : 1;
    if (count == 0) {
        return COperationResult::Refused("The groove needs more than 10000 plunges.");
    }
    CMovePath path;
    path.ApproachXFirst(first, top + clear);
    for (int k = 0; k <= count && (k == 0 || last > first); ++k) {
        Plunge(path, first + (last - first) * k / count, top, floor + allowance, peck, clear);
        if (path.IsTooLong()) {
            return COperationResult::Refused("The groove needs too many moves: give a greater peck depth.");
        }
    }
    // The finishing pass: down each wall, along the floor to the middle, and out.
    const double middle = left + room / 2.0;
    path.Rapid(left, top + clear);
    path.Feed(left, floor, finishFeed);
    if (room > 0.0) {
        path.Feed(middle, floor, finishFeed);
        path.Rapid(middle, top + clear);
        path.Rapid(left + room, top + clear);
        path.Feed(left + room, floor, finishFeed);
        path.Feed(middle, floor, finishFeed);
        path.Rapid(middle, top + clear);
    } else {
        path.Rapid(left, top + clear);
    }
    return std::move(path.Result());
}
