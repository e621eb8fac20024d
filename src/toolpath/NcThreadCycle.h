// Threading cycles of lathe controls expanded into the moves the control makes.
#pragma once

#include <string>
#include <vector>

#include "toolpath/PathSegment.h"

// One move of an expanded cycle: a rapid, or a cut synchronised with the spindle.
struct CThreadMove {
    CPathPoint ptEnd;
    bool bRapid = false;
};

struct CThreadExpansion {
    std::vector<CThreadMove> moves;  // from where the tool stands, in order
    std::string strError;           // why the control refuses the cycle (no moves then)
};

// A thread cut in passes along a drive line: the single-block G76 with I, J and K. Lengths are
// model units, X a radius.
struct CDriveLineThread {
    CPathPoint ptStart;         // where the tool stands: the start of the drive line
    double dZEnd = 0.0;         // where the thread ends
    double dXAfter = 0.0;       // where the last rapid ends across (the X word, or the drive line)
    double dPeakOffset = 0.0;   // I: from the drive line to the thread's crest (negative outside)
    double dFirstDepth = 0.0;   // J: below the crest, of the first pass
    double dFullDepth = 0.0;    // K: below the crest, of the last pass
    double dDegression = 1.0;   // R: pass n cuts at J times the R-th root of n
    double dCompoundDeg = 0.0;  // Q: the infeed's angle from the X axis
    int nSpringPasses = 0;      // H: passes repeated at the full depth
    double dTaper = 0.0;        // E: length of the entry and exit tapers along the drive line
    int nTaperEnds = 0;         // L: 1 the entry, 2 the exit, 3 both
};

// The settings block of the two-block G76 (P mmrraa, Q, R); they stay until given again.
// Without one, a control uses one finishing pass, no pull-out, a 60-degree insert and no
// minimum cut or allowance.
struct CFlankThreadSettings {
    int nFinishPasses = 1;         // mm: passes at the full height
    int nPullOutTenths = 0;        // rr: the 45-degree pull-out at the end, tenths of the lead
    double dToolAngleDeg = 60.0;   // aa: the insert's angle; the infeed follows one flank
    double dMinCut = 0.0;          // Q: the smallest depth one pass adds
    double dAllowance = 0.0;       // R: left for the finishing passes
};

// A thread cut in passes from a start point A to an end point: the cycle block of the two-block
// G76 (X/U Z/W R P Q F). Lengths are model units, X a radius.
struct CFlankThread {
    CPathPoint ptStart;       // A: where the tool stands, clear of the thread
    CPathPoint ptEnd;         // the thread's root at its end (X, Z of the block)
    double dTaper = 0.0;      // R: the root's radius at the start minus that at the end
    double dHeight = 0.0;     // P: from crest to root
    double dFirstCut = 0.0;   // Q: the first pass's depth; pass n cuts at Q times the root of n
    double dLead = 0.0;       // F
    CFlankThreadSettings settings;
};

class CNcThreadCycle {
public:
    // A cycle of more passes is refused: no thread needs them, and the preview would fill
    // memory with them.
    static constexpr int kPassLimit = 1000;

    // Each pass: a rapid to the pass's start beside the drive line, the infeed (a rapid, or a
    // feed into the entry taper), the cut, the exit taper, and a rapid back to the retract line.
    // The last rapid goes to dXAfter at the thread's end.
    static CThreadExpansion DriveLine(const CDriveLineThread& thread);
    // Each pass: a rapid along Z at A's X to the pass's start, the rapid infeed, the cut, the
    // pull-out, a rapid back to A's X and one back to A.
    static CThreadExpansion Flank(const CFlankThread& thread);
    // The depths below the crest the flank cycle cuts at, in order (the finishing passes
    // included); empty when the numbers allow no cycle.
    static std::vector<double> FlankDepths(const CFlankThread& thread);
};
