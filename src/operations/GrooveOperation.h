// CGrooveOperation: a groove plunged with pecking, then both walls and the floor finished.
#pragma once

#include "operations/OperationMove.h"
#include "operations/OperationValues.h"

// Values: GrooveZ (the groove's wall at the smaller Z; the tool's reference corner is its corner
// at the smaller Z), Width (along +Z), TopX (the radius of the surface grooved), Depth (radial),
// ToolWidth (the insert's cutting width, at most the groove's width), Peck (depth per peck;
// without it each plunge goes down at once), Allowance (left on walls and floor for the finishing
// pass), Clear (above the surface), FinishFeed (the finishing pass's own feed).
class CGrooveOperation {
public:
    static COperationResult Run(const COperationValues& in);

    // Each peck backs off this far (mm) to break the chip.
    static constexpr double kPeckBackOff = 0.5;
};
