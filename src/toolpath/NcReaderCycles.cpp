// Lathe cycles in the NC reader: the words of a cycle block and its profile, handed to the cycle's
// expansion; the moves it makes come back on the cycle's line.
#include <algorithm>
#include <cmath>

#include <cstdlib>

#include "toolpath/NcDrillCycle.h"
#include "toolpath/NcFanucCycle.h"
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

// Whether the block names the cycle itself (not only repeats it at a new position).
bool NamesCycle(const CNcBlock& block, int cycle) {
    return HasG(block, cycle);
}

long BlockNumber(const CNcBlock& block) {
    return block.strBlock.empty() ? -1 : std::lround(std::strtod(block.strBlock.c_str() + 1, nullptr));
}

std::string CycleName(int cycle) {
    return "G" + std::to_string(cycle / 10) + (cycle % 10 ? "." + std::to_string(cycle % 10) : "");
}

}  // namespace

// The two forms are told apart by their words. LinuxCNC names the profile's subroutine with Q
// (G70 adds P, its number of passes, so there Q must name a subroutine that is defined). The ISO
// lathe controls give G71 or G72 in two blocks: the first with the depth (U for G71, W for G72)
// and R, without P and Q; the second, and G70, with P and Q, the first and the last block number
// of the profile.
void CNcReader::RunCycle(const CNcBlock& block, int cycle) {
    // The roughing cycles that run a subroutine and the drilling cycles need the cutter's own path.
    const bool roughing = !block.Find('P') && cycle >= 710 && cycle <= 722;
    if (m_bCutterComp && (roughing || cycle >= 810)) {
        const std::string name = "G" + std::to_string(cycle / 10) + (cycle % 10 ? "." + std::to_string(cycle % 10) : "");
        Note(m_result.errors, name + " cannot be used with cutter compensation on (G40 first)");
        return;
    }
    if (cycle >= 810) {
        RunDrillCycle(block, cycle);
        return;
    }
    if (cycle == 740 || cycle == 750) {
        RunPeckCycle(block, cycle);
        return;
    }
    const CNcWord* p = block.Find('P');
    const CNcWord* q = block.Find('Q');
    const bool subroutine = q && m_subroutines.count("O" + std::to_string(std::lround(q->dValue))) > 0;
    if (p && q && cycle % 10 == 0 && (cycle != 700 || !subroutine)) {
        RunNumberedCycle(block, cycle);
    } else if (!p && !q && (cycle == 710 || cycle == 720) && block.Find('R') &&
               block.Find(cycle == 710 ? 'U' : 'W')) {
        m_dCycleDepth = Length(block.Find(cycle == 710 ? 'U' : 'W')->dValue);
        m_dCycleRetract = Length(block.Find('R')->dValue);
    } else {
        RunSubroutineCycle(block, cycle);
    }
}

// The ISO form: the profile is the blocks numbered P to Q, read as the controller would run them
// from where the tool stands.
void CNcReader::RunNumberedCycle(const CNcBlock& block, int cycle) {
    const std::string name = CycleName(cycle);
    // A profile is read by a reader of its own; a cycle inside it that names itself ends here.
    static thread_local int depth = 0;
    if (depth > 2) {
        Note(m_result.errors, name + " inside the profile of a cycle");
        return;
    }
    const long first = std::lround(block.Find('P')->dValue);
    const long last = std::lround(block.Find('Q')->dValue);
    std::string profile;
    int line = 0;
    int profileLine = 0;
    bool inside = false;
    bool complete = false;
    for (size_t at = 0; m_pText && at < m_pText->size() && !complete;) {
        size_t end = m_pText->find('\n', at);
        end = end == std::string::npos ? m_pText->size() : end;
        ++line;
        const std::string text = m_pText->substr(at, std::min(end - at, kLineLimit));
        const long number = BlockNumber(CNcBlock::Parse(text));
        if (!inside && number == first) {
            inside = true;
            profileLine = line;
        }
        if (inside) {
            profile += text + "\n";
            complete = number == last;
        }
        at = end + 1;
    }
    if (!complete) {
        Note(m_result.errors, name + ": the profile's blocks N" + std::to_string(first) + " to N" +
                                  std::to_string(last) + " are not in the program");
        return;
    }
    CNcReaderSettings settings;
    settings.bDiameterMode = m_bDiameter;
    settings.ptStart = m_ptPos;
    std::string modes = std::string(m_dUnitMm > 1.0 ? "G20" : "G21") + (m_bAbsolute ? " G90" : " G91") +
                        (m_bArcAbsolute ? " G90.1" : " G91.1") + " F1";
    if (m_nMotion >= 0 && m_nMotion <= 3) {
        modes += " G" + std::to_string(m_nMotion);
    }
    ++depth;
    const CToolpath read = CNcReader(settings).Read(modes + "\n" + profile);
    --depth;
    if (!read.errors.empty() || read.moves.empty()) {
        Note(m_result.errors, name + ": the profile " +
                                  (read.errors.empty() ? std::string("makes no move")
                                                       : "on line " + std::to_string(profileLine + read.errors[0].nLine - 2) +
                                                             ": " + read.errors[0].strText));
        return;
    }
    if (cycle != 700 && profileLine > m_nLine) {
        m_nSkipToBlock = last;
    }
    if (!(m_dFeed > 0) && cycle != 700) {
        Note(m_result.errors, "feed move without a feed rate (F)");
    }
    const CPathPoint start = m_ptPos;
    if (cycle == 700) {
        // Along the profile as written, then back to the start.
        for (const CToolMove& m : read.moves) {
            AddMove(m.segment, m.bRapid, block.strBlock);
        }
        AddMove(CPathSegment::Line(m_ptPos, start), true, block.strBlock);
        return;
    }
    CFanucRoughInput in;
    in.bAlongX = cycle == 720;
    in.ptStart = start;
    for (const CToolMove& m : read.moves) {
        in.profile.push_back(m.segment);
    }
    const CNcWord* d = block.Find('D');
    in.dDepth = d ? Length(d->dValue) : m_dCycleDepth;
    in.dRetract = m_dCycleRetract;
    const CNcWord* u = block.Find('U');
    const CNcWord* w = block.Find('W');
    in.dAllowanceX = u ? Length(u->dValue) * (m_bDiameter ? 0.5 : 1.0) : 0.0;
    in.dAllowanceZ = w ? Length(w->dValue) : 0.0;
    const CFanucRoughResult result = ExpandFanucRough(in);
    if (!result.strError.empty()) {
        Note(m_result.errors, name + ": " + result.strError);
        return;
    }
    for (const CCycleSegment& m : result.moves) {
        AddMove(m.segment, m.bRapid, block.strBlock);
    }
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
    const std::string used = std::string("GNQDXZFSTM") + (cycle == 700 ? "EP" : "IR");
    for (const CNcWord& w : block.words) {
        if (used.find(w.cLetter) == std::string::npos) {
            Note(m_result.errors, "word " + w.strText + " is not used by " + name);
            return;
        }
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

// LinuxCNC's drilling cycles run along Z in the XY plane only: X is the hole's position, Z the
// bottom, R the level the feed starts at; R, Z and Q hold for the blocks that repeat the cycle.
void CNcReader::RunDrillCycle(const CNcBlock& block, int cycle) {
    const std::string name = CycleName(cycle);
    if (m_nPlane != 17) {
        Note(m_result.errors, name + " is refused outside the XY plane (G17)");
        return;
    }
    if (!m_bAbsolute) {
        Note(m_result.errors, name + " in incremental mode (G91) is not previewed");
        return;
    }
    if (const CNcWord* r = block.Find('R')) {
        m_dDrillR = Length(r->dValue);
    }
    if (const CNcWord* z = block.Find('Z')) {
        m_dDrillZ = Length(z->dValue);
    }
    if (const CNcWord* q = block.Find('Q')) {
        m_dDrillQ = Length(q->dValue);
    }
    const bool named = NamesCycle(block, cycle);
    if (named && (!block.Find('R') || !block.Find('Z'))) {
        Note(m_result.errors, name + " without R (the level the feed starts at) or Z (the bottom)");
        return;
    }
    if (cycle == 830 && (!(m_dDrillQ > 0) || (named && !block.Find('Q')))) {
        Note(m_result.errors, "G83 without a peck depth Q above 0");
        return;
    }
    if (!(m_dFeed > 0)) {
        Note(m_result.errors, "feed move without a feed rate (F)");
        return;
    }
    if (m_dDrillR < m_dDrillZ) {
        Note(m_result.errors, name + " with R below the bottom (Z)");
        return;
    }
    if (cycle == 830 && (m_dDrillR - m_dDrillZ) / m_dDrillQ > 100000) {
        Note(m_result.errors, "G83 with more than 100000 pecks");
        return;
    }
    CDrillCycleInput in;
    in.nCycle = cycle / 10;
    in.ptStart = m_ptPos;
    const CNcWord* x = block.Find('X');
    in.dHoleX = x ? Length(x->dValue) * (m_bDiameter ? 0.5 : 1.0) : m_ptPos.dX;
    in.dBottomZ = m_dDrillZ;
    in.dRetractZ = m_dDrillR;
    if (m_nMotionBefore < 810) {
        m_dDrillStartZ = m_ptPos.dZ;
    }
    in.dInitialZ = m_dDrillStartZ;
    in.bToInitial = m_bRetractToStart;
    in.bRepeat = !named;
    in.dPeck = m_dDrillQ;
    in.dRapidDelta = 0.254 * 10000.0;  // a hundredth of an inch
    for (const CCycleSegment& m : ExpandDrillCycle(in)) {
        AddMove(m.segment, m.bRapid, block.strBlock);
    }
}

// The ISO lathe controls' G74 (pecks along Z) and G75 (pecks along X), in two blocks: "G74 R"
// sets the return after each peck; "G74 X Z P Q R F" cuts from where the tool stands to X, Z.
// P and Q without a decimal point count thousandths of a millimetre (ten-thousandths of an
// inch); P is the step along X (a radius), Q along Z; R in the second block is the relief at the
// bottom.
void CNcReader::RunPeckCycle(const CNcBlock& block, int cycle) {
    const std::string name = CycleName(cycle);
    const bool target = block.Find('X') || block.Find('Z') || block.Find('U') || block.Find('W');
    if (!target) {
        if (const CNcWord* r = block.Find('R')) {
            m_dPeckReturn = Length(r->dValue);
        }
        return;
    }
    if (!(m_dFeed > 0)) {
        Note(m_result.errors, "feed move without a feed rate (F)");
        return;
    }
    const auto increment = [&](char letter) {
        const CNcWord* w = block.Find(letter);
        if (!w) {
            return 0.0;
        }
        const bool point = w->strText.find('.') != std::string::npos;
        return Length(point ? w->dValue : w->dValue * (m_dUnitMm > 1.0 ? 0.0001 : 0.001));
    };
    CAxisWords axes;
    CollectAxes(block, cycle, axes);
    CPeckCycleInput in;
    in.bAlongX = cycle == 750;
    in.ptStart = m_ptPos;
    in.ptEnd = EndPoint(axes);
    const double stepX = increment('P');
    const double stepZ = increment('Q');
    in.dPeck = in.bAlongX ? stepX : stepZ;
    in.dShift = in.bAlongX ? stepZ : stepX;
    in.dReturn = m_dPeckReturn;
    in.dRelief = block.Find('R') ? Length(block.Find('R')->dValue) : 0.0;
    const CPeckCycleResult result = ExpandPeckCycle(in);
    if (!result.strError.empty()) {
        Note(m_result.errors, name + ": " + result.strError);
        return;
    }
    for (const CCycleSegment& m : result.moves) {
        AddMove(m.segment, m.bRapid, block.strBlock);
    }
}
