// Threads: pitch, depth and the Z feed check shared by the cycle and the written-out passes.
#include "operations/ThreadOperation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "operations/MovePath.h"

namespace {

std::string Number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

double Microns(double mm) {
    return std::floor(mm * 1000.0 + 0.5);
}

}  // namespace

const std::vector<std::string>& CThreadOperation::Keys() {
    static const std::vector<std::string> keys = {
        "FromZ",  "ToZ",    "MajorX", "Pitch", "PitchInch", "Depth",    "FirstCut", "Degression",
        "MinCut", "Spring", "Infeed", "Clear", "Speed",     "MaxFeedZ", "Chamfer",  "ToolAngle"};
    return keys;
}

COperationResult CThreadOperation::Values(const COperationValues& in) {
    const double given = in.Get("Pitch");
    const double pitch = in.Get("PitchInch", 0.0) == 0.0 ? given : given > 0.0 ? 25.4 / given : 0.0;
    const double major = in.Get("MajorX");
    const double depth = in.Get("Depth", kDepthPerPitch * pitch);
    const double first = in.Get("FirstCut", depth);
    if (!(pitch > 0.0) || !(pitch <= 100.0)) {
        return COperationResult::Refused("The pitch must be greater than 0 and at most 100 mm.");
    }
    if (!(depth > 0.0) || !(depth < major) || !(first > 0.0) || in.Get("FromZ") == in.Get("ToZ")) {
        return COperationResult::Refused(
            "The thread needs a length, a depth greater than 0 and less than its "
            "radius, and a first cut greater than 0.");
    }
    // The cycles refuse a first cut as deep as the thread.
    if (in.Has("FirstCut") && !(first < depth)) {
        return COperationResult::Refused("The first cut must be less than the thread depth.");
    }
    if (!in.Has("Speed")) {
        return COperationResult::Refused("The thread needs a spindle speed.");
    }
    const double feed = pitch * in.Get("Speed");
    if (in.Has("MaxFeedZ") && feed > in.Get("MaxFeedZ")) {
        return COperationResult::Refused("Pitch " + Number(pitch) + " mm x speed " + Number(in.Get("Speed")) +
                                         " 1/min = " + Number(feed) +
                                         " mm/min along Z, above the machine's limit of " +
                                         Number(in.Get("MaxFeedZ")) + " mm/min: lower the speed.");
    }
    const double spring = in.Get("Spring", 0.0);
    const double chamfer = in.Get("Chamfer", 0.0);
    const double angle = in.Get("ToolAngle", 60.0);
    if (spring < 0.0 || spring > 99.0 || chamfer < 0.0 || chamfer > 99.0 || angle < 0.0 || angle > 99.0) {
        return COperationResult::Refused(
            "Spring passes, chamfer and tool angle take whole numbers from 0 to 99.");
    }
    COperationResult result;
    const double clear = in.Get("Clear", 1.0);
    result.values = {
        {"Pitch", pitch},
        {"Depth", CMovePath::OnGrid(depth)},
        {"DriveX", CMovePath::OnGrid(major + clear)},
        {"PeakOffset", -CMovePath::OnGrid(clear)},
        {"RootX", CMovePath::OnGrid(major - depth)},
        {"FeedZ", feed},
        {"DepthMicrons", Microns(depth)},
        {"FirstCutMicrons", Microns(first)},
        {"MinCutMicrons", Microns(in.Get("MinCut", 0.0))},
        {"CycleP", std::trunc(spring) * 10000.0 + std::trunc(chamfer) * 100.0 + std::trunc(angle)}};
    return result;
}

std::vector<double> CThreadOperation::PassDepths(const COperationValues& in, double depth) {
    const double first = std::min(in.Get("FirstCut", depth), depth);
    const double degression = std::max(in.Get("Degression", 1.5), 1.0);
    const double least = std::max(in.Get("MinCut", 0.0), depth / 1000.0);
    std::vector<double> depths;
    double reached = 0.0;
    for (int k = 1; reached < depth; ++k) {
        double next = first * std::pow(static_cast<double>(k), 1.0 / degression);
        next = std::min(std::max(next, reached + least), depth);
        depths.push_back(next);
        reached = next;
    }
    for (int k = 0; k < static_cast<int>(in.Get("Spring", 0.0)); ++k) {
        depths.push_back(depth);
    }
    return depths;
}

COperationResult CThreadOperation::RunCycle(const COperationValues& in) {
    COperationResult result = Values(in);
    if (result.IsRefused()) {
        return result;
    }
    CMovePath path;
    path.ApproachXFirst(in.Get("FromZ"), result.values["DriveX"]);
    path.Result().values = result.values;
    return std::move(path.Result());
}

COperationResult CThreadOperation::RunPasses(const COperationValues& in) {
    COperationResult values = Values(in);
    if (values.IsRefused()) {
        return values;
    }
    const double start = in.Get("FromZ");
    const double end = in.Get("ToZ");
    const double major = in.Get("MajorX");
    const double drive = values.values["DriveX"];
    const double depth = values.values["Depth"];
    const double slope = std::tan(std::clamp(in.Get("Infeed", 29.5), 0.0, 45.0) * M_PI / 180.0);
    // Each deeper pass moves forward along the drive line by its depth times the slope, so that the
    // trailing flank is left alone; the deepest pass ends at the thread's end.
    const double forward = end > start ? 1.0 : -1.0;
    CMovePath path;
    path.ApproachXFirst(start, drive);
    const std::vector<double> depths = PassDepths(in, depth);
    for (double d : depths) {
        const double from = start + forward * d * slope;
        const double to = end - forward * (depth - d) * slope;
        path.Rapid(from, drive);
        path.Rapid(from, major - d);
        path.Thread(to, major - d);
        path.Rapid(to, drive);
    }
    path.Rapid(start, drive);
    COperationResult& result = path.Result();
    result.values = values.values;
    result.values["Passes"] = static_cast<double>(depths.size());
    return std::move(result);
}
