// Drilling and grooving cycles as moves.
#include "toolpath/NcDrillCycle.h"

#include <cmath>

namespace {

constexpr int kPeckLimit = 100000;

class CPath {
public:
    explicit CPath(std::vector<CCycleSegment>& moves, CPathPoint at) : m_moves(moves), m_at(at) {}
    void To(CPathPoint p, bool rapid) {
        m_moves.push_back(CCycleSegment{CPathSegment::Line(m_at, p), rapid});
        m_at = p;
    }
    CPathPoint At() const { return m_at; }

private:
    std::vector<CCycleSegment>& m_moves;
    CPathPoint m_at;
};

}  // namespace

std::vector<CCycleSegment> ExpandDrillCycle(const CDrillCycleInput& in) {
    std::vector<CCycleSegment> moves;
    CPath path(moves, in.ptStart);
    const double x = in.dHoleX;
    const double r = in.dRetractZ;
    double initial = in.dInitialZ;
    double level = in.ptStart.dZ;
    if (initial < r) {
        // Below R: straight up to it first.
        path.To({r, in.ptStart.dX}, true);
        initial = level = r;
    }
    const double clear = in.bToInitial ? initial : r;
    // The first block goes across at the level the tool is at, a repeat at the clear level.
    level = in.bRepeat ? clear : level;
    path.To({level, x}, true);
    if (level != r) {
        path.To({r, x}, true);
    }
    if (in.nCycle == 83 && in.dPeck > 0) {
        int pecks = 0;
        for (double depth = in.dRetractZ - in.dPeck; depth > in.dBottomZ && pecks < kPeckLimit;
             depth -= in.dPeck, ++pecks) {
            path.To({depth, x}, false);
            path.To({in.dRetractZ, x}, true);
            path.To({depth + in.dRapidDelta, x}, true);
        }
    }
    path.To({in.dBottomZ, x}, false);
    path.To({clear, x}, true);
    return moves;
}

CPeckCycleResult ExpandPeckCycle(const CPeckCycleInput& in) {
    CPeckCycleResult result;
    // p: the axis pecked along, s: the axis the grooves are side by side along.
    const auto P = [&](CPathPoint q) { return in.bAlongX ? q.dX : q.dZ; };
    const auto S = [&](CPathPoint q) { return in.bAlongX ? q.dZ : q.dX; };
    const auto Make = [&](double s, double p) { return in.bAlongX ? CPathPoint{s, p} : CPathPoint{p, s}; };
    const double startP = P(in.ptStart);
    const double endP = P(in.ptEnd);
    const double startS = S(in.ptStart);
    const double endS = S(in.ptEnd);
    const double dirP = endP < startP ? -1.0 : 1.0;
    const double dirS = endS < startS ? -1.0 : 1.0;
    const bool onePeck = !(in.dPeck > 0);
    if ((endS != startS && !(in.dShift > 0)) || in.dReturn < 0 || in.dRelief < 0) {
        result.strError = "the shift between grooves must be above 0, return and relief not below 0";
        return result;
    }
    const double pecks = (onePeck ? 1.0 : std::fabs(endP - startP) / in.dPeck) *
                         (endS == startS ? 1.0 : std::fabs(endS - startS) / in.dShift + 1);
    if (pecks > kPeckLimit) {
        result.strError = "more than " + std::to_string(kPeckLimit) + " pecks";
        return result;
    }
    CPath path(result.moves, in.ptStart);
    int steps = 0;
    const auto guard = [&]() {
        if (++steps > 4 * kPeckLimit) {
            result.moves.clear();
            result.strError = "the pecks make no progress";
            return false;
        }
        return true;
    };
    for (double s = startS;;) {
        if (!guard()) {
            return result;
        }
        if (s != S(path.At())) {
            path.To(Make(s, startP), true);
        }
        for (double p = startP;;) {
            if (!guard()) {
                return result;
            }
            const double next = onePeck || dirP * (p + dirP * in.dPeck - endP) >= 0 ? endP : p + dirP * in.dPeck;
            path.To(Make(s, next), false);
            if (next == endP) {
                break;
            }
            path.To(Make(s, next - dirP * in.dReturn), true);
            p = next;
        }
        const double out = s - dirS * in.dRelief;
        if (in.dRelief > 0) {
            path.To(Make(out, endP), true);
        }
        path.To(Make(out, startP), true);
        if (s == endS) {
            break;
        }
        s = dirS * (s + dirS * in.dShift - endS) >= 0 ? endS : s + dirS * in.dShift;
    }
    if (path.At() != in.ptStart) {
        path.To(in.ptStart, true);
    }
    return result;
}
