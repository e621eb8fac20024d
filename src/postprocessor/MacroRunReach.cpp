// Where a computed pass's insert can't follow the profile: its cutting edges would cut into the
// part (a face steeper than the edge, a groove's far wall). The pass is refused there, or stopped
// and resumed beyond, leaving that material.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "document/Layer.h"
#include "platform/Messages.h"
#include "postprocessor/MacroContext.h"
#include "postprocessor/MacroRun.h"
#include "tools/InsertClearance.h"

namespace {

// Positions along the path tested, at most this far apart (mm).
constexpr double kStepMm = 0.05;

double Angle(CNosePathPoint p, CNosePathPoint centre) {
    return std::atan2(p.dX - centre.dX, p.dZ - centre.dZ);
}

// The signed angle an arc turns through (counter-clockwise positive).
double Sweep(const CNosePathSegment& s) {
    double sweep = std::remainder(Angle(s.end, s.centre) - Angle(s.start, s.centre), 2 * M_PI);
    if (s.bClockwise && sweep > 0) {
        sweep -= 2 * M_PI;
    } else if (!s.bClockwise && sweep < 0) {
        sweep += 2 * M_PI;
    }
    return sweep;
}

double Radius(const CNosePathSegment& s) {
    return std::hypot(s.start.dZ - s.centre.dZ, s.start.dX - s.centre.dX);
}

double Length(const CNosePathSegment& s) {
    return s.bArc ? Radius(s) * std::fabs(Sweep(s)) : std::hypot(s.end.dZ - s.start.dZ, s.end.dX - s.start.dX);
}

CNosePathPoint PointAt(const CNosePathSegment& s, double t) {
    if (!s.bArc) {
        return {s.start.dZ + t * (s.end.dZ - s.start.dZ), s.start.dX + t * (s.end.dX - s.start.dX)};
    }
    const double a = Angle(s.start, s.centre) + t * Sweep(s);
    return {s.centre.dZ + Radius(s) * std::cos(a), s.centre.dX + Radius(s) * std::sin(a)};
}

// The part of s from t0 to t1.
CNosePathSegment Piece(const CNosePathSegment& s, double t0, double t1) {
    CNosePathSegment piece = s;
    piece.start = PointAt(s, t0);
    piece.end = PointAt(s, t1);
    return piece;
}

CNosePathSegment Line(CNosePathPoint a, CNosePathPoint b) {
    CNosePathSegment s;
    s.start = a;
    s.end = b;
    return s;
}

struct CSample {
    size_t nSegment = 0;
    double dT = 0.0;
    CNosePathPoint p;
    bool bClear = true;
};

// A stretch of the path the insert can't cut: its samples from first to last.
struct CStretch {
    size_t nFirst = 0;
    size_t nLast = 0;
};

}  // namespace

bool CMacroRun::CheckReach(std::vector<CNosePathSegment>& path, const std::vector<const CPiece*>& pieces,
                           const std::vector<CNosePathSegment>& profile, const CTool& tool,
                           CMacroContext& context) const {
    const CInsertClearance clearance(profile, tool);
    std::vector<CSample> samples;
    for (size_t i = 0; i < path.size(); ++i) {
        const int n = std::max(1, static_cast<int>(std::ceil(Length(path[i]) / kStepMm)));
        for (int k = 0; k <= n; ++k) {
            const double t = static_cast<double>(k) / n;
            const CNosePathPoint p = PointAt(path[i], t);
            samples.push_back({i, t, p, clearance.Clears(p)});
        }
    }
    std::vector<CStretch> stretches;
    for (size_t k = 0; k < samples.size(); ++k) {
        if (!samples[k].bClear) {
            if (k == 0 || samples[k - 1].bClear) {
                stretches.push_back({k, k});
            }
            stretches.back().nLast = k;
        }
    }
    if (stretches.empty()) {
        return true;
    }
    // Each stretch named by the drawn element it starts on and its Z range.
    std::string text;
    for (const CStretch& s : stretches) {
        // The drawn elements under the stretch (a corner arc belongs to the element after it).
        std::string names;
        int last = -1;
        for (size_t i = samples[s.nFirst].nSegment; i < path.size(); ++i) {
            const int source = path[i].nSource;
            if (source >= 0 && source != last && pieces[static_cast<size_t>(source)]) {
                names += (names.empty() ? "" : ", ") + pieces[static_cast<size_t>(source)]->GetLabel();
                last = source;
            }
            if (i >= samples[s.nLast].nSegment && !names.empty()) {
                break;
            }
        }
        double z0 = std::numeric_limits<double>::max();
        double z1 = -z0;
        for (size_t k = s.nFirst; k <= s.nLast; ++k) {
            z0 = std::min(z0, samples[k].p.dZ);
            z1 = std::max(z1, samples[k].p.dZ);
        }
        char where[96];
        std::snprintf(where, sizeof where, " from Z %.3f to Z %.3f", z0, z1);
        text += (text.empty() ? "" : " ") + std::string("Tool ") + std::to_string(tool.nNumber) + " (" +
                tool.strName + ") can't reach " + (names.empty() ? std::string("the profile") : names) + where +
                ": its cutting edge would cut into the part.";
        if (m_nReach == kReachRefuse) {
            Refuse(text, context);
            return false;
        }
    }
    if (CMessages* messages = context.GetMessages()) {
        messages->MessageBox(text + " The pass stops there and resumes beyond, leaving that material.",
                             "PostProcesor - Compiling macro: " + m_strName, MessageIcon::Warning, MessageButtons::Ok);
    }
    // The pass keeps the stretches the insert clears; over each stretch it can't cut it moves
    // away from the axis, along, and back down to where it resumes.
    std::vector<CNosePathSegment> kept;
    size_t next = 0;  // the stretch to come
    size_t from = 0;  // the first sample of the part being kept
    const auto keep = [&](size_t first, size_t last) {
        for (size_t i = samples[first].nSegment; i <= samples[last].nSegment; ++i) {
            const double t0 = i == samples[first].nSegment ? samples[first].dT : 0.0;
            const double t1 = i == samples[last].nSegment ? samples[last].dT : 1.0;
            if (t1 > t0) {
                kept.push_back(Piece(path[i], t0, t1));
            }
        }
    };
    while (next < stretches.size()) {
        const CStretch& s = stretches[next++];
        double top = 0.0;
        for (size_t k = s.nFirst; k <= s.nLast; ++k) {
            top = std::max(top, samples[k].p.dX);
        }
        const bool before = s.nFirst > from;
        const bool after = s.nLast + 1 < samples.size();
        if (before) {
            keep(from, s.nFirst - 1);
        }
        if (!after) {
            from = samples.size();
            break;
        }
        const CNosePathPoint b = samples[s.nLast + 1].p;
        if (before) {
            const CNosePathPoint a = samples[s.nFirst - 1].p;
            top = std::max({top, a.dX, b.dX});
            kept.push_back(Line(a, {a.dZ, top}));
            kept.push_back(Line({a.dZ, top}, {b.dZ, top}));
        } else {
            // The pass begins where the insert clears: first over it, from wherever it stands.
            top = std::max(top, b.dX);
            kept.push_back(Line({b.dZ, top + 1.0}, {b.dZ, top}));
        }
        kept.push_back(Line({b.dZ, top}, b));
        from = s.nLast + 1;
    }
    if (from < samples.size()) {
        keep(from, samples.size() - 1);
    }
    path = std::move(kept);
    return true;
}
