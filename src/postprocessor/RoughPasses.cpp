// Level passes over a turned profile: where the tool may go at each level, and the moves there.
#include "postprocessor/RoughPasses.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Chords stay this close to their arcs; the passes keep this much further off.
constexpr double kSag = 0.001;
// The profile is looked at every hundredth of a millimetre along Z.
constexpr double kGrid = 0.01;
// A profile longer than this many grid steps is looked at more coarsely.
constexpr double kMaxSteps = 2.0e6;
// Grid points times levels beyond which the passes are not worked out.
constexpr double kMaxWork = 2.0e8;
constexpr double kBlocked = std::numeric_limits<double>::infinity();

void AppendArc(const CNosePathSegment& s, std::vector<CNosePathPoint>& out) {
    const double r = std::hypot(s.start.dZ - s.centre.dZ, s.start.dX - s.centre.dX);
    const double a0 = std::atan2(s.start.dX - s.centre.dX, s.start.dZ - s.centre.dZ);
    const double a1 = std::atan2(s.end.dX - s.centre.dX, s.end.dZ - s.centre.dZ);
    double sweep = s.bClockwise ? a0 - a1 : a1 - a0;
    while (sweep <= 0.0) {
        sweep += 2.0 * kPi;
    }
    const double step = r > kSag ? 2.0 * std::acos(1.0 - kSag / r) : sweep;
    const int n = std::clamp(static_cast<int>(std::ceil(sweep / step)), 1, 100000);
    for (int k = 1; k < n; ++k) {
        const double a = s.bClockwise ? a0 - sweep * k / n : a0 + sweep * k / n;
        out.push_back({s.centre.dZ + r * std::cos(a), s.centre.dX + r * std::sin(a)});
    }
    out.push_back(s.end);
}

// The highest X of the polyline within [z - reach, z + reach] for every grid point from z0 on.
std::vector<double> Heights(const std::vector<CNosePathPoint>& poly, double z0, double h, size_t count) {
    std::vector<double> top(count, -kBlocked);
    for (size_t k = 1; k < poly.size(); ++k) {
        const CNosePathPoint& p = poly[k - 1];
        const CNosePathPoint& q = poly[k];
        const double lo = std::min(p.dZ, q.dZ);
        const double hi = std::max(p.dZ, q.dZ);
        const auto first = static_cast<long long>(std::floor((lo - z0) / h));
        const auto last = static_cast<long long>(std::ceil((hi - z0) / h));
        for (long long i = std::max(0LL, first); i <= last && i < static_cast<long long>(count); ++i) {
            const double z = z0 + static_cast<double>(i) * h;
            const double a = std::clamp(z - h, lo, hi);
            const double b = std::clamp(z + h, lo, hi);
            double x = std::max(p.dX, q.dX);
            if (hi - lo > 1e-12) {
                const double xa = p.dX + (q.dX - p.dX) * (a - p.dZ) / (q.dZ - p.dZ);
                const double xb = p.dX + (q.dX - p.dX) * (b - p.dZ) / (q.dZ - p.dZ);
                x = std::max(xa, xb);
            }
            top[static_cast<size_t>(i)] = std::max(top[static_cast<size_t>(i)], x);
        }
    }
    return top;
}

// Keeps the points where the line bends by more than kSag: from each kept point, the directions
// that pass every later point within kSag narrow with each point, and the first point outside
// them ends the straight run at the point before it. The points run towards larger Z.
std::vector<CNosePathPoint> Simplified(const std::vector<CNosePathPoint>& points) {
    std::vector<CNosePathPoint> kept{points.front()};
    size_t anchor = 0;
    double lo = -kPi, hi = kPi;
    for (size_t j = 1; j < points.size(); ++j) {
        const CNosePathPoint& a = points[anchor];
        const double dz = points[j].dZ - a.dZ, dx = points[j].dX - a.dX;
        const double d = std::hypot(dz, dx);
        const double angle = std::atan2(dx, dz);
        if (j > anchor + 1 && (angle < lo || angle > hi)) {
            anchor = j - 1;
            kept.push_back(points[anchor]);
            lo = -kPi;
            hi = kPi;
            --j;  // the point is looked at again from the new anchor
            continue;
        }
        if (d > kSag) {
            const double spread = std::asin(kSag / d);
            lo = std::max(lo, angle - spread);
            hi = std::min(hi, angle + spread);
        }
    }
    if (points.size() > 1) {
        kept.push_back(points.back());
    }
    return kept;
}

class CWriter {
public:
    explicit CWriter(std::vector<CRoughMove>& moves, double z, double x) : m_moves(moves), m_dZ(z), m_dX(x) {}
    void Rapid(double z, double x) { Add(true, z, x); }
    void Feed(double z, double x) { Add(false, z, x); }
    double Z() const { return m_dZ; }
    double X() const { return m_dX; }

private:
    void Add(bool rapid, double z, double x) {
        if (std::fabs(z - m_dZ) < 1e-9 && std::fabs(x - m_dX) < 1e-9) {
            return;
        }
        m_moves.push_back({rapid, z, x});
        m_dZ = z;
        m_dX = x;
    }
    std::vector<CRoughMove>& m_moves;
    double m_dZ;
    double m_dX;
};

}  // namespace

std::vector<CNosePathPoint> CRoughPasses::Polyline(const std::vector<CNosePathSegment>& profile) {
    std::vector<CNosePathPoint> poly;
    for (const CNosePathSegment& s : profile) {
        if (poly.empty()) {
            poly.push_back(s.start);
        }
        if (s.bArc) {
            AppendArc(s, poly);
        } else {
            poly.push_back(s.end);
        }
    }
    return poly;
}

int CRoughPasses::FindFall(const std::vector<CNosePathSegment>& profile, double& z) {
    for (size_t k = 0; k < profile.size(); ++k) {
        const std::vector<CNosePathPoint> poly = Polyline({profile[k]});
        for (size_t i = 1; i < poly.size(); ++i) {
            if (poly[i].dX < poly[i - 1].dX - 1e-6) {
                z = poly[i - 1].dZ;
                return static_cast<int>(k);
            }
        }
    }
    return -1;
}

std::vector<CRoughMove> CRoughPasses::Compute(const std::vector<CNosePathSegment>& profile, const CRoughSpec& spec) {
    std::vector<CRoughMove> moves;
    const std::vector<CNosePathPoint> poly = Polyline(profile);
    if (poly.size() < 2 || !(spec.dDepth > 0.0)) {
        return moves;
    }
    const double z0 = poly.front().dZ;
    const double z1 = poly.back().dZ;
    if (!(z1 > z0)) {
        return moves;
    }
    const double h = std::max(kGrid, (z1 - z0) / kMaxSteps);
    const auto count = static_cast<size_t>(std::ceil((z1 - z0) / h)) + 1;
    const std::vector<double> top = Heights(poly, z0, h, count);
    // Where the tool point may go: the profile widened by the Z allowance and lifted by the X
    // allowance; the end face of the profile closes the passes.
    const double widen = std::ceil(std::max(0.0, spec.dAllowZ) / h);
    const size_t reach = widen < static_cast<double>(count) ? static_cast<size_t>(widen) : count;
    std::vector<double> floor(count, kBlocked);
    std::deque<size_t> window;  // indices of falling heights: the front is the window's highest
    for (size_t j = 0; j < count && j < reach; ++j) {
        while (!window.empty() && top[window.back()] <= top[j]) {
            window.pop_back();
        }
        window.push_back(j);
    }
    for (size_t i = 0; i + reach + 1 < count; ++i) {
        const size_t j = i + reach;
        while (!window.empty() && top[window.back()] <= top[j]) {
            window.pop_back();
        }
        window.push_back(j);
        while (window.front() + reach < i) {
            window.pop_front();
        }
        floor[i] = top[window.front()] + std::max(0.0, spec.dAllowX) + kSag;
    }
    const double lowest = *std::min_element(floor.begin(), floor.end());
    // Bad input (a depth of a thousandth over a long part) must not run for hours.
    if (std::isfinite(lowest) && (spec.dStartX - lowest) / spec.dDepth * static_cast<double>(count) > kMaxWork) {
        return moves;
    }
    const double retract = std::max(0.0, spec.dRetract);
    CWriter out(moves, spec.dStartZ, spec.dStartX);
    double previous = spec.dStartX;
    for (int k = 1;; ++k) {
        const double level = spec.dStartX - spec.dDepth * k;
        if (!(level > lowest)) {
            break;
        }
        const double lifted = std::min(level + retract, spec.dStartX);
        for (size_t i = 0; i < count;) {
            if (floor[i] > level) {
                ++i;
                continue;
            }
            const size_t from = i;
            while (i < count && floor[i] <= level) {
                ++i;
            }
            const double za = z0 + static_cast<double>(from) * h;
            const double zb = z0 + static_cast<double>(i - 1) * h;
            const bool front = from == 0;
            if (front) {
                out.Rapid(spec.dStartZ, out.X());
                out.Rapid(spec.dStartZ, level);
            } else {
                // A pocket: over it at the start X, down to what the level above left, then in.
                out.Rapid(out.Z(), spec.dStartX);
                out.Rapid(za, spec.dStartX);
                out.Rapid(za, std::min(previous + retract, spec.dStartX));
                out.Feed(za, level);
            }
            out.Feed(zb, level);
            out.Feed(zb - std::min(retract, zb - za), lifted);
            if (front) {
                out.Rapid(spec.dStartZ, lifted);
            } else {
                out.Rapid(out.Z(), spec.dStartX);
            }
        }
        previous = level;
    }
    // Semi-finishing: the stairs the levels leave, along the line the tool point may not pass.
    std::vector<CNosePathPoint> edge;
    for (size_t i = 0; i < count && floor[i] < kBlocked; ++i) {
        edge.push_back({z0 + static_cast<double>(i) * h, floor[i]});
    }
    out.Rapid(out.Z(), spec.dStartX);
    out.Rapid(spec.dStartZ, spec.dStartX);
    if (!edge.empty()) {
        out.Rapid(spec.dStartZ, edge.front().dX);
        for (const CNosePathPoint& p : Simplified(edge)) {
            out.Feed(p.dZ, p.dX);
        }
        out.Feed(edge.back().dZ, spec.dStartX);
    }
    out.Rapid(spec.dStartZ, spec.dStartX);
    return moves;
}
