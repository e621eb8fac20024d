// CProfileShape: a layer's profile as path segments between its borders, for distance queries.
#pragma once

#include <cstddef>
#include <vector>

#include "toolpath/PathSegment.h"

class CLayer;

class CProfileShape {
public:
    CProfileShape() = default;
    // The segments in Z order must not overlap in Z except at their ends.
    CProfileShape(std::vector<CPathSegment> segments, double spanStart, double spanEnd);
    // The profile a pass along the layer follows: compound elements as their arcs and the steps
    // between elements as vertical lines; the borders only bound the span.
    static CProfileShape FromLayer(const CLayer& layer);

    const std::vector<CPathSegment>& GetSegments() const { return m_segments; }
    double GetSpanStart() const { return m_dSpanStart; }
    double GetSpanEnd() const { return m_dSpanEnd; }
    // Strictly between the borders: a move along an end face does not follow the profile.
    bool InSpan(double z) const { return z > m_dSpanStart + 0.5 && z < m_dSpanEnd - 0.5; }
    bool IsEmpty() const { return m_segments.empty(); }

    // Shortest distance from p to the profile (model units); a huge value for an empty one.
    // nearest, when given, receives the index of a segment at that distance.
    double DistanceTo(CPathPoint p, size_t* nearest = nullptr) const;

private:
    std::vector<CPathSegment> m_segments;
    std::vector<double> m_maxZ;  // running maximum of each segment's largest Z
    double m_dSpanStart = 0.0;
    double m_dSpanEnd = 0.0;
};
