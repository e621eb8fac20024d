// Expanding drilling and grooving cycles: LinuxCNC's G81-G83 drilling along Z (XY plane), and the
// ISO lathe controls' G74 (pecking along Z: drilling on the axis, face grooves) and G75 (pecking
// along X: grooves on the diameter).
#pragma once

#include <string>
#include <vector>

#include "toolpath/NcFanucCycle.h"

// Everything in model units, X as a radius.
struct CDrillCycleInput {
    int nCycle = 81;  // 81 drill, 82 drill with a dwell (not a move), 83 peck drill
    CPathPoint ptStart;
    double dHoleX = 0.0;
    double dBottomZ = 0.0;
    double dRetractZ = 0.0;  // R
    double dInitialZ = 0.0;  // where the series of drilling blocks started
    bool bToInitial = false;  // G98: back to the initial level (or R above it), G99: to R
    bool bRepeat = false;     // the block does not name the cycle: it repeats it at a new position
    double dPeck = 0.0;      // G83: Q
    double dRapidDelta = 0.0;  // G83: how far above the last depth the rapid back down stops
};

std::vector<CCycleSegment> ExpandDrillCycle(const CDrillCycleInput& input);

struct CPeckCycleInput {
    bool bAlongX = false;  // G75: pecks along X, the grooves side by side along Z
    CPathPoint ptStart;
    CPathPoint ptEnd;      // the last groove's bottom
    double dPeck = 0.0;    // depth of each peck
    double dShift = 0.0;   // from one groove to the next
    double dReturn = 0.0;  // back off after each peck
    double dRelief = 0.0;  // sideways off the bottom before coming out
};

struct CPeckCycleResult {
    std::vector<CCycleSegment> moves;
    std::string strError;
};

// Each groove pecked from the start level to the bottom, backed off by the return after each
// peck, taken out rapidly; the next groove one shift further on; last back to the start.
CPeckCycleResult ExpandPeckCycle(const CPeckCycleInput& input);
