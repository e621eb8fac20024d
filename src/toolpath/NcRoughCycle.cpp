// Roughing and finishing cycles over a profile. The profile is turned (rotated for G72, mirrored
// in Z and X) so that it runs with Z falling and X rising; passes are cut at falling X in that
// frame and mapped back. Tolerances are in the program's units, as the controller has them.
#include "toolpath/NcRoughCycle.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

using Pt = std::complex<double>;  // real: Z, imaginary: X

constexpr Pt kI{0.0, 1.0};
// Offsetting and pass loops end long before these on any sound profile; beyond them the cycle
// is reported instead of hanging the reader.
constexpr int kStepLimit = 200000;
constexpr int kDepthLimit = 1000;

struct CFault {
    std::string strText;
};

struct CSeg {
    bool bArc = false;
    bool bCcw = false;
    Pt s, e, c;

    double Size() const { return bArc ? std::min(std::abs(s - e), std::abs(s - c)) : std::abs(s - e); }

    bool Monotonic() const {
        if (!bArc) {
            return std::real(e - s) <= 1e-3;
        }
        const double entry = std::imag(s - c);
        const double exit = std::imag(e - c);
        const double dz = std::real(e - s);
        return bCcw ? entry >= -1e-3 && exit >= -1e-3 && dz <= -1e-3
                    : entry <= 1e-3 && exit <= 1e-3 && dz <= -1e-3;
    }

    void Offset(double distance) {
        if (bArc) {
            const double r = std::abs(s - c);
            const double factor = (r + (bCcw ? 1 : -1) * distance) / r;
            s = factor * (s - c) + c;
            e = factor * (e - c) + c;
        } else {
            const Pt d = kI * distance * (s - e) / std::abs(s - e);
            s += d;
            e += d;
        }
    }

    // Whether p lies within the arc's sweep.
    bool OnArc(Pt p) const {
        const double a = std::imag(std::conj(s - c) * (p - c));
        const double b = std::imag(std::conj(e - c) * (p - c));
        return bCcw ? a >= -1e-6 && b <= 1e-6 : a <= 1e-6 && b >= -1e-6;
    }

    // The Z values where the segment reaches X = x.
    std::vector<double> AtX(double x) const {
        std::vector<double> z;
        if (!bArc) {
            if (std::min(s.imag(), e.imag()) > x + 1e-6 || std::max(s.imag(), e.imag()) < x - 1e-6) {
                return z;
            }
            if (std::fabs(std::imag(s - e)) < 1e-6) {
                z = {s.real(), e.real()};
            } else {
                z.push_back((x - s.imag()) / (e.imag() - s.imag()) * (e.real() - s.real()) + s.real());
            }
            return z;
        }
        const double r = std::abs(s - c);
        double h = -(x - r - c.imag()) * (x + r - c.imag());
        if (h < -1e-6) {
            return z;
        }
        h = std::sqrt(std::max(h, 0.0));
        if (OnArc(Pt(c.real() + h, x))) {
            z.push_back(c.real() + h);
        }
        if (OnArc(Pt(c.real() - h, x))) {
            z.push_back(c.real() - h);
        }
        return z;
    }

    void Rotate() {
        s = -s * kI;
        e = -e * kI;
        c = -c * kI;
    }
    void MirrorX() {
        bCcw = !bCcw;
        s = std::conj(s);
        e = std::conj(e);
        c = std::conj(c);
    }
    void MirrorZ() {
        bCcw = !bCcw;
        s = -std::conj(s);
        e = -std::conj(e);
        c = -std::conj(c);
    }
};

// The two points where the line through a and b meets the circle about centre through p, in the
// line's own frame; the one nearer to near.
Pt LineCircle(Pt a, Pt b, Pt centre, Pt p, Pt near) {
    const Pt rot = std::conj(a - b) / std::abs(a - b);
    const Pt pe = (p - b) * rot;
    const Pt pc = (centre - b) * rot;
    double h = std::norm(pc - pe) - std::imag(pc) * std::imag(pc);
    h = h < 0 ? 0 : std::sqrt(h);
    const Pt s1 = (std::real(pc) + h) / rot + b;
    const Pt s2 = (std::real(pc) - h) / rot + b;
    return std::abs(near - s1) < std::abs(near - s2) ? s1 : s2;
}

// Moves the end of prev and the start of next to where the two meet.
void Join(CSeg& prev, CSeg& next) {
    if (!prev.bArc && !next.bArc) {
        const Pt rot = std::conj(next.s - next.e) / std::abs(next.s - next.e);
        const Pt ps = (prev.s - next.e) * rot;
        const Pt pe = (prev.e - next.e) * rot;
        if (std::imag(ps - pe) == 0) {
            throw CFault{"parallel lines in the profile cannot be joined"};
        }
        const double f = std::imag(ps) / std::imag(ps - pe);
        next.s = prev.e = (ps + f * (pe - ps)) / rot + next.e;
    } else if (prev.bArc && !next.bArc) {
        if (std::abs(next.s - prev.e) >= 1e-6) {
            next.s = prev.e = LineCircle(next.s, next.e, prev.c, prev.e, next.s);
        }
    } else if (!prev.bArc && next.bArc) {
        if (std::abs(next.s - prev.e) >= 1e-6) {
            next.s = prev.e = LineCircle(prev.s, prev.e, next.c, next.e, next.s);
        }
    } else if (prev.bCcw == next.bCcw) {
        const double a = std::abs(next.s - next.c);
        const double b = std::abs(prev.s - prev.c);
        const double d = std::abs(next.c - prev.c);
        const double cosB = (d * d + a * a - b * b) / 2.0 / a / d;
        const Pt rot(cosB, std::sqrt(1 - std::min(cosB * cosB, 1.0)));
        prev.e = next.s = rot * (prev.c - next.c) / d * a + next.c;
    }
}

// Writes moves of the turned frame back in the program's frame.
class COutput {
public:
    COutput(std::vector<CCycleMove>& moves, int turn) : m_moves(moves), m_nTurn(turn) {}

    void Line(Pt end, bool rapid) {
        const Pt p = Back(end);
        m_moves.push_back(CCycleMove{rapid, false, false, p.real(), p.imag(), 0.0, 0.0});
    }
    void Arc(bool ccw, Pt centre, Pt end) {
        const Pt p = Back(end);
        const Pt c = Back(centre);
        const bool mirrored = ((m_nTurn & 1) != 0) != ((m_nTurn & 2) != 0);
        m_moves.push_back(CCycleMove{false, true, ccw != mirrored, p.real(), p.imag(), c.real(), c.imag()});
    }
    void Draw(const CSeg& seg) {
        if (seg.bArc) {
            Arc(seg.bCcw, seg.c, seg.e);
        } else {
            Line(seg.e, false);
        }
    }

private:
    Pt Back(Pt p) const {
        if (m_nTurn & 1) {
            p = -std::conj(p);
        }
        if (m_nTurn & 2) {
            p = std::conj(p);
        }
        return m_nTurn & 4 ? kI * p : p;
    }

    std::vector<CCycleMove>& m_moves;
    int m_nTurn;
};

class CProfile {
public:
    std::vector<CSeg> segs;
    int nTurn = 0;  // 1: mirrored in Z, 2: mirrored in X, 4: rotated (applied first)

    void Rotate() {
        for (CSeg& s : segs) {
            s.Rotate();
        }
        nTurn ^= 4;
    }

    // Mirrors the profile so that it runs with Z falling and X rising.
    void Normalize() {
        const Pt d = segs.front().e - segs.back().e;
        if (d.imag() > 0) {
            for (CSeg& s : segs) {
                s.MirrorX();
            }
            nTurn ^= 2;
        }
        if (d.real() < 0) {
            for (CSeg& s : segs) {
                s.MirrorZ();
            }
            nTurn ^= 1;
        }
    }

    // Moves the profile (all but the approach) distance away from the material, rounding the
    // outer corners.
    void AddDistance(double distance) {
        Normalize();
        const Pt v1 = segs.front().e - segs.front().s;
        const Pt v2 = segs.back().s - segs.front().s;
        if (std::imag(v1 / v2) < 0) {
            distance = -distance;
        }
        CSeg approach = segs.front();
        segs.erase(segs.begin());
        double done = 0;
        for (int step = 0; done != distance; ++step) {
            if (segs.empty() || step > kStepLimit) {
                throw CFault{"the profile cannot be offset"};
            }
            double now = 1e9;
            for (const CSeg& s : segs) {
                now = std::min(now, s.Size() / 2);
            }
            now = std::min(now, std::fabs(distance - done));
            if (distance < 0) {
                now = -now;
            }
            for (size_t k = 0; k < segs.size();) {
                segs[k].Offset(now);
                if (segs[k].Size() < 1e-3) {
                    segs.erase(segs.begin() + static_cast<std::ptrdiff_t>(k));
                } else {
                    ++k;
                }
            }
            RoundCorners(now, distance > 0);
            JoinAll();
            done += now;
        }
        for (size_t k = 0; k + 1 < segs.size(); ++k) {
            const Pt mid = (segs[k].e + segs[k + 1].s) / 2.0;
            segs[k].e = segs[k + 1].s = mid;
        }
        if (segs.empty()) {
            throw CFault{"the profile cannot be offset"};
        }
        approach.e = segs.front().s;
        segs.insert(segs.begin(), approach);
    }

private:
    void RoundCorners(double step, bool ccw) {
        for (size_t k = 0; k + 1 < segs.size(); ++k) {
            if (std::real(segs[k].e - segs[k + 1].s) > 1e-2) {
                CSeg a = segs[k];
                CSeg b = segs[k + 1];
                a.Offset(-step);
                b.Offset(-step);
                CSeg arc;
                arc.bArc = true;
                arc.bCcw = ccw;
                arc.s = segs[k].e;
                arc.c = (a.e + b.s) / 2.0;
                arc.e = segs[k + 1].s;
                segs.insert(segs.begin() + static_cast<std::ptrdiff_t>(k + 1), arc);
                ++k;
            }
        }
    }

    void JoinAll() {
        for (size_t k = 0; k + 1 < segs.size(); ++k) {
            if (!segs[k].Monotonic()) {
                // The shorter of this and the one before goes.
                if (k == 0) {
                    throw CFault{"the profile is not monotonic"};
                }
                const size_t gone = segs[k].Size() < segs[k - 1].Size() ? k : k - 1;
                segs.erase(segs.begin() + static_cast<std::ptrdiff_t>(gone));
                k = 0;
                if (segs.size() < 2) {
                    break;
                }
            }
            if (segs[k].Size() < 1e-3) {
                segs.erase(segs.begin() + static_cast<std::ptrdiff_t>(k));
                k = 0;  // the loop goes on with the second
                if (segs.size() < 2) {
                    break;
                }
            } else {
                Join(segs[k], segs[k + 1]);
            }
        }
    }
};

class CRougher {
public:
    CRougher(CProfile& profile, COutput& out, double increment, double retract)
        : m_p(profile.segs), m_out(out), m_dDelta(increment), m_escape(retract * Pt(1, 1)) {}

    // Cuts from level x down; a pocket found on the way is cut from the level reached.
    void Pocket(int variant, Pt at, size_t p, double x) {
        struct CLevel {
            int& n;
            ~CLevel() { --n; }
        } level{++m_nDepth};
        if (m_nDepth > kDepthLimit) {
            throw CFault{"the profile has too many pockets"};
        }
        // Only the pockets: pick up where a cycle without pockets stopped; each pocket then starts
        // at the level of its rim.
        if (variant == 2) {
            m_bOnlyPockets = true;
            for (; p < m_p.size(); ++p) {
                if (Dive(p, at, -1e9)) {
                    break;
                }
            }
            variant = 0;
            x = at.imag();
        }
        while (p < m_p.size()) {
            Guard();
            while (x > at.imag()) {
                x -= m_dDelta;
                Guard();
            }
            if (Dive(p, at, x)) {
                if (variant == 1) {
                    for (; p < m_p.size(); ++p) {
                        ClimbOnly(m_p[p], at);
                    }
                    return;
                }
                for (; p < m_p.size(); ++p) {
                    if (Climb(m_p[p], at)) {
                        Pocket(0, at, p, m_bOnlyPockets ? at.imag() : m_p.front().s.imag());
                        return;
                    }
                }
                return;
            }
            if (at.imag() > x || std::fabs(at.imag() - x) > 1e-6) {
                ++p;  // this level lies beyond the segment
                continue;
            }
            for (size_t ip = p; ip < m_p.size(); ++ip) {
                const std::vector<double> z = m_p[ip].AtX(at.imag());
                if (z.empty()) {
                    continue;
                }
                const double target = ip != p ? z.front() : z.back();
                const double distance = std::fabs(target - at.real());
                if (distance < 1e-6) {
                    if (ip == p) {
                        continue;
                    }
                    ++p;
                    break;
                }
                Pt dest(target, at.imag());
                m_out.Line(dest, false);
                const double scale = std::min(1.0, distance / 2 / std::real(m_escape));
                dest += scale * m_escape;
                m_out.Line(dest, true);
                m_out.Line(at - std::conj(scale * m_escape), true);
                m_out.Line(at, p == 0);
                x -= m_dDelta;
                break;
            }
        }
    }

private:
    void Guard() {
        if (++m_nSteps > kStepLimit) {
            throw CFault{"the cycle makes no progress"};
        }
    }

    // Follows a falling segment down to level x; false when the segment does not fall here.
    bool Dive(size_t p, Pt& at, double x) {
        const CSeg& seg = m_p[p];
        const bool fast = p == 0;
        if (!seg.bArc) {
            if (seg.s.imag() <= seg.e.imag()) {
                return true;
            }
            if (x < seg.e.imag()) {
                m_out.Line(seg.e, fast);
                at = seg.e;
                return false;
            }
            const std::vector<double> z = seg.AtX(x);
            if (z.empty()) {
                throw CFault{"the pass lies above a falling line of the profile"};
            }
            at = Pt(z.front(), x);
            m_out.Line(at, fast);
            return false;
        }
        if (std::abs(at - seg.e) < 1e-3) {
            return false;
        }
        const std::vector<double> z = seg.AtX(x);
        if (seg.bCcw ? at.real() > seg.c.real() : at.real() <= seg.c.real()) {
            return true;
        }
        const bool whole = z.empty() || (seg.bCcw ? z.back() > seg.c.real() : z.front() < seg.c.real());
        const Pt end = whole ? seg.e : Pt(seg.bCcw ? z.back() : z.front(), x);
        if (whole || std::abs(at - end) > 1e-3) {
            m_out.Arc(seg.bCcw, seg.c, end);
        }
        at = end;
        return false;
    }

    // The top of a G3 arc that rises past its highest point.
    static Pt ArcTop(const CSeg& seg) {
        if (seg.e.real() < seg.c.real()) {
            return Pt(seg.c.real(), seg.c.imag() + std::abs(seg.s - seg.c));
        }
        return seg.e;
    }

    // Follows a rising segment from its start; true where the profile falls again (a pocket).
    bool Climb(const CSeg& seg, Pt& at) {
        if (!seg.bArc) {
            if (seg.e.imag() < seg.s.imag()) {
                return true;
            }
            if (std::abs(at - seg.s) > 1e-6) {
                throw CFault{"the profile is broken where it rises"};
            }
            m_out.Line(seg.e, false);
            at = seg.e;
            return false;
        }
        if (!seg.bCcw) {
            if (at.real() > seg.c.real()) {
                return true;
            }
            if (std::abs(at - seg.e) > 1e-3) {
                m_out.Arc(false, seg.c, seg.e);
            }
            at = seg.e;
            return false;
        }
        if (at.real() < seg.c.real()) {
            return true;
        }
        const Pt end = ArcTop(seg);
        if (std::abs(at - end) > 1e-3) {
            m_out.Arc(true, seg.c, end);
        }
        at = end;
        return true;
    }

    // Without pockets: from the level reached, along the rising parts only.
    void ClimbOnly(const CSeg& seg, Pt& at) {
        if (!seg.bArc && seg.e.imag() < seg.s.imag()) {
            return;
        }
        const std::vector<double> z = seg.AtX(at.imag());
        if (z.empty()) {
            return;
        }
        if (!seg.bArc) {
            at.real(z.front());
            m_out.Line(at, false);
            m_out.Line(seg.e, false);
            at = seg.e;
            return;
        }
        if (seg.bCcw ? z.front() < seg.c.real() : z.back() > seg.c.real()) {
            return;
        }
        at.real(seg.bCcw ? z.front() : z.back());
        m_out.Line(at, false);
        const Pt end = seg.bCcw ? ArcTop(seg) : seg.e;
        if (std::abs(at - end) > 1e-3) {
            m_out.Arc(seg.bCcw, seg.c, end);
        }
        at = end;
    }

    std::vector<CSeg>& m_p;
    COutput& m_out;
    double m_dDelta;
    Pt m_escape;
    int m_nSteps = 0;
    int m_nDepth = 0;
    bool m_bOnlyPockets = false;
};

CProfile MakeProfile(const CRoughCycleInput& in) {
    CProfile profile;
    Pt from(in.dStartZ, in.dStartX);
    for (const CCycleMove& m : in.profile) {
        CSeg seg;
        seg.bArc = m.bArc;
        seg.bCcw = m.bCounterClockwise;
        seg.s = from;
        seg.e = Pt(m.dZ, m.dX);
        seg.c = Pt(m.dCentreZ, m.dCentreX);
        profile.segs.push_back(seg);
        from = seg.e;
    }
    if (profile.segs.size() < 2) {
        throw CFault{"the profile needs at least two moves"};
    }
    return profile;
}

// An approach that runs against the cutting direction is made square to it; every segment must
// then run one way.
void Square(std::vector<CSeg>& segs) {
    if (segs.front().e.real() > segs.front().s.real()) {
        segs.front().s.real(segs.front().e.real());
    }
    if (!std::all_of(segs.begin(), segs.end(), [](const CSeg& s) { return s.Monotonic(); })) {
        throw CFault{"the profile is not monotonic"};
    }
}

void Finish(const CRoughCycleInput& in, std::vector<CCycleMove>& moves) {
    CProfile profile = MakeProfile(in);
    // A profile that does not run one way along Z (the approach aside) is finished as a face.
    CProfile rest = profile;
    rest.segs.erase(rest.segs.begin());
    rest.Normalize();
    if (std::any_of(rest.segs.begin(), rest.segs.end(), [](const CSeg& s) { return !s.Monotonic(); })) {
        profile.Rotate();
    }
    profile.Normalize();
    Square(profile.segs);
    COutput out(moves, profile.nTurn);
    const double passes = in.dPasses;
    if (passes > 1000) {
        throw CFault{"P (passes) above 1000"};
    }
    for (int pass = static_cast<int>(passes); pass > 0; --pass) {
        const double distance = (pass - 1) * (in.dDistance - in.dFinalDistance) / passes + in.dFinalDistance;
        CProfile path = profile;
        path.AddDistance(distance);
        out.Line(path.segs.front().s, true);
        out.Line(path.segs.front().e, true);
        for (size_t k = 1; k < path.segs.size(); ++k) {
            out.Draw(path.segs[k]);
        }
    }
}

void Rough(const CRoughCycleInput& in, std::vector<CCycleMove>& moves) {
    if (!(in.dIncrement > 0)) {
        throw CFault{"I (depth of cut) must be above 0"};
    }
    CProfile profile = MakeProfile(in);
    if (in.nCycle == 72) {
        profile.Rotate();
    }
    // The drawn profile must run one way (the offset one is not checked again).
    profile.Normalize();
    Square(profile.segs);
    profile.AddDistance(in.dDistance);
    profile.Normalize();
    COutput out(moves, profile.nTurn);
    std::vector<CSeg>& segs = profile.segs;
    out.Line(segs.front().s, true);
    if (segs.back().e.imag() < segs.front().s.imag()) {
        CSeg up;
        up.s = segs.back().e;
        up.e = Pt(up.s.real(), segs.front().s.imag());
        segs.push_back(up);
    }
    CRougher(profile, out, in.dIncrement, in.dRetract).Pocket(in.nVariant, segs.front().s, 0, segs.front().s.imag());
}

}  // namespace

CRoughCycleResult ExpandRoughCycle(const CRoughCycleInput& input) {
    CRoughCycleResult result;
    // The controller first goes to the cycle's start point.
    result.moves.push_back(CCycleMove{true, false, false, input.dStartZ, input.dStartX, 0.0, 0.0});
    try {
        if (input.nCycle == 70) {
            Finish(input, result.moves);
        } else {
            Rough(input, result.moves);
        }
    } catch (const CFault& fault) {
        result.strError = fault.strText;
        result.moves.clear();
    }
    return result;
}
