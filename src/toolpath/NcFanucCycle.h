// Expanding the ISO lathe controls' multiple-repetitive roughing cycles (two-block G71 along Z and
// G72 along X, with the profile in numbered blocks) and the finishing cycle G70.
#pragma once

#include <string>
#include <vector>

#include "toolpath/PathSegment.h"

struct CCycleSegment {
    CPathSegment segment;
    bool bRapid = false;
};

// Everything in model units, X as a radius.
struct CFanucRoughInput {
    bool bAlongX = false;  // G72: passes along X, depth taken in Z
    CPathPoint ptStart;    // where the tool stands when the cycle starts (A)
    // The profile from A through the first profile point (A') to the last (B), as read.
    std::vector<CPathSegment> profile;
    double dDepth = 0.0;    // per pass, along X for G71, along Z for G72
    double dRetract = 0.0;  // lift off after each pass, at 45 degrees
    double dAllowanceX = 0.0;  // the profile is shifted by these before roughing
    double dAllowanceZ = 0.0;
};

struct CFanucRoughResult {
    std::vector<CCycleSegment> moves;
    int nPasses = 0;  // straight roughing passes, without the pass along the profile
    std::string strError;
};

// Passes at falling depth from A toward A', each cut up to the shifted profile, lifted off and
// taken back rapidly; then one pass along the shifted profile from A' to B; then back to A,
// first across, then along.
CFanucRoughResult ExpandFanucRough(const CFanucRoughInput& input);
