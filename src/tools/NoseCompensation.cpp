// Offsetting a pass by the nose radius: moved lines, changed arc radii, corner arcs and trimmed
// joins, then the shift from the nose centre to the imaginary tip point.
#include "tools/NoseCompensation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/Tool.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEps = 1e-9;
constexpr double kOnSegment = 1e-7;  // mm: how far an intersection may lie beyond a segment's end

struct CVec {
    double a = 0.0;  // Z
    double b = 0.0;  // X
};

CVec Of(const CNosePathPoint& p) { return {p.dZ, p.dX}; }
CNosePathPoint At(CVec v) { return {v.a, v.b}; }
CVec operator+(CVec p, CVec q) { return {p.a + q.a, p.b + q.b}; }
CVec operator-(CVec p, CVec q) { return {p.a - q.a, p.b - q.b}; }
CVec operator*(double k, CVec p) { return {k * p.a, k * p.b}; }
double Dot(CVec p, CVec q) { return p.a * q.a + p.b * q.b; }
double Cross(CVec p, CVec q) { return p.a * q.b - p.b * q.a; }
double Length(CVec p) { return std::sqrt(p.a * p.a + p.b * p.b); }
CVec Unit(CVec p) {
    const double len = Length(p);
    return len > 0.0 ? CVec{p.a / len, p.b / len} : CVec{};
}
CVec LeftOf(CVec t) { return {-t.b, t.a}; }

double Radius(const CNosePathSegment& s) { return Length(Of(s.start) - Of(s.centre)); }

// The direction of travel where the segment is at point p.
CVec TangentAt(const CNosePathSegment& s, const CNosePathPoint& p) {
    if (!s.bArc) {
        return Unit(Of(s.end) - Of(s.start));
    }
    const CVec u = Unit(Of(p) - Of(s.centre));
    return s.bClockwise ? CVec{u.b, -u.a} : CVec{-u.b, u.a};
}

// The angle swept from a to b around c in the arc's sense, in [0, 2 pi).
double Sweep(const CNosePathSegment& s, CVec a, CVec b) {
    const CVec c = Of(s.centre);
    double angle = std::atan2(b.b - c.b, b.a - c.a) - std::atan2(a.b - c.b, a.a - c.a);
    if (s.bClockwise) {
        angle = -angle;
    }
    while (angle < 0.0) {
        angle += 2.0 * kPi;
    }
    while (angle >= 2.0 * kPi) {
        angle -= 2.0 * kPi;
    }
    return angle;
}

bool OnSegment(const CNosePathSegment& s, CVec p) {
    if (!s.bArc) {
        const CVec d = Of(s.end) - Of(s.start);
        const double len = Length(d);
        if (len < kEps) {
            return Length(p - Of(s.start)) < kOnSegment;
        }
        const double t = Dot(p - Of(s.start), d) / len;
        return t >= -kOnSegment && t <= len + kOnSegment;
    }
    const double radius = Radius(s);
    const double tolerance = radius > kEps ? kOnSegment / radius : 2.0 * kPi;
    const double full = Sweep(s, Of(s.start), Of(s.end));
    double at = Sweep(s, Of(s.start), p);
    if (at > 2.0 * kPi - tolerance) {
        at = 0.0;
    }
    return at <= full + tolerance;
}

// At most two common points of two lines or circles.
struct CPoints {
    CVec at[2];
    int n = 0;
    void push_back(CVec p) { at[n++] = p; }
    const CVec* begin() const { return at; }
    const CVec* end() const { return at + n; }
};

// The points the two segments' carrying lines or circles have in common.
CPoints Intersections(const CNosePathSegment& s1, const CNosePathSegment& s2) {
    CPoints points;
    const auto lineCircle = [&points](CVec p, CVec d, CVec c, double r) {
        const CVec f = p - c;
        const double b = Dot(f, d);
        double disc = b * b - (Dot(f, f) - r * r);
        if (disc < 0.0 && disc > -1e-12) {
            disc = 0.0;
        }
        if (disc < 0.0) {
            return;
        }
        const double root = std::sqrt(disc);
        points.push_back(p + (-b + root) * d);
        points.push_back(p + (-b - root) * d);
    };
    if (!s1.bArc && !s2.bArc) {
        const CVec p = Of(s1.start);
        const CVec d = Of(s1.end) - p;
        const CVec q = Of(s2.start);
        const CVec e = Of(s2.end) - q;
        const double denom = Cross(d, e);
        if (std::fabs(denom) > kEps * Length(d) * Length(e)) {
            points.push_back(p + (Cross(q - p, e) / denom) * d);
        }
    } else if (s1.bArc != s2.bArc) {
        const CNosePathSegment& line = s1.bArc ? s2 : s1;
        const CNosePathSegment& arc = s1.bArc ? s1 : s2;
        const CVec d = Unit(Of(line.end) - Of(line.start));
        if (Length(d) > 0.0) {
            lineCircle(Of(line.start), d, Of(arc.centre), Radius(arc));
        }
    } else {
        const CVec c1 = Of(s1.centre);
        const CVec c2 = Of(s2.centre);
        const double r1 = Radius(s1);
        const double r2 = Radius(s2);
        const double dist = Length(c2 - c1);
        if (dist > kEps) {
            const double a = (r1 * r1 - r2 * r2 + dist * dist) / (2.0 * dist);
            double h2 = r1 * r1 - a * a;
            if (h2 < 0.0 && h2 > -1e-10) {
                h2 = 0.0;
            }
            if (h2 >= 0.0) {
                const CVec u = Unit(c2 - c1);
                const CVec m = c1 + a * u;
                const double h = std::sqrt(h2);
                points.push_back(m + h * LeftOf(u));
                points.push_back(m - h * LeftOf(u));
            }
        }
    }
    return points;
}

constexpr size_t kLookAhead = 4;

// The nose centre's arc around a corner the path turns away from the tool at.
CNosePathSegment CornerArc(const CNosePathPoint& from, const CNosePathPoint& to, const CNosePathPoint& corner,
                           bool toolLeft) {
    CNosePathSegment arc;
    arc.bArc = true;
    arc.start = from;
    arc.end = to;
    arc.centre = corner;
    arc.bClockwise = toolLeft;
    return arc;
}

// How far along s the point p lies from its start (in the arc's sense for arcs).
double Along(const CNosePathSegment& s, CVec p) {
    if (!s.bArc) {
        return Dot(p - Of(s.start), Unit(Of(s.end) - Of(s.start)));
    }
    return Sweep(s, Of(s.start), p) * Radius(s);
}

// The point where two offset segments meet within both: the one nearest the profile corner, or
// with earliest the first one s1 reaches. Its measure is left in measure.
bool Join(const CNosePathSegment& s1, const CNosePathSegment& s2, CVec corner, bool earliest, CVec& best,
          double& measure) {
    bool found = false;
    for (const CVec& p : Intersections(s1, s2)) {
        if (!OnSegment(s1, p) || !OnSegment(s2, p)) {
            continue;
        }
        const double m = earliest ? Along(s1, p) : Length(p - corner);
        if (!found || m < measure) {
            found = true;
            best = p;
            measure = m;
        }
    }
    return found;
}

double SignOf(bool toolLeft) { return toolLeft ? 1.0 : -1.0; }

}  // namespace

CCompensationResult CNoseCompensation::Compute(const std::vector<CNosePathSegment>& given, double noseRadius,
                                               int orientation, bool toolLeft, double allowance) {
    // Segments without length have no direction to offset along; they are passed over.
    std::vector<CNosePathSegment> profile;
    profile.reserve(given.size());
    for (size_t i = 0; i < given.size(); ++i) {
        if (Length(Of(given[i].end) - Of(given[i].start)) >= kEps) {
            profile.push_back(given[i]);
            profile.back().nSource = static_cast<int>(i);
        }
    }
    CCompensationResult result;
    // The centre's track runs at the nose radius plus the allowance; the tip lies a nose radius
    // from it.
    const double r = noseRadius + std::max(allowance, 0.0);
    const double side = SignOf(toolLeft);
    const auto refuse = [&result](int segment, double z, std::string reason) {
        result.nFaultSegment = segment;
        result.dFaultZ = z;
        result.strReason = std::move(reason);
        result.path.clear();
        return result;
    };
    // Every segment moved to the nose centre's track.
    std::vector<CNosePathSegment> moved;
    moved.reserve(profile.size());
    for (size_t i = 0; i < profile.size(); ++i) {
        CNosePathSegment s = profile[i];
        if (!s.bArc) {
            const CVec n = side * LeftOf(TangentAt(s, s.start));
            s.start = At(Of(s.start) + r * n);
            s.end = At(Of(s.end) + r * n);
        } else {
            const double radius = Radius(s);
            // Left of a counter-clockwise arc lies its centre.
            const double outward = (s.bClockwise ? 1.0 : -1.0) * side;
            const double changed = radius + outward * r;
            if (changed <= kOnSegment) {
                char text[160];
                std::snprintf(text, sizeof text, "the concave arc of radius %.3f mm is no larger than the nose radius %.3f mm%s",
                              radius, noseRadius, allowance > 0.0 ? " and the allowance" : "");
                return refuse(profile[i].nSource, s.start.dZ, text);
            }
            const CVec c = Of(s.centre);
            s.start = At(c + changed * Unit(Of(s.start) - c));
            s.end = At(c + changed * Unit(Of(s.end) - c));
        }
        moved.push_back(s);
    }
    // The joins, in the order of travel.
    std::vector<CNosePathSegment>& out = result.path;
    size_t i = 0;
    while (i < moved.size()) {
        if (i + 1 == moved.size()) {
            out.push_back(moved[i]);
            break;
        }
        const CNosePathPoint corner = profile[i].end;
        if (Length(Of(profile[i + 1].start) - Of(corner)) > kOnSegment) {
            return refuse(profile[i + 1].nSource, corner.dZ, "the profile is not connected there");
        }
        const CVec t1 = TangentAt(profile[i], profile[i].end);
        const CVec t2 = TangentAt(profile[i + 1], profile[i + 1].start);
        const double cross = Cross(t1, t2);
        const bool straight = std::fabs(cross) < kEps && Dot(t1, t2) > 0.0;
        const bool convex = !straight && (std::fabs(cross) < kEps || cross * side < 0.0);
        if (straight || r <= 0.0) {
            moved[i + 1].start = moved[i].end;
            out.push_back(moved[i]);
            ++i;
            continue;
        }
        if (convex) {
            out.push_back(moved[i]);
            out.push_back(CornerArc(moved[i].end, moved[i + 1].start, corner, toolLeft));
            ++i;
            continue;
        }
        // A short segment behind a concave corner may lie wholly inside the nose's reach: the
        // path then meets a later segment, or the nose's arc around a later convex corner, and
        // the nose can't touch what lies between.
        size_t next = i + 1;
        CVec best;
        double measure = 0.0;
        bool found = Join(moved[i], moved[next], Of(corner), false, best, measure);
        bool viaCorner = false;
        CNosePathSegment cornerArc;
        // Beyond the next segment the path takes the first obstacle it runs into.
        const bool adjacent = found;
        for (size_t k = i + 1; !adjacent && k + 1 < moved.size() && k <= i + kLookAhead; ++k) {
            CVec p;
            double m = 0.0;
            const CVec u1 = TangentAt(profile[k], profile[k].end);
            const CVec u2 = TangentAt(profile[k + 1], profile[k + 1].start);
            if (Cross(u1, u2) * side < -kEps) {
                const CNosePathSegment arc =
                    CornerArc(moved[k].end, moved[k + 1].start, profile[k].end, toolLeft);
                if (Join(moved[i], arc, Of(corner), true, p, m) && (!found || m < measure)) {
                    found = viaCorner = true;
                    best = p;
                    measure = m;
                    next = k + 1;
                    cornerArc = arc;
                }
            }
            if (Join(moved[i], moved[k + 1], Of(corner), true, p, m) && (!found || m < measure)) {
                found = true;
                viaCorner = false;
                best = p;
                measure = m;
                next = k + 1;
            }
        }
        if (!found) {
            return refuse(profile[i + 1].nSource, corner.dZ,
                          "the insert does not fit into the corner: the gap is narrower than its nose");
        }
        moved[i].end = At(best);
        out.push_back(moved[i]);
        if (viaCorner) {
            cornerArc.start = At(best);
            out.push_back(cornerArc);
        } else {
            moved[next].start = At(best);
        }
        i = next;
    }
    const CTipDirection tip = CTool::TipDirection(orientation);
    const CVec shift{noseRadius * tip.dZ, noseRadius * tip.dX};
    for (CNosePathSegment& s : out) {
        s.start = At(Of(s.start) + shift);
        s.end = At(Of(s.end) + shift);
        s.centre = At(Of(s.centre) + shift);
    }
    result.bOk = true;
    return result;
}
