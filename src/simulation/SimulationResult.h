// What a stock simulation finds: gouges, rapids through material, material left over, air cutting.
#pragma once

#include <string>
#include <vector>

#include "simulation/Region.h"
#include "toolpath/PathSegment.h"

// Where a finding comes from: the move, its source line (from 1) and N word as written.
struct CSimulationSource {
    size_t nMove = 0;
    int nLine = 0;
    std::string strBlock;
};

// Part material a move removed.
struct CGouge {
    CSimulationSource source;
    double dAreaMm2 = 0.0;
    double dDepthMm = 0.0;  // how far the deepest point removed lies below the profile
    CPathPoint ptDeepest;   // model units
};

struct CRapidThroughMaterial {
    CSimulationSource source;
    double dAreaMm2 = 0.0;
};

// Material above the profile thicker than the allowance, over a range of Z; the source is the
// last move that cut over that range (line 0 when none did).
struct CLeftOver {
    CSimulationSource source;
    double dZFrom = 0.0;  // model units
    double dZTo = 0.0;
    double dThicknessMm = 0.0;
    CPathPoint ptThickest;
    double dAreaMm2 = 0.0;
};

// A block whose motion the reader could not follow (a cycle, a subroutine call, a fault).
struct CNotSimulated {
    int nLine = 0;
    std::string strText;
};

struct CSimulationResult {
    std::vector<CGouge> gouges;
    std::vector<CRapidThroughMaterial> rapids;
    std::vector<CLeftOver> leftOver;
    std::vector<CNotSimulated> notSimulated;
    double dFeedLength = 0.0;  // model units
    double dAirLength = 0.0;   // the part of it that removed nothing
    size_t nMovesSimulated = 0;

    CRegion excess;  // stock above the profile still there
    CRegion part;    // part material still there
    CRegion gouged;  // part material removed

    double AirCuttingShare() const { return dFeedLength > 0 ? dAirLength / dFeedLength : 0.0; }
    // A gouge or a rapid through material: the program would damage the part or the tool.
    bool HasFaults() const { return !gouges.empty() || !rapids.empty(); }
};
