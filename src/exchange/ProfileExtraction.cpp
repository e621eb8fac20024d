// Chaining, clipping to the upper half, splitting into Z-monotone pieces and the outline from above.
#include "exchange/ProfileExtraction.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>
#include <span>

#include "exchange/NodeIndex.h"
#include "platform/Units.h"

namespace {

constexpr double kJoin = CNodeIndex::kJoin;  // ends this close are one point
constexpr double kFlat = 1e-7;   // mm: a stretch this short in Z is vertical
constexpr double kPi = std::numbers::pi;

const char* const kInside = "closed contour of the inside";
const char* const kBack = "segment that runs back in Z";
const char* const kHidden = "segment hidden under the profile";
const char* const kCircle = "CIRCLE not cut by the profile";
const char* const kShort = "span shorter than a model unit";

double Dist(CPlanePoint a, CPlanePoint b) {
    return std::hypot(a.z - b.z, a.x - b.x);
}

// A stretch of one chain that runs monotonically in Z, oriented with ascending Z.
struct CMonotone {
    CDxfSegment seg;
    int chain = 0;
    int direction = 1;  // +1 when the chain runs toward larger Z here
    bool taken = false;
    bool mirrored = false;  // drawn on the axis's other side

    double Z0() const { return seg.m_a.z; }
    double Z1() const { return seg.m_b.z; }
    // Radial coordinate at z (z within the piece).
    double XAt(double z) const {
        if (!seg.m_bArc) {
            const double dz = seg.m_b.z - seg.m_a.z;
            return dz > 0.0 ? seg.m_a.x + (seg.m_b.x - seg.m_a.x) * (z - seg.m_a.z) / dz : seg.m_a.x;
        }
        const double upper = seg.At(0.5).x >= seg.m_center.x ? 1.0 : -1.0;
        const double dz = z - seg.m_center.z;
        const double h = seg.m_dRadius * seg.m_dRadius - dz * dz;
        return seg.m_center.x + upper * std::sqrt(h > 0.0 ? h : 0.0);
    }
    CPlanePoint PointAt(double z) const { return {z, XAt(z)}; }
};

// The chains as runs of steps: each step a segment, walked forward (from its start) or back.
struct CChains {
    struct CStep {
        int segment;
        bool forward;
    };
    std::vector<CStep> steps;
    std::vector<size_t> first;  // each chain's first step; one more entry: the end of the last
    std::vector<bool> closed;
    size_t size() const { return closed.size(); }
};

// The segments that end at each node, in the order of the segments, all in one array.
class CTouching {
public:
    CTouching(const std::vector<std::pair<int, int>>& ends, size_t nodes) : m_first(nodes + 1, 0) {
        for (const auto& [a, b] : ends) {
            ++m_first[static_cast<size_t>(a) + 1];
            ++m_first[static_cast<size_t>(b) + 1];
        }
        for (size_t n = 1; n <= nodes; ++n) {
            m_first[n] += m_first[n - 1];
        }
        std::vector<size_t> fill(m_first.begin(), m_first.end() - 1);
        m_segments.resize(2 * ends.size());
        for (size_t i = 0; i < ends.size(); ++i) {
            m_segments[fill[static_cast<size_t>(ends[i].first)]++] = static_cast<int>(i);
            m_segments[fill[static_cast<size_t>(ends[i].second)]++] = static_cast<int>(i);
        }
    }

    size_t size() const { return m_first.size() - 1; }
    std::span<const int> operator[](size_t node) const {
        return {m_segments.data() + m_first[node], m_first[node + 1] - m_first[node]};
    }

private:
    std::vector<size_t> m_first;
    std::vector<int> m_segments;
};

// Joins the segments' ends into nodes (moving every end onto its node) and walks the chains.
CChains JoinChains(std::vector<CDxfSegment>& segments) {
    CNodeIndex index(segments.size());
    std::vector<std::pair<int, int>> ends;
    ends.reserve(segments.size());
    for (const CDxfSegment& s : segments) {
        ends.emplace_back(index.Find(s.m_a, !s.m_bArc), index.Find(s.m_b, !s.m_bArc));
    }
    // Joined ends become one point.
    for (size_t i = 0; i < segments.size(); ++i) {
        segments[i].m_a = index.Point(ends[i].first);
        segments[i].m_b = index.Point(ends[i].second);
    }
    const CTouching touching(ends, index.Size());
    std::vector<bool> used(segments.size(), false);
    CChains chains;
    chains.steps.reserve(segments.size());
    chains.first.push_back(0);
    // Walks from node along unused segments while the path does not branch.
    auto walk = [&](size_t first, int fromNode) {
        bool closed = false;
        int node = fromNode;
        size_t current = first;
        while (true) {
            used[current] = true;
            const bool forward = ends[current].first == node;
            chains.steps.push_back({static_cast<int>(current), forward});
            node = forward ? ends[current].second : ends[current].first;
            const std::span<const int> next = touching[static_cast<size_t>(node)];
            if (next.size() != 2) {
                break;
            }
            const size_t other = static_cast<size_t>(next[0]) == current ? static_cast<size_t>(next[1])
                                                                         : static_cast<size_t>(next[0]);
            if (used[other]) {
                closed = node == fromNode;
                break;
            }
            current = other;
        }
        chains.first.push_back(chains.steps.size());
        chains.closed.push_back(closed);
    };
    // Open chains first, from their free or branching ends, then the closed loops.
    for (size_t n = 0; n < touching.size(); ++n) {
        if (touching[n].size() == 2) {
            continue;
        }
        for (int s : touching[n]) {
            if (!used[static_cast<size_t>(s)]) {
                walk(static_cast<size_t>(s), static_cast<int>(n));
            }
        }
    }
    for (size_t s = 0; s < segments.size(); ++s) {
        if (!used[s]) {
            walk(s, ends[s].first);
        }
    }
    return chains;
}

// Arcs of the circles between the points where other segments end on them.
void CutCircles(const CDxfContent& content, std::vector<CDxfSegment>& segments, int& uncut, double scale,
                CPlanePoint origin) {
    const size_t given = segments.size();
    for (const CDxfContent::CCircle& circle : content.m_circles) {
        const CPlanePoint c{circle.m_center.z * scale - origin.z, circle.m_center.x * scale - origin.x};
        const double r = circle.m_dRadius * scale;
        std::vector<double> angles;
        for (size_t i = 0; i < given; ++i) {
            for (CPlanePoint p : {segments[i].m_a, segments[i].m_b}) {
                if (std::fabs(Dist(p, c) - r) <= kJoin) {
                    angles.push_back(std::atan2(p.x - c.x, p.z - c.z));
                }
            }
        }
        std::sort(angles.begin(), angles.end());
        angles.erase(std::unique(angles.begin(), angles.end(),
                                 [r](double a, double b) { return (b - a) * r <= kJoin; }),
                     angles.end());
        if (angles.size() > 1 && (angles.front() + 2 * kPi - angles.back()) * r <= kJoin) {
            angles.pop_back();
        }
        if (angles.size() < 2) {
            ++uncut;
            continue;
        }
        for (size_t i = 0; i < angles.size(); ++i) {
            const double a = angles[i];
            const double b = i + 1 < angles.size() ? angles[i + 1] : angles.front() + 2 * kPi;
            segments.push_back(CDxfSegment::ArcOf(c, r, a, b - a));
        }
    }
}

// Fractions of the segment where it crosses the axis or, for an arc, passes its leftmost or
// rightmost point; sorted, with 0 and 1.
// A few fractions of a segment, kept without the heap: a segment is split at most at its two
// ends, four turning or crossing angles and their turns inside the sweep.
class CFractions {
public:
    void push_back(double f) {
        if (m_nCount < m_values.size()) {
            m_values[m_nCount++] = f;
        }
    }
    size_t size() const { return m_nCount; }
    double operator[](size_t i) const { return m_values[i]; }
    double* begin() { return m_values.data(); }
    double* end() { return m_values.data() + m_nCount; }
    const double* begin() const { return m_values.data(); }
    const double* end() const { return m_values.data() + m_nCount; }

private:
    std::array<double, 32> m_values{};
    size_t m_nCount = 0;
};

CFractions SplitFractions(const CDxfSegment& s) {
    CFractions t;
    t.push_back(0.0);
    t.push_back(1.0);
    if (!s.m_bArc) {
        if ((s.m_a.x < 0.0) != (s.m_b.x < 0.0)) {
            t.push_back(s.m_a.x / (s.m_a.x - s.m_b.x));
        }
    } else {
        CFractions angles;
        // An end that overshoots the leftmost or rightmost point by less than the join tolerance
        // is rounding, not a turn in Z.
        for (double extreme : {0.0, kPi}) {
            const double z = s.m_center.z + s.m_dRadius * std::cos(extreme);
            if (std::fabs(z - s.m_a.z) > kJoin && std::fabs(z - s.m_b.z) > kJoin) {
                angles.push_back(extreme);
            }
        }
        const double h = -s.m_center.x / s.m_dRadius;
        if (h > -1.0 && h < 1.0) {
            angles.push_back(std::asin(h));
            angles.push_back(kPi - std::asin(h));
        }
        for (double angle : angles) {
            // Every turn of the angle that falls inside the sweep.
            for (int k = -3; k <= 3; ++k) {
                const double f = (angle + 2 * kPi * k - s.m_dStart) / s.m_dSweep;
                if (f > 1e-12 && f < 1 - 1e-12) {
                    t.push_back(f);
                }
            }
        }
    }
    std::sort(t.begin(), t.end());
    return t;
}

// The segment's image across the axis.
CDxfSegment Mirrored(CDxfSegment s) {
    s.m_a.x = -s.m_a.x;
    s.m_b.x = -s.m_b.x;
    s.m_center.x = -s.m_center.x;
    s.m_dStart = -s.m_dStart;
    s.m_dSweep = -s.m_dSweep;
    return s;
}

// Whether the values ascend (none below the one before, none NaN) with no zero of one sign among
// zeros of the other: sorting them would then change nothing that can be told apart.
bool Ascending(const std::vector<double>& values) {
    bool zero[2] = {false, false};
    for (size_t i = 0; i < values.size(); ++i) {
        if (std::isnan(values[i]) || (i > 0 && values[i] < values[i - 1])) {
            return false;
        }
        if (values[i] == 0.0) {
            zero[std::signbit(values[i]) ? 1 : 0] = true;
        }
    }
    return !(zero[0] && zero[1]);
}

void AddNote(std::vector<CImportNote>& notes, const char* what, int count) {
    if (count > 0) {
        notes.push_back({what, count});
    }
}

// The chains' Z-monotone pieces above the axis, each oriented to ascending Z; closed tells of
// each chain whether it is a loop.
std::vector<CMonotone> MonotonePieces(std::vector<CDxfSegment> segments, std::vector<bool>& closed) {
    std::vector<CMonotone> pieces;
    pieces.reserve(segments.size());
    const CChains chains = JoinChains(segments);
    closed = chains.closed;
    for (size_t c = 0; c < chains.size(); ++c) {
        for (size_t step = chains.first[c]; step < chains.first[c + 1]; ++step) {
            const CChains::CStep& at = chains.steps[step];
            const CDxfSegment& given = segments[static_cast<size_t>(at.segment)];
            const CDxfSegment s = at.forward ? given : given.Reversed();
            const CFractions t = SplitFractions(s);
            for (size_t i = 1; i < t.size(); ++i) {
                CDxfSegment part = s.Part(t[i - 1], t[i]);
                if (std::fabs(part.m_b.z - part.m_a.z) < kFlat) {
                    continue;
                }
                // The profile is the distance from the axis, on whichever side it is drawn. An arc
                // of a circle wholly above the axis has its middle above it: no point to work out.
                const bool above = part.m_bArc && part.m_dRadius >= 0.0 && part.m_center.x > part.m_dRadius;
                const bool mirrored = !above && part.At(0.5).x < 0.0;
                if (mirrored) {
                    part = Mirrored(part);
                }
                CMonotone m;
                m.mirrored = mirrored;
                m.chain = static_cast<int>(c);
                m.direction = part.m_b.z > part.m_a.z ? 1 : -1;
                m.seg = m.direction > 0 ? part : part.Reversed();
                pieces.push_back(m);
            }
        }
    }
    return pieces;
}

}  // namespace

std::vector<std::string> CImportResult::ReportLines() const {
    int lines = 0;
    for (const CImportPiece& p : m_pieces) {
        lines += p.m_bArc ? 0 : 1;
    }
    std::vector<std::string> out;
    if (!m_strAxis.empty()) {
        out.push_back("axis: " + m_strAxis);
    }
    if (m_pieces.empty() && !m_strReason.empty()) {
        out.push_back(m_strReason);
    } else {
        out.push_back("taken: " + std::to_string(lines) + " lines, " +
                      std::to_string(static_cast<int>(m_pieces.size()) - lines) + " arcs");
    }
    if (!m_strShift.empty() && !m_pieces.empty()) {
        out.push_back(m_strShift);
    }
    for (const CImportNote& note : m_notes) {
        out.push_back("not taken: " + note.m_strWhat + ": " + std::to_string(note.m_nCount));
    }
    return out;
}

bool CImportResult::PartSize(double& lengthMm, double& diameterMm) const {
    if (m_pieces.empty()) {
        return false;
    }
    double top = 0.0;
    for (const CImportPiece& p : m_pieces) {
        top = std::max({top, double(p.m_ptStart.y), double(p.m_ptEnd.y), double(p.m_ptMid.y)});
        // An arc over its highest point: the top of its circle.
        if (p.m_bArc && p.m_ptStart.x < p.m_dCenterZ && p.m_dCenterZ < p.m_ptEnd.x &&
            p.m_ptMid.y > p.m_dCenterX) {
            top = std::max(top, p.m_dCenterX + p.m_dRadius);
        }
    }
    lengthMm = (m_pieces.back().m_ptEnd.x - m_pieces.front().m_ptStart.x) / kUnitsPerMm;
    diameterMm = 2.0 * top / kUnitsPerMm;
    return true;
}

CImportResult CProfileExtraction::Extract(const CDxfContent& content) const {
    return Extract(content, content.m_segments);
}

CImportResult CProfileExtraction::Extract(const CDxfContent& content, std::vector<CDxfSegment> segments) const {
    CImportResult result;
    for (CDxfSegment& s : segments) {
        for (CPlanePoint* p : {&s.m_a, &s.m_b, &s.m_center}) {
            *p = {p->z * m_dScale - m_origin.z, p->x * m_dScale - m_origin.x};
        }
        s.m_dRadius *= m_dScale;
    }
    int uncut = 0;
    CutCircles(content, segments, uncut, m_dScale, m_origin);
    // Z-monotone pieces above the axis, each oriented to ascending Z.
    std::vector<bool> closed;
    std::vector<CMonotone> pieces = MonotonePieces(std::move(segments), closed);

    // The outline from above: between consecutive piece ends the highest piece wins.
    std::vector<double> cuts;
    cuts.reserve(2 * pieces.size());
    for (const CMonotone& m : pieces) {
        cuts.push_back(m.Z0());
        cuts.push_back(m.Z1());
    }
    // A drawing's pieces mostly come in order along Z already, where sorting would change nothing.
    if (!Ascending(cuts)) {
        std::sort(cuts.begin(), cuts.end());
    }
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    std::vector<size_t> order(pieces.size());
    bool inOrder = true;
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
        inOrder = inOrder && (i == 0 || pieces[i - 1].Z0() < pieces[i].Z0());
    }
    // Pieces that start at distinct places have one order only; ties keep the sort's.
    if (!inOrder) {
        std::sort(order.begin(), order.end(),
                  [&](size_t a, size_t b) { return pieces[a].Z0() < pieces[b].Z0(); });
    }
    struct CSpan {
        size_t piece;
        double z0;
        double z1;
    };
    std::vector<CSpan> spans;
    std::vector<size_t> active;
    size_t next = 0;
    for (size_t i = 1; i < cuts.size(); ++i) {
        const double z0 = cuts[i - 1];
        const double z1 = cuts[i];
        const double mid = (z0 + z1) / 2.0;
        while (next < order.size() && pieces[order[next]].Z0() <= z0) {
            active.push_back(order[next++]);
        }
        std::erase_if(active, [&](size_t p) { return pieces[p].Z1() <= z0; });
        if (z1 - z0 < kFlat) {
            continue;
        }
        size_t best = pieces.size();
        // The highest wins; of two at one height, the one drawn on the axis's own side.
        for (size_t p : active) {
            if (pieces[p].Z1() < z1) {
                continue;
            }
            const double rise = best == pieces.size() ? 1.0 : pieces[p].XAt(mid) - pieces[best].XAt(mid);
            if (rise > 1e-9 || (rise >= -1e-9 && pieces[best].mirrored && !pieces[p].mirrored)) {
                best = p;
            }
        }
        if (best == pieces.size()) {
            continue;
        }
        pieces[best].taken = true;
        if (!spans.empty() && spans.back().piece == best && spans.back().z1 == z0) {
            spans.back().z1 = z1;
        } else {
            spans.push_back({best, z0, z1});
        }
    }

    result.m_pieces.reserve(spans.size());
    int tooShort = 0;
    for (const CSpan& span : spans) {
        const CMonotone& m = pieces[span.piece];
        const auto model = [](CPlanePoint p) {
            return CPoint{Round(p.z * kUnitsPerMm), Round(p.x * kUnitsPerMm)};
        };
        CImportPiece piece;
        piece.m_bArc = m.seg.m_bArc;
        // Near its own ends a piece keeps them: an arc's end may lie a rounding past its
        // leftmost or rightmost point, where the circle's other branch begins.
        piece.m_ptStart = model(span.z0 - m.Z0() < kJoin ? m.seg.m_a : m.PointAt(span.z0));
        piece.m_ptEnd = model(m.Z1() - span.z1 < kJoin ? m.seg.m_b : m.PointAt(span.z1));
        piece.m_ptMid = model(m.PointAt((span.z0 + span.z1) / 2.0));
        if (piece.m_bArc) {
            piece.m_dCenterZ = m.seg.m_center.z * kUnitsPerMm;
            piece.m_dCenterX = m.seg.m_center.x * kUnitsPerMm;
            piece.m_dRadius = m.seg.m_dRadius * kUnitsPerMm;
        }
        // Near a join rounding may put this start a few units before the previous end (which
        // kept its own end): the two meet there instead of overlapping.
        if (!result.m_pieces.empty() && piece.m_ptStart.x < result.m_pieces.back().m_ptEnd.x) {
            piece.m_ptStart.x = result.m_pieces.back().m_ptEnd.x;
        }
        if (piece.m_ptEnd.x <= piece.m_ptStart.x) {
            ++tooShort;
            continue;
        }
        result.m_pieces.push_back(piece);
    }

    // What was not taken, by chain.
    // The side most of the outline was taken from; what lies on the other side is the other half
    // of a full view and is not reported piece by piece.
    double takenBySide[2] = {0.0, 0.0};
    for (const CMonotone& m : pieces) {
        takenBySide[m.mirrored ? 1 : 0] += m.taken ? m.Z1() - m.Z0() : 0.0;
    }
    const bool mainSideMirrored = takenBySide[1] > takenBySide[0];
    std::vector<int> taken(closed.size(), 0);
    std::vector<double> travel(closed.size(), 0.0);
    for (const CMonotone& m : pieces) {
        if (m.mirrored != mainSideMirrored) {
            continue;
        }
        const double length = (m.Z1() - m.Z0()) * m.direction;
        taken[static_cast<size_t>(m.chain)] += m.taken ? 1 : 0;
        // The chain's own direction: that of what was taken, else of its whole run.
        travel[static_cast<size_t>(m.chain)] += m.taken ? length * 1e6 : length;
    }
    int inside = 0, back = 0, hidden = 0;
    std::vector<bool> counted(closed.size(), false);
    for (const CMonotone& m : pieces) {
        const size_t c = static_cast<size_t>(m.chain);
        if (m.taken) {
            continue;
        }
        if (closed[c] && taken[c] == 0) {
            inside += counted[c] ? 0 : 1;
            counted[c] = true;
        } else if (m.mirrored != mainSideMirrored) {
            continue;
        } else if (m.direction * travel[c] < 0.0) {
            ++back;
        } else {
            ++hidden;
        }
    }
    for (const auto& [kind, count] : content.m_leftOut) {
        result.m_notes.push_back({kind, count});
    }
    for (const auto& [kind, count] : content.m_skipped) {
        result.m_notes.push_back({"entity kind not read: " + kind, count});
    }
    AddNote(result.m_notes, kInside, inside);
    AddNote(result.m_notes, kBack, back);
    AddNote(result.m_notes, kHidden, hidden);
    AddNote(result.m_notes, kCircle, uncut);
    AddNote(result.m_notes, kShort, tooShort);
    return result;
}
