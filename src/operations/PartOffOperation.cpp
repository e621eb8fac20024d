// Parting off: an optional chamfer cut with the blade's corner, then the cut to the axis.
#include "operations/PartOffOperation.h"

#include "operations/MovePath.h"

COperationResult CPartOffOperation::Run(const COperationValues& in) {
    const double z = in.Get("PartZ");
    const double top = in.Get("TopX");
    const double to = in.Get("ToX", 0.0);
    const double chamfer = in.Get("Chamfer", 0.0);
    const double clear = in.Get("Clear", 1.0);
    const bool slow = in.Has("SlowX") && in.Has("SlowFeed");
    const double slowX = in.Get("SlowX", to);
    if (!(top > to) || !(clear > 0.0)) {
        return COperationResult::Refused(
            "The stock's radius must lie above the end radius, and the clearance must "
            "be greater than 0.");
    }
    if (in.Has("SlowX") != in.Has("SlowFeed")) {
        return COperationResult::Refused("Give the reduced feed together with the radius it starts at.");
    }
    if (chamfer < 0.0 || !(chamfer < top - to)) {
        return COperationResult::Refused(
            "The chamfer must not be negative and must be smaller than the cut.");
    }
    if (slow && !(slowX >= to && slowX <= top)) {
        return COperationResult::Refused(
            "The radius of the reduced feed must lie between the end radius and the "
            "stock's radius.");
    }
    CMovePath path;
    path.ApproachXFirst(z, top + clear);
    double from = top;
    if (chamfer > 0.0) {
        // A first plunge as deep as the chamfer clears the blade's way; then its corner runs down
        // the 45 degree line from above the stock to the chamfer's foot.
        path.Feed(z, top - chamfer);
        path.Rapid(z, top + clear);
        path.Rapid(z + chamfer + clear, top + clear);
        path.Feed(z, top - chamfer);
        from = top - chamfer;
    }
    if (slow && slowX < from) {
        path.Feed(z, slowX);
    }
    path.Feed(z, to, slow ? in.Get("SlowFeed") : 2000000.0);
    path.Rapid(z, top + clear);
    return std::move(path.Result());
}
