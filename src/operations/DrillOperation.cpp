// Drilling on the axis: pecks leave the hole (or back off to break the chip) between cuts.
#include "operations/DrillOperation.h"

#include <algorithm>
#include <cmath>

#include "operations/MovePath.h"
#include "operations/Operation.h"

COperationResult CDrillOperation::Run(const COperationValues& in) {
    const double start = in.Get("StartZ");
    const double bottom = in.Get("HoleZ");
    const double peck = in.Get("Peck", 0.0);
    const double chipBreak = in.Get("ChipBreak", 0.0);
    if (start == bottom) {
        return COperationResult::Refused("The hole's bottom must differ from the start point.");
    }
    if (peck < 0.0 || chipBreak < 0.0 || in.Get("Dwell", 0.0) < 0.0) {
        return COperationResult::Refused("Peck, chip break and dwell must not be negative.");
    }
    const double dir = bottom > start ? 1.0 : -1.0;
    const double length = std::fabs(bottom - start);
    const int count = peck > 0.0 ? operations::StepCount(0.0, length, peck) : 1;
    if (count == 0) {
        return COperationResult::Refused("The hole needs more than 10000 pecks: give a greater peck depth.");
    }
    CMovePath path;
    path.ApproachZFirst(start, 0.0);
    for (int k = 1; k <= count; ++k) {
        const double reached = k == count ? length : k * peck;
        path.Feed(start + dir * reached, 0.0);
        if (k == count) {
            break;
        }
        if (chipBreak > 0.0) {
            path.Rapid(start + dir * std::max(reached - chipBreak, 0.0), 0.0);
        } else {
            path.Rapid(start, 0.0);
            path.Rapid(start + dir * std::max(reached - kReentry, 0.0), 0.0);
        }
    }
    if (in.Get("Dwell", 0.0) > 0.0) {
        path.Dwell(in.Get("Dwell"));
    }
    path.Rapid(start, 0.0);
    return std::move(path.Result());
}
