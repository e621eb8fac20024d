// The passes of the two threading cycles, as the controls make them.
#include "toolpath/NcThreadCycle.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

class CMoves {
public:
    explicit CMoves(CThreadExpansion& out) : m_out(out) {}
    void Rapid(double z, double x) { m_out.moves.push_back({{z, x}, true}); }
    void Cut(double z, double x) { m_out.moves.push_back({{z, x}, false}); }

private:
    CThreadExpansion& m_out;
};

CThreadExpansion Refused(const std::string& why) {
    CThreadExpansion out;
    out.strError = why;
    return out;
}

}  // namespace

CThreadExpansion CNcThreadCycle::DriveLine(const CDriveLineThread& t) {
    if (t.dPeakOffset == 0) {
        return Refused("G76 with I 0: the thread's crest lies on the drive line");
    }
    if (!(t.dFirstDepth > 0)) {
        return Refused("G76 with a first depth (J) of 0 or less");
    }
    if (!(t.dFullDepth > t.dFirstDepth)) {
        return Refused("G76 with a full depth (K) not beyond the first depth (J)");
    }
    if (!(t.dDegression > 0)) {
        return Refused("G76 with a depth degression (R) of 0 or less");
    }
    const double tanQ = std::tan(t.dCompoundDeg * kDegree);
    if (!(std::fabs(t.dCompoundDeg) < 90) || std::fabs(t.dFullDepth * tanQ) > 1e10) {
        return Refused("G76 with a compound angle (Q) that leads the infeed off the machine");
    }
    if (t.nSpringPasses < 0 || t.nTaperEnds < 0) {
        return Refused("G76 with a negative H or L");
    }
    const double x0 = t.ptStart.dX;
    const double z0 = t.ptStart.dZ;
    const double s = t.dPeakOffset < 0 ? -1.0 : 1.0;  // the way deeper passes go across
    const double along = t.dZEnd < z0 ? -1.0 : 1.0;   // the way the passes cut
    const double peak = x0 + t.dPeakOffset;
    const bool entry = t.dTaper > 0 && (t.nTaperEnds & 1);
    const bool exit = t.dTaper > 0 && (t.nTaperEnds & 2);
    CThreadExpansion out;
    CMoves moves(out);
    // A shallower pass lies off the drive line by what it leaves to the full depth, across and
    // (with a compound angle) back along the flank.
    auto pass = [&](double depth) {
        const double cut = peak + s * depth;
        const double retract = x0 - s * (t.dFullDepth - depth);
        const double zStart = z0 + along * depth * tanQ;
        const double zEnd = t.dZEnd - along * (t.dFullDepth - depth) * tanQ;
        moves.Rapid(zStart, retract);
        // A taper runs between the pass's crest line and its depth over E along the drive line.
        const double crest = cut - s * t.dFullDepth;
        if (entry) {
            moves.Cut(zStart, crest);
            moves.Cut(zStart + along * t.dTaper, cut);
        } else {
            moves.Rapid(zStart, cut);
        }
        if (exit) {
            moves.Cut(zEnd - along * t.dTaper, cut);
            moves.Cut(zEnd, crest);
        } else {
            moves.Cut(zEnd, cut);
        }
        moves.Rapid(zEnd, retract);
    };
    for (int n = 1;; ++n) {
        const double depth = t.dFirstDepth * std::pow(static_cast<double>(n), 1.0 / t.dDegression);
        if (!(depth < t.dFullDepth)) {
            break;
        }
        if (n > kPassLimit) {
            return Refused("G76 of more than " + std::to_string(kPassLimit) + " passes");
        }
        pass(depth);
    }
    if (t.nSpringPasses >= kPassLimit) {
        return Refused("G76 of more than " + std::to_string(kPassLimit) + " passes");
    }
    for (int i = 0; i <= t.nSpringPasses; ++i) {
        pass(t.dFullDepth);
    }
    moves.Rapid(t.dZEnd, t.dXAfter);
    return out;
}

std::vector<double> CNcThreadCycle::FlankDepths(const CFlankThread& t) {
    const CFlankThreadSettings& s = t.settings;
    const double rough = t.dHeight - s.dAllowance;
    if (!(t.dFirstCut > 0) || !(rough > 0) || s.dAllowance < 0 || s.dMinCut < 0 || s.nFinishPasses < 0 ||
        s.nFinishPasses > kPassLimit) {
        return {};
    }
    std::vector<double> depths;
    // Pass n cuts at the first depth times the root of n, at least the smallest cut deeper than
    // the pass before, and at most down to the allowance.
    for (double before = 0.0;;) {
        const int n = static_cast<int>(depths.size()) + 1;
        double depth = std::max(t.dFirstCut * std::sqrt(static_cast<double>(n)), before + s.dMinCut);
        if (!(depth < rough)) {
            depths.push_back(rough);
            break;
        }
        if (n > kPassLimit) {
            return {};
        }
        depths.push_back(depth);
        before = depth;
    }
    depths.insert(depths.end(), s.nFinishPasses, t.dHeight);
    return depths;
}

CThreadExpansion CNcThreadCycle::Flank(const CFlankThread& t) {
    const CFlankThreadSettings& s = t.settings;
    if (!(t.dHeight > 0)) {
        return Refused("G76 with a thread height (P) of 0 or less");
    }
    if (!(t.dFirstCut > 0)) {
        return Refused("G76 with a first cut (Q) of 0 or less");
    }
    if (!(t.dLead > 0)) {
        return Refused("G76 without a lead (F)");
    }
    if (!(s.dAllowance >= 0 && s.dAllowance < t.dHeight)) {
        return Refused("G76 with a finishing allowance (R) not below the thread height");
    }
    if (!(s.dToolAngleDeg >= 0 && s.dToolAngleDeg < 180)) {
        return Refused("G76 with a tool angle outside 0-179 degrees");
    }
    const std::vector<double> depths = FlankDepths(t);
    if (depths.empty()) {
        return Refused("G76 of more than " + std::to_string(kPassLimit) + " passes");
    }
    const double x0 = t.ptStart.dX;
    const double z0 = t.ptStart.dZ;
    const double rootStart = t.ptEnd.dX + t.dTaper;
    if (rootStart == x0) {
        return Refused("G76 whose thread root lies level with the start point");
    }
    const double inward = rootStart < x0 ? -1.0 : 1.0;  // from the start point towards the root
    const double along = t.ptEnd.dZ < z0 ? -1.0 : 1.0;
    const double tanA = std::tan(s.dToolAngleDeg / 2 * kDegree);
    CThreadExpansion out;
    CMoves moves(out);
    for (const double depth : depths) {
        // A shallower pass lies off the root by what it leaves, across and back along the flank.
        const double left = t.dHeight - depth;
        const double zStart = z0 + along * depth * tanA;
        const double zEnd = t.ptEnd.dZ - along * left * tanA;
        const double xStart = rootStart - inward * left;
        const double xEnd = t.ptEnd.dX - inward * left;
        if (zStart != z0) {
            moves.Rapid(zStart, x0);
        }
        moves.Rapid(zStart, xStart);
        const double pullOut = std::min(s.nPullOutTenths * t.dLead / 10, std::fabs(zEnd - zStart));
        if (pullOut > 0) {
            const double zFrom = zEnd - along * pullOut;
            const double x = xStart + (xEnd - xStart) * (zFrom - zStart) / (zEnd - zStart);
            moves.Cut(zFrom, x);
            moves.Cut(zEnd, x - inward * pullOut);
        } else {
            moves.Cut(zEnd, xEnd);
        }
        moves.Rapid(zEnd, x0);
        moves.Rapid(z0, x0);
    }
    return out;
}
