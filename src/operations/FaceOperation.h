// CFaceOperation: facing an end in passes of a given depth, then a finishing pass.
#pragma once

#include "operations/OperationMove.h"
#include "operations/OperationValues.h"

// Values: OuterX (radius above the stock where every pass starts), InnerX (the radius it ends at:
// 0 for the axis or a bore's radius), FaceZ (the finished face), StockZ (where the stock ends now;
// the material lies between the two), Depth (per pass), Allowance (left for the finishing pass),
// Clear (the distance the tool backs off the face), FinishFeed (the finishing pass's own feed).
class CFaceOperation {
public:
    static COperationResult Run(const COperationValues& in);
};
