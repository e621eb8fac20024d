// CInsertClearance: whether a turning insert's cutting edges stay out of the part at a position.
#pragma once

#include <vector>

#include "tools/NosePathSegment.h"
#include "tools/Tool.h"

// The part is the region between the axis and the profile (millimetres, Z along the axis, X the
// radius). The insert's nose is kept on the profile by the compensated path; its two cutting
// edges leave the nose at the tool's front and back angles (degrees from +Z, pointing into the
// insert's body, the narrower sector between them) and run for the edge length. A round insert has no edges and always clears.
class CInsertClearance {
public:
    static constexpr double kEdgeLengthMm = 10.0;
    // How far an edge point may lie inside the part before it counts (mm).
    static constexpr double kToleranceMm = 0.002;

    CInsertClearance(const std::vector<CNosePathSegment>& profile, const CTool& tool);

    // Whether both edges clear the part with the tool's imaginary tip point at tip.
    bool Clears(CNosePathPoint tip) const;
    // The radius of the part at z (0 outside the profile's Z range, the higher side at a step).
    double PartRadiusAt(double z) const;

private:
    bool EdgeClears(CNosePathPoint centre, double angleDeg, double tangentSideDeg) const;

    std::vector<CNosePathSegment> m_profile;  // sloped segments only, by their smaller Z
    CTool m_tool;
    bool m_bEdges = true;
    double m_dZ0 = 0.0;
    double m_dZ1 = 0.0;
};
