// CThreadOperation: an outside thread, as the values of a controller's cycle or as single passes.
#pragma once

#include <string>
#include <vector>

#include "operations/OperationMove.h"
#include "operations/OperationValues.h"

// Values: FromZ and ToZ (where the thread starts and ends; the tool runs from start to end),
// MajorX (the crest's radius), Pitch (mm, or threads per inch when PitchInch is 1), Depth (the
// thread's radial depth; without it 0.6134 x pitch, the external depth of the 60 degree metric and
// unified threads), FirstCut (depth of the first pass), Degression (1 cuts every pass equally deep,
// 2 with equal chip area; 1.5 when not given), MinCut (the shallowest pass), Spring (passes
// repeated at full depth), Infeed (the compound angle in degrees, 29.5 when not given; 0 plunges
// radially), Clear (the drive line's distance above the crest), Speed (1/min) and MaxFeedZ
// (mm/min, the machine's Z feed limit), Chamfer (pull-out length in tenths of the pitch) and
// ToolAngle (degrees), which the cycles name.
//
// Computed values: Pitch, Depth, DriveX, PeakOffset (crest from the drive line, negative), RootX,
// FeedZ (pitch x speed), Passes, and in whole microns DepthMicrons, FirstCutMicrons,
// MinCutMicrons; CycleP packs spring passes, chamfer and tool angle as two digits each.
class CThreadOperation {
public:
    static const std::vector<std::string>& Keys();
    // The rapid move to the drive line at the start; the cycle does the rest.
    static COperationResult RunCycle(const COperationValues& in);
    // Every pass written out: in along the infeed angle, a threading move, out and back; each
    // deeper pass moves forward along the thread by its depth x tan(infeed), as the cycles do.
    static COperationResult RunPasses(const COperationValues& in);

    static constexpr double kDepthPerPitch = 0.6134;

private:
    // The checked and computed values; refused with the reason when the thread can't be cut.
    static COperationResult Values(const COperationValues& in);
    // The depths of the passes, the spring passes included.
    static std::vector<double> PassDepths(const COperationValues& in, double depth);
};
