// Facing passes: each plunges across the end from the outer radius to the inner one.
#include "operations/FaceOperation.h"

#include <algorithm>
#include <cmath>

#include "operations/MovePath.h"
#include "operations/Operation.h"

COperationResult CFaceOperation::Run(const COperationValues& in) {
    const double outer = in.Get("OuterX");
    const double inner = in.Get("InnerX", 0.0);
    const double face = in.Get("FaceZ");
    const double stock = in.Get("StockZ", face);
    const double depth = in.Get("Depth", 1.0);
    const double allowance = in.Get("Allowance", 0.0);
    const double clear = in.Get("Clear", 1.0);
    if (!(outer > inner) || inner < 0.0) {
        return COperationResult::Refused(
            "The start radius must lie above the end radius, and the end radius "
            "must not be negative.");
    }
    if (!(depth > 0.0) || allowance < 0.0 || !(clear > 0.0)) {
        return COperationResult::Refused(
            "The depth per pass and the clearance must be greater than 0, the "
            "allowance not negative.");
    }
    // The tool comes from the stock's side; passes step from the stock's end towards the face.
    const double dir = stock >= face ? 1.0 : -1.0;
    const double span = std::fabs(stock - face);
    const double rough = std::max(span - allowance, 0.0);
    CMovePath path;
    path.ApproachXFirst(stock + dir * clear, outer);
    auto pass = [&](double z, double feed) {
        path.Rapid(z, outer);
        path.Feed(z, inner, feed);
        path.Rapid(z + dir * clear, inner);
        path.Rapid(z + dir * clear, outer);
    };
    // Without an allowance the last roughing pass is the finishing pass.
    const double roughEnd = allowance > 0.0 ? rough : span;
    if (roughEnd > 0.0) {
        const int count = operations::StepCount(0.0, roughEnd, depth);
        if (count == 0) {
            return COperationResult::Refused(
                "The face needs more than 10000 passes: give a greater depth per pass.");
        }
        const int last = allowance > 0.0 ? count : count - 1;
        for (int k = 1; k <= last; ++k) {
            pass(stock - dir * std::min(k * depth, roughEnd), 2000000.0);
        }
    }
    pass(face, in.Get("FinishFeed", 2000000.0));
    return std::move(path.Result());
}
