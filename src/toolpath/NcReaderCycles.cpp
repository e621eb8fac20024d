// Lathe cycles in the NC reader: the words of a cycle block and its profile, handed to the cycle's
// expansion; the moves it makes come back on the cycle's line.
#include <cmath>

#include "toolpath/NcReader.h"
#include "toolpath/NcRoughCycle.h"

namespace {

bool HasG(const CNcBlock& block, int code10) {
    for (const CNcWord& w : block.words) {
        if (w.cLetter == 'G' && std::lround(w.dValue * 10.0) == code10) {
            return true;
        }
    }
    return false;
}

double WordOr(const CNcBlock& block, char letter, double fallback) {
    const CNcWord* w = block.Find(letter);
    return w ? w->dValue : fallback;
}

std::string CycleName(int cycle) {
    return "G" + std::to_string(cycle / 10) + (cycle % 10 ? "." + std::to_string(cycle % 10) : "");
}

}  // namespace

void CNcReader::RunCycle(const CNcBlock& block, int cycle) {
    RunSubroutineCycle(block, cycle);
}

// The LinuxCNC form: G70/G71/G72 Q<n> with the profile in subroutine O<n>, which starts where
// the cycle starts (the tool's point, or X and Z of the cycle block).
void CNcReader::RunSubroutineCycle(const CNcBlock& block, int cycle) {
    const std::string name = CycleName(cycle);
    const CNcWord* q = block.Find('Q');
    if (!q) {
        Note(m_result.errors, name + " without Q (the profile's subroutine)");
        return;
    }
    const auto body = m_subroutines.find("O" + std::to_string(std::lround(q->dValue)));
    if (body == m_subroutines.end()) {
        Note(m_result.errors, name + ": subroutine O" + std::to_string(std::lround(q->dValue)) + " is not defined");
        return;
    }
    if (m_nPlane != 18) {
        Note(m_result.errors, name + " works only in the XZ plane (G18)");
        return;
    }
    const double unit = m_dUnitMm * 10000.0;
    const double radial = m_bDiameter ? 0.5 : 1.0;
    CRoughCycleInput in;
    in.nCycle = cycle / 10;
    in.nVariant = cycle % 10;
    in.dStartZ = WordOr(block, 'Z', m_ptPos.dZ / unit);
    in.dStartX = block.Find('X') ? block.Find('X')->dValue * radial : m_ptPos.dX / unit;
    in.dDistance = WordOr(block, 'D', 0.0);
    in.dFinalDistance = WordOr(block, 'E', 0.0);
    in.dPasses = WordOr(block, 'P', 1.0);
    in.dIncrement = WordOr(block, 'I', 1.0);
    in.dRetract = WordOr(block, 'R', 0.5);
    in.dU = WordOr(block, 'U', 0.0);
    in.dW = WordOr(block, 'W', 0.0);
    // The profile as the controller reads it: X and Z absolute, lines for G0 and G1, arcs by
    // their centre or R; the direction of an arc is G3 only where the block names G3.
    double z = in.dStartZ;
    double x = in.dStartX;
    int motion = m_nMotion;
    for (const CNcBlock& b : body->second) {
        if (b.bExpression || !b.strControl.empty()) {
            Note(m_result.errors, name + ": the profile holds parameters or program flow, not previewed");
            return;
        }
        for (const CNcWord& w : b.words) {
            const long code = w.cLetter == 'G' ? std::lround(w.dValue * 10.0) : -1;
            if (code == 0 || code == 10 || code == 20 || code == 30) {
                motion = static_cast<int>(code / 10);
            }
        }
        const double nz = b.Find('Z') ? b.Find('Z')->dValue : z;
        const double nx = b.Find('X') ? b.Find('X')->dValue * radial : x;
        if (nz == z && nx == x) {
            continue;
        }
        CCycleMove move;
        move.dZ = nz;
        move.dX = nx;
        if (motion == 2 || motion == 3) {
            move.bArc = true;
            move.bCounterClockwise = HasG(b, 30);
            double i = WordOr(b, 'I', 0.0);
            double k = WordOr(b, 'K', 0.0);
            if (const CNcWord* r = b.Find('R')) {
                const double chord2 = (nz - z) * (nz - z) + (nx - x) * (nx - x);
                const double h = std::sqrt((r->dValue * r->dValue - chord2 / 4) / chord2);
                const double side = motion == 3 ? 1.0 : -1.0;
                // The centre lies h chords to the side of the chord's middle.
                const double cz = (z + nz) / 2 - side * h * (nx - x);
                const double cx = (x + nx) / 2 + side * h * (nz - z);
                i = cx - x;
                k = cz - z;
            } else if (!b.Find('I') && !b.Find('K')) {
                Note(m_result.errors, name + ": an arc of the profile without I or K");
                return;
            }
            if (!m_bArcAbsolute) {
                i += x;
                k += z;
            }
            move.dCentreZ = k;
            move.dCentreX = i;
            in.profile.push_back(move);
        } else if (motion == 0 || motion == 1) {
            in.profile.push_back(move);
        }
        z = nz;
        x = nx;
    }
    m_nMotion = motion;
    const CRoughCycleResult result = ExpandRoughCycle(in);
    if (!result.strError.empty()) {
        Note(m_result.errors, name + ": " + result.strError);
        return;
    }
    AddCycleMoves(result.moves, block.strBlock);
}

void CNcReader::AddCycleMoves(const std::vector<CCycleMove>& moves, const std::string& blockNumber) {
    const double unit = m_dUnitMm * 10000.0;
    bool feedNoted = false;
    for (const CCycleMove& m : moves) {
        const CPathPoint end{m.dZ * unit, m.dX * unit};
        if (!m.bRapid && !(m_dFeed > 0) && !feedNoted) {
            Note(m_result.errors, "feed move without a feed rate (F)");
            feedNoted = true;
        }
        if (m.bArc) {
            const CPathPoint centre{m.dCentreZ * unit, m.dCentreX * unit};
            AddMove(CPathSegment::Arc(m_ptPos, end, centre, m.bCounterClockwise ? kDirCounterClockwise : kDirClockwise),
                    false, blockNumber);
            m_nMotion = m.bCounterClockwise ? 3 : 2;
        } else {
            AddMove(CPathSegment::Line(m_ptPos, end), m.bRapid, blockNumber);
            m_nMotion = m.bRapid ? 0 : 1;
        }
    }
}
