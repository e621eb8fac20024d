// CMoveDeviation: the point of one tool move farthest from a profile, found by bounded refinement.
#pragma once

#include "toolpath/PathSegment.h"
#include "toolpath/ProfileShape.h"

struct CMoveExtreme {
    bool bFound = false;     // false when no point of the move lies over the profile's span
    double dDistance = 0.0;  // model units
    CPathPoint ptAt;
};

class CMoveDeviation {
public:
    // Distance evaluations one move may take at most, whatever its length.
    static constexpr int kEvaluations = 4096;

    // The largest distance from the move's points over the profile's span to the profile,
    // exact to precision (model units) within the evaluation budget. Pieces of the move are
    // split only while a bound on their distance (the distance changes no faster than the
    // move runs; along a line a line's distance is convex; an arc near a concentric arc stays
    // within the radii's difference) could still beat the largest found.
    static CMoveExtreme Largest(const CPathSegment& move, const CProfileShape& profile, double precision);
};
