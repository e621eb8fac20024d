// CPartOffOperation: parting off at a Z, slower near the axis, with an optional chamfer first.
#pragma once

#include "operations/OperationMove.h"
#include "operations/OperationValues.h"

// Values: PartZ (the part's end face; the part lies towards larger Z, the free end, and the blade's
// reference corner on the part's side stands at PartZ), TopX (the radius of the stock there), ToX (the radius
// the cut ends at: 0 or a little below it), SlowX (below this radius the cut runs at SlowFeed),
// SlowFeed, Chamfer (a 45 degree chamfer on the part's edge, cut before parting; 0 or absent for
// none), Clear (above the surface).
class CPartOffOperation {
public:
    static COperationResult Run(const COperationValues& in);
};
