// The nose circle's cutting edge along a program's moves, exact for lines and arcs.
#include "toolpath/NoseEnvelope.h"

#include <cmath>

#include "toolpath/ProfileShape.h"

namespace {

int ToolNumber(const std::map<int, CToolNose>& noses, double value) {
    const int t = static_cast<int>(std::lround(std::fabs(value)));
    return noses.count(t) || t < 100 ? t : t / 100;
}

CPathPoint Shift(CPathPoint p, double dz, double dx) {
    return {p.dZ + dz, p.dX + dx};
}

// The move's nose-centre path offset by the radius toward the tip; false when it has no length.
bool Offset(const CPathSegment& move, const CToolNose& nose, const CProfileShape* profile, CPathSegment& edge) {
    const double r = nose.dRadius;
    const double tipZ = -nose.dCentreZ;
    const double tipX = -nose.dCentreX;
    CPathSegment c = move;
    c.ptStart = Shift(move.ptStart, nose.dCentreZ, nose.dCentreX);
    c.ptEnd = Shift(move.ptEnd, nose.dCentreZ, nose.dCentreX);
    c.ptCentre = Shift(move.ptCentre, nose.dCentreZ, nose.dCentreX);
    if (!c.IsArc()) {
        const double dz = c.ptEnd.dZ - c.ptStart.dZ;
        const double dx = c.ptEnd.dX - c.ptStart.dX;
        const double length = std::hypot(dz, dx);
        if (length < 1e-9) {
            return false;
        }
        double nz = -dx / length;
        double nx = dz / length;
        // A tip square to the move (a tool set to its nose centre) cuts on the side the move
        // turns away from the axis: below the path.
        const double side = tipZ * nz + tipX * nx;
        if (side < 0 || (side == 0 && nx > 0) || (side == 0 && nx == 0 && nz > 0)) {
            nz = -nz;
            nx = -nx;
        }
        edge = CPathSegment::Line(Shift(c.ptStart, r * nz, r * nx), Shift(c.ptEnd, r * nz, r * nx));
        if (profile) {
            const CPathSegment other =
                CPathSegment::Line(Shift(c.ptStart, -r * nz, -r * nx), Shift(c.ptEnd, -r * nz, -r * nx));
            if (profile->DistanceTo(other.PointAt(0.5)) < profile->DistanceTo(edge.PointAt(0.5))) {
                edge = other;
            }
        }
        return true;
    }
    const CPathPoint mid = c.PointAt(0.5);
    const double outZ = (mid.dZ - c.ptCentre.dZ) / c.dRadius;
    const double outX = (mid.dX - c.ptCentre.dX) / c.dRadius;
    const double side = tipZ * outZ + tipX * outX;
    double radius = side > 0 || (side == 0 && outX < 0) || c.dRadius <= r ? c.dRadius + r : c.dRadius - r;
    if (profile && c.dRadius > r) {
        // The side of the nose nearer the profile at the arc's middle.
        const CPathPoint outer = {c.ptCentre.dZ + outZ * (c.dRadius + r), c.ptCentre.dX + outX * (c.dRadius + r)};
        const CPathPoint inner = {c.ptCentre.dZ + outZ * (c.dRadius - r), c.ptCentre.dX + outX * (c.dRadius - r)};
        radius = profile->DistanceTo(inner) < profile->DistanceTo(outer) ? c.dRadius - r : c.dRadius + r;
    }
    const double scale = radius / c.dRadius;
    const auto scaled = [&](CPathPoint p) {
        return CPathPoint{c.ptCentre.dZ + (p.dZ - c.ptCentre.dZ) * scale, c.ptCentre.dX + (p.dX - c.ptCentre.dX) * scale};
    };
    edge = c;
    edge.ptStart = scaled(c.ptStart);
    edge.ptEnd = scaled(c.ptEnd);
    edge.dRadius = radius;
    return true;
}

bool CompensationOn(int code10) {
    return code10 == 410 || code10 == 411 || code10 == 420 || code10 == 421;
}

}  // namespace

CToolpath CNoseEnvelope::Of(const CToolpath& path, const std::map<int, CToolNose>& noses,
                            const CProfileShape* profile) {
    CToolpath out = path;
    out.moves.clear();
    out.moves.reserve(path.moves.size());
    const CToolNose* nose = nullptr;
    bool compensated = false;
    size_t event = 0;
    bool joined = false;  // the last move kept is an offset feed move of the current nose
    for (const CToolMove& move : path.moves) {
        for (; event < path.events.size() && path.events[event].nLine <= move.nLine; ++event) {
            const CNcEvent& e = path.events[event];
            if (e.cLetter == 'T') {
                const auto it = noses.find(ToolNumber(noses, e.dValue));
                nose = it == noses.end() || it->second.dRadius <= 0 ? nullptr : &it->second;
                joined = false;
            } else if (e.cLetter == 'G') {
                const int code10 = static_cast<int>(std::lround(e.dValue * 10.0));
                if (CompensationOn(code10)) {
                    compensated = true;
                } else if (code10 == 400) {
                    compensated = false;
                }
            }
        }
        CPathSegment edge;
        if (move.bRapid || !nose || compensated || !Offset(move.segment, *nose, profile, edge)) {
            out.moves.push_back(move);
            joined = false;
            continue;
        }
        if (joined) {
            const CPathPoint from = out.moves.back().segment.ptEnd;
            if (std::hypot(edge.ptStart.dZ - from.dZ, edge.ptStart.dX - from.dX) > 1e-6) {
                // Where the path turns, the nose rolls around its centre at the corner.
                const CPathPoint corner = Shift(move.segment.ptStart, nose->dCentreZ, nose->dCentreX);
                const double a0 = std::atan2(from.dX - corner.dX, from.dZ - corner.dZ);
                const double a1 = std::atan2(edge.ptStart.dX - corner.dX, edge.ptStart.dZ - corner.dZ);
                const int direction = std::remainder(a1 - a0, 2 * M_PI) >= 0 ? kDirCounterClockwise : kDirClockwise;
                CToolMove roll = move;
                roll.segment = CPathSegment::Arc(from, edge.ptStart, corner, direction);
                out.moves.push_back(roll);
            }
        }
        CToolMove offset = move;
        offset.segment = edge;
        out.moves.push_back(offset);
        joined = true;
    }
    return out;
}
