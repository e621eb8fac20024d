// A layer's profile as path segments, and the distance from a point to it.
#include "toolpath/ProfileShape.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "document/Layer.h"
#include "elements/Arc.h"

CProfileShape::CProfileShape(std::vector<CPathSegment> segments, double spanStart, double spanEnd)
    : m_segments(std::move(segments)), m_dSpanStart(spanStart), m_dSpanEnd(spanEnd) {
    double running = -std::numeric_limits<double>::infinity();
    for (const CPathSegment& s : m_segments) {
        running = std::max(running, s.MaxZ());
        m_maxZ.push_back(running);
    }
}

CProfileShape CProfileShape::FromLayer(const CLayer& layer) {
    CLayer copy(layer);
    if (!copy.GetLeftBorder() || !copy.GetRightBorder()) {
        return {};
    }
    copy.ExpandCompound();
    copy.InsertStepLines(1);
    std::vector<CPathSegment> segments;
    for (const auto& piece : copy.GetPieces()) {
        const CPathPoint start{static_cast<double>(piece->GetStart().x),
                               static_cast<double>(piece->GetStart().y)};
        const CPathPoint end{static_cast<double>(piece->GetEnd().x), static_cast<double>(piece->GetEnd().y)};
        const auto* arc = dynamic_cast<const CArc*>(piece.get());
        if (arc && !arc->IsStraight()) {
            // An upper arc ("Ccw") turns clockwise from its start to its end.
            const int direction = arc->GetObjectName() == "Ccw" ? kDirClockwise : kDirCounterClockwise;
            CPathSegment s = CPathSegment::Arc(start, end, {arc->m_dCenterX, arc->m_dCenterY}, direction);
            s.dRadius = arc->m_dRadius;
            segments.push_back(s);
        } else {
            segments.push_back(CPathSegment::Line(start, end));
        }
    }
    return CProfileShape(std::move(segments), copy.GetLeftBorder()->GetEnd().x,
                         copy.GetRightBorder()->GetStart().x);
}

double CProfileShape::DistanceTo(CPathPoint p, size_t* nearest) const {
    if (m_segments.empty()) {
        return std::numeric_limits<double>::max();
    }
    // Start at the first segment that reaches p's Z and widen while a segment's Z range could
    // still hold a nearer point.
    const size_t n = m_segments.size();
    const size_t at =
        std::min<size_t>(std::lower_bound(m_maxZ.begin(), m_maxZ.end(), p.dZ) - m_maxZ.begin(), n - 1);
    double best = m_segments[at].DistanceTo(p);
    size_t bestIndex = at;
    const auto consider = [&](size_t j) {
        const double d = m_segments[j].DistanceTo(p);
        if (d < best) {
            best = d;
            bestIndex = j;
        }
    };
    for (size_t j = at + 1; j < n && m_segments[j].MinZ() - p.dZ <= best; ++j) {
        consider(j);
    }
    for (size_t j = at; j-- > 0 && p.dZ - m_maxZ[j] <= best;) {
        consider(j);
    }
    if (nearest) {
        *nearest = bestIndex;
    }
    return best;
}
