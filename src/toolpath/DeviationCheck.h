// CDeviationCheck: how far a program's feed moves stray from a layer's profile, and where.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "toolpath/NoseEnvelope.h"
#include "toolpath/ProfileShape.h"
#include "toolpath/Toolpath.h"

struct CDeviationResult {
    double dToleranceMm = 0.01;
    // False when no feed move runs over the profile's span: nothing was measured.
    bool bMeasured = false;
    double dLargestMm = 0.0;
    CPathPoint ptAt;  // model units
    size_t nMove = 0;
    int nLine = 0;
    std::string strBlock;
    // The largest deviation across the profile split into its Z and X parts (mm, from the
    // nearest profile point to the cut).
    double dAlongZMm = 0.0;
    double dAlongXMm = 0.0;
    // Z ranges (model units) of the profile that no feed move came within the tolerance of.
    std::vector<std::pair<double, double>> uncovered;

    bool Exceeds() const { return !bMeasured || dLargestMm > dToleranceMm; }
    // "largest deviation 0.0004 mm at Z 120.000 X 14.000, line N150"
    std::string Summary() const;
};

class CDeviationCheck {
public:
    // Points along the profile, checked for a feed move near them, lie this far apart at most
    // (model units).
    static constexpr double kSampleStep = 500.0;
    // How exactly the largest deviation of a move is found (model units).
    static constexpr double kPrecision = 0.5;

    // Measures the feed moves over the profile's span. The first feed move after rapids (or at
    // the start) that begins off the profile enters it from the approach point: only its end is
    // measured. With the tools' noses by their numbers, what is measured is the edge the nose
    // circle cuts, not the programmed point.
    static CDeviationResult Run(const CToolpath& path, const CProfileShape& profile, double toleranceMm,
                                const std::map<int, CToolNose>& noses = {});

    // The point of s nearest to p.
    static CPathPoint NearestOn(const CPathSegment& s, CPathPoint p);

    // Whether p lies on the part's side of s (to the right of its course toward +Z).
    static bool InsidePart(const CPathSegment& s, CPathPoint p);

private:
    static void MeasureEdges(const CToolpath& edges, const CProfileShape& profile, CDeviationResult& result);
    static void MeasureMoves(const CToolpath& path, const CProfileShape& profile, CDeviationResult& result);
    static void FindUncovered(const CToolpath& path, const CProfileShape& profile, CDeviationResult& result);
};
