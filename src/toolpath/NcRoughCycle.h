// Expanding a lathe roughing or finishing cycle whose profile is a subroutine: roughing in passes
// along Z (G71) or along X (G72) down to the profile, and finishing along it (G70).
#pragma once

#include <string>
#include <vector>

// A point or move of the cycle in the program's units, X as a radius.
struct CCycleMove {
    bool bRapid = false;
    bool bArc = false;
    bool bCounterClockwise = false;  // arcs: G3
    double dZ = 0.0;
    double dX = 0.0;
    double dCentreZ = 0.0;  // arcs only
    double dCentreX = 0.0;
};

struct CRoughCycleInput {
    int nCycle = 71;   // 70 finishing, 71 roughing along Z, 72 roughing along X
    int nVariant = 0;  // 0 with pockets, 1 without pockets, 2 only the pockets
    double dStartZ = 0.0;
    double dStartX = 0.0;
    // The profile's moves from the start point on (rapid and feed moves alike are its lines).
    std::vector<CCycleMove> profile;
    double dDistance = 0.0;       // D: distance kept to the profile (G70: of the first pass)
    double dFinalDistance = 0.0;  // E: G70's distance of the last pass
    double dPasses = 1.0;         // P: G70's passes
    double dIncrement = 1.0;      // I: depth of each roughing pass
    double dRetract = 0.5;        // R: retract after each pass
};

struct CRoughCycleResult {
    std::vector<CCycleMove> moves;
    std::string strError;  // empty when the controller runs the cycle
};

CRoughCycleResult ExpandRoughCycle(const CRoughCycleInput& input);
