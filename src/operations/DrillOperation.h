// CDrillOperation: a hole on the axis: centre drill, drill or peck drill, written out as moves.
#pragma once

#include "operations/OperationMove.h"
#include "operations/OperationValues.h"

// Values: StartZ (the point in front of the hole the drill starts from and returns to), HoleZ
// (the hole's bottom), Peck (depth per peck; without it one cut to the bottom), ChipBreak (each
// peck backs off this far instead of leaving the hole), Dwell (seconds at the bottom, as a centre
// drill wants).
class CDrillOperation {
public:
    static COperationResult Run(const COperationValues& in);

    // After leaving the hole, the drill returns at rapid to this far (mm) short of the last depth.
    static constexpr double kReentry = 0.5;
};
