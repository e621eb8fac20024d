// Reading NC text back: modal state, offsets, G/M/F/S/T words, lines and arcs in model units.
#include "toolpath/NcReader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// A G code as ten times its number (G90.1 is 901), so decimal codes compare exactly.
int Code10(double value) {
    return static_cast<int>(std::lround(value * 10.0));
}

// G codes that only set a mode or state the reader need not follow: kept as events.
bool IsModeOnly(int code10) {
    static const int kCodes[] = {400, 410, 411, 420, 421, 430, 490, 610, 640,
                                 930, 940, 950, 960, 970, 980, 990, 150, 160};
    return std::find(std::begin(kCodes), std::end(kCodes), code10) != std::end(kCodes);
}

// Motion codes beside G0-G3: threading, and the cycles the reader refuses to guess at.
bool IsCycleMotion(int code10) {
    static const int kCodes[] = {320, 330, 331, 730, 760, 840, 850, 860, 870, 880, 890};
    return std::find(std::begin(kCodes), std::end(kCodes), code10) != std::end(kCodes);
}

// The modal group of a G code (0 for the codes that act once), -1 for codes of no group checked.
int GroupOf(int code10) {
    switch (code10) {
        case 40:
        case 100:
        case 280:
        case 300:
        case 500:
        case 530:
        case 920:
        case 921:
        case 922:
        case 923:
        case 740:
        case 750: return 0;
        case 0:
        case 10:
        case 20:
        case 30:
        case 800:
        case 700:
        case 710:
        case 711:
        case 712:
        case 720:
        case 721:
        case 722:
        case 810:
        case 820:
        case 830: return 1;
        case 170:
        case 180:
        case 190: return 2;
        case 900:
        case 910: return 3;
        case 901:
        case 911: return 4;
        case 930:
        case 940:
        case 950: return 5;
        case 200:
        case 210: return 6;
        case 400:
        case 410:
        case 411:
        case 420:
        case 421: return 7;
        case 430:
        case 490: return 8;
        case 540:
        case 550:
        case 560:
        case 570:
        case 580:
        case 590:
        case 591:
        case 592:
        case 593: return 9;
        case 70:
        case 80: return 10;
        case 960:
        case 970: return 11;
        case 610:
        case 640: return 12;
        case 980:
        case 990: return 13;
        default: return IsCycleMotion(code10) ? 1 : -1;
    }
}

// The work offset a G54-G59.3 code selects (1-9), 0 for other codes.
int SystemOf(int code10) {
    if (code10 >= 540 && code10 <= 590 && code10 % 10 == 0) {
        return (code10 - 540) / 10 + 1;
    }
    return code10 >= 591 && code10 <= 593 ? code10 - 591 + 7 : 0;
}

std::string Mm(double modelUnits) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", modelUnits / 10000.0);
    return text;
}

}  // namespace

CNcReader::CNcReader(CNcReaderSettings settings) : m_settings(settings) {}

CToolpath CNcReader::Read(const std::string& text) {
    m_result = CToolpath{};
    m_ptPos = m_settings.ptStart;
    m_bDiameter = m_settings.bDiameterMode;
    m_nLine = 0;
    m_nMotion = 0;
    m_nPlane = 18;
    m_bAbsolute = true;
    m_bArcAbsolute = false;
    m_bEnded = false;
    m_nPercent = 0;
    m_dUnitMm = 1.0;
    m_dFeed = 0.0;
    m_strSubroutine.clear();
    m_subroutines.clear();
    m_pText = &text;
    m_nSkipToBlock = -1;
    m_dCycleDepth = 0.0;
    m_dCycleRetract = 0.0;
    m_bRetractToStart = false;
    m_dDrillR = m_dDrillZ = m_dDrillQ = m_dPeckReturn = 0.0;
    m_origins = {};
    m_ptG92 = {};
    m_nSystem = 1;
    m_flankSettings = {};
    m_nCycleMoves = 0;
    std::string line;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end;
        ++m_nLine;
        if (!m_bEnded) {
            line.assign(text, at, std::min(end - at, kLineLimit + 2));
            if (end - at > kLineLimit + 1) {
                Note(m_result.errors,
                     "line longer than " + std::to_string(kLineLimit) + " characters: not read");
            } else {
                ReadLine(line);
            }
        }
        at = end + 1;
    }
    m_result.nLineCount = m_nLine;
    m_pText = nullptr;
    return std::move(m_result);
}

void CNcReader::ReadLine(std::string& line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (line.size() > kLineLimit) {
        Note(m_result.errors, "line longer than " + std::to_string(kLineLimit) + " characters: not read");
        return;
    }
    ReadBlock(CNcBlock::Parse(line));
}

void CNcReader::Note(std::vector<CNcNote>& list, const std::string& text) {
    ++(&list == &m_result.errors ? m_result.nErrorCount : m_result.nUnknownCount);
    if (list.size() < CToolpath::kNoteLimit) {
        list.push_back(CNcNote{m_nLine, text});
    }
}

CPathPoint CNcReader::Origin() const {
    return {m_origins[m_nSystem].dZ + m_ptG92.dZ, m_origins[m_nSystem].dX + m_ptG92.dX};
}

template <typename F>
void CNcReader::ShiftOrigin(F change) {
    const CPathPoint before = Origin();
    const CPathPoint machine{m_ptPos.dZ + before.dZ, m_ptPos.dX + before.dX};
    change(machine);
    const CPathPoint after = Origin();
    m_ptPos = {machine.dZ - after.dZ, machine.dX - after.dX};
}

void CNcReader::ReadBlock(const CNcBlock& block) {
    if (block.bPercent) {
        // The text between the first and the second "%" is the program.
        m_bEnded = ++m_nPercent >= 2;
        return;
    }
    if (!m_strSubroutine.empty()) {
        // A subroutine's body runs where it is called, not where it is defined.
        if (block.strControl == "ENDSUB" && block.strControlName == m_strSubroutine) {
            m_strSubroutine.clear();
        } else {
            m_subroutines[m_strSubroutine].push_back(block);
        }
        return;
    }
    if (m_nSkipToBlock >= 0) {
        // A numbered cycle's profile runs in the cycle, not here.
        if (!block.strBlock.empty() && std::lround(std::strtod(block.strBlock.c_str() + 1, nullptr)) == m_nSkipToBlock) {
            m_nSkipToBlock = -1;
        }
        return;
    }
    if (block.strControl == "SUB") {
        m_strSubroutine = block.strControlName;
        m_subroutines[m_strSubroutine].clear();
        return;
    }
    // What the preview cannot follow leaves it unsure of everything after: an error, never a
    // guess.
    if (!block.strControl.empty()) {
        Note(m_result.errors,
             block.strControlName + " " + block.strControl + ": program flow is not previewed");
        return;
    }
    if (block.bExpression) {
        Note(m_result.errors, "parameters and expressions are not previewed");
        return;
    }
    for (const std::string& fault : block.faults) {
        Note(m_result.errors, fault);
    }
    m_nMotionBefore = m_nMotion;
    const CBlockCodes codes = ApplyModes(block);
    CAxisWords axes;
    // A drilling cycle repeats at each new position; a cycle's words are its own arguments.
    const bool drilling = codes.nMotion >= 810 && codes.nMotion <= 830;
    const int cycle = codes.nCycle ? codes.nCycle
                      : drilling && (block.Find('X') || block.Find('Z') || block.Find('U') || block.Find('W'))
                          ? codes.nMotion
                          : 0;
    const bool axesSound = cycle != 0 || CollectAxes(block, codes.nMotion, axes);
    if (cycle != 0 && !codes.bRefused) {
        RunCycle(block, cycle);
    } else if (codes.bRefused || !axesSound) {
        // The controller refuses the whole block.
    } else if (codes.nNonModal == 28 || codes.nNonModal == 30) {
        ReturnHome(axes, codes.nNonModal, block.strBlock);
    } else if (codes.nNonModal == 10 || codes.nNonModal == 50 || codes.nNonModal == 92 ||
               codes.nNonModal == 921) {
        RunNonModal(codes, axes);
    } else if (codes.nMotion >= 100 && codes.nNonModal < 0 && (m_bMotionWord || axes.Any())) {
        Cycle(codes, axes, block);
    } else if (codes.nNonModal == 4 || !axes.Any()) {
        if (m_bMotionWord && (codes.nMotion == 2 || codes.nMotion == 3) && codes.nNonModal != 4) {
            if (axes.pI || axes.pK) {
                Arc(codes.nMotion, axes, m_ptPos, block.strBlock);  // a full circle
            } else {
                Note(m_result.errors, "arc without an end point");
            }
        }
    } else if (codes.nMotion < 0) {
        Note(m_result.errors, "axis words without a motion mode (G80)");
    } else {
        Move(codes, axes, block.strBlock);
    }
    for (const CNcWord& w : block.words) {
        if (w.cLetter == 'M' && (Code10(w.dValue) == 20 || Code10(w.dValue) == 300)) {
            m_bEnded = true;
        }
    }
}

CNcReader::CBlockCodes CNcReader::ApplyModes(const CNcBlock& block) {
    CBlockCodes codes;
    codes.nMotion = m_nMotion;
    unsigned groups = 0;
    m_bMotionWord = false;
    const bool g76 = std::any_of(block.words.begin(), block.words.end(),
                                 [](const CNcWord& w) { return w.cLetter == 'G' && Code10(w.dValue) == 760; });
    for (const CNcWord& w : block.words) {
        switch (w.cLetter) {
            case 'G':
                if (!ApplyG(w, codes, groups)) {
                    Note(m_result.unknown, w.strText);
                }
                break;
            case 'F': m_dFeed = w.dValue; [[fallthrough]];
            case 'S':
            case 'T':
            case 'M': m_result.events.push_back(CNcEvent{w.cLetter, w.dValue, w.strText, m_nLine}); break;
            case 'O':
                if (m_result.nProgramNumber < 0) {
                    m_result.nProgramNumber = static_cast<int>(w.dValue);
                }
                break;
            case 'X':
            case 'Z':
            case 'U':
            case 'W':
            case 'I':
            case 'K':
            case 'R':
            case 'L': break;
            case 'P':
            case 'Q':
            case 'E':
            case 'H':
            case 'D':
                // Dwell time, turns, offsets: arguments of codes, kept as events.
                m_result.events.push_back(CNcEvent{w.cLetter, w.dValue, w.strText, m_nLine});
                break;
            case 'J':
                if (g76) {
                    break;  // words of the threading cycle
                }
                [[fallthrough]];
            default: Note(m_result.unknown, w.strText); break;
        }
    }
    NotExpanded(block, codes);
    if (!codes.bRefused) {
        // The two-block G76 acts once; the motion mode stays.
        m_nMotion = codes.nMotion == 760 && IsFlankForm(block) ? m_nMotion : codes.nMotion;
    }
    return codes;
}

bool CNcReader::ApplyG(const CNcWord& word, CBlockCodes& codes, unsigned& groups) {
    const int code = Code10(word.dValue);
    const int previous = codes.nMotionCode;
    if (const int group = GroupOf(code); group >= 0) {
        // G80 beside a straight or circular move only cancels the drilling cycle; the move stands.
        const auto move = [](int c) { return c == 0 || c == 10 || c == 20 || c == 30; };
        const bool cancelBesideMove =
            group == 1 && ((code == 800 && move(previous)) || (move(code) && previous == 800));
        if ((groups & (1u << group)) && !cancelBesideMove) {
            Note(m_result.errors, word.strText + " and another G code of its group in one block");
            codes.bRefused = true;
        }
        groups |= 1u << group;
        if (group == 1) {
            codes.nMotionCode = code;
        }
    }
    switch (code) {
        case 0:
        case 10:
        case 20:
        case 30:
            codes.nMotion = code / 10;
            m_bMotionWord = true;
            return true;
        case 800:
            if (previous < 0 || previous == 800) {
                codes.nMotion = -1;
            }
            break;
        case 700:
        case 710:
        case 711:
        case 712:
        case 720:
        case 721:
        case 722:
        case 740:
        case 750: codes.nCycle = code; break;
        case 810:
        case 820:
        case 830:
            codes.nMotion = code;
            codes.nCycle = code;
            break;
        case 980: m_bRetractToStart = true; break;
        case 990: m_bRetractToStart = false; break;
        case 40:
        case 100:
        case 280:
        case 300:
        case 500:
        case 920: codes.nNonModal = code / 10; break;
        case 921:
        case 922: codes.nNonModal = 921; break;
        case 530: codes.bMachine = true; break;
        case 70: m_bDiameter = true; break;
        case 80: m_bDiameter = false; break;
        case 170:
        case 180:
        case 190: m_nPlane = code / 10; break;
        case 200: m_dUnitMm = 25.4; break;
        case 210: m_dUnitMm = 1.0; break;
        case 900: m_bAbsolute = true; break;
        case 910: m_bAbsolute = false; break;
        case 901: m_bArcAbsolute = true; break;
        case 911: m_bArcAbsolute = false; break;
        default:
            if (const int system = SystemOf(code); system > 0) {
                ShiftOrigin([&](CPathPoint) { m_nSystem = system; });
            } else if (IsCycleMotion(code)) {
                codes.nMotion = code;
                m_bMotionWord = true;
                return true;
            } else if (!IsModeOnly(code)) {
                return false;
            }
            if (GroupOf(code) == 7) {
                m_bCutterComp = code != 400;
            }
    }
    m_result.events.push_back(CNcEvent{'G', word.dValue, word.strText, m_nLine});
    return true;
}

bool CNcReader::CollectAxes(const CNcBlock& block, int motion, CAxisWords& axes) {
    bool sound = true;
    for (const CNcWord& w : block.words) {
        const CNcWord** slot = w.cLetter == 'X'   ? &axes.pX
                               : w.cLetter == 'Z' ? &axes.pZ
                               : w.cLetter == 'U' ? &axes.pU
                               : w.cLetter == 'W' ? &axes.pW
                               : w.cLetter == 'I' ? &axes.pI
                               : w.cLetter == 'K' ? &axes.pK
                               : w.cLetter == 'R' ? &axes.pR
                               : w.cLetter == 'P' ? &axes.pP
                               : w.cLetter == 'L' ? &axes.pL
                                                  : nullptr;
        if (slot && *slot) {
            Note(m_result.errors, "word " + w.strText + " twice in one block");
        } else if (slot) {
            *slot = &w;
        }
    }
    if ((axes.pX && axes.pU) || (axes.pZ && axes.pW)) {
        Note(m_result.errors, "an absolute and an incremental word for the same axis");
    }
    if (axes.pR && (axes.pI || axes.pK) && motion != 760) {
        Note(m_result.errors, "R together with I or K in one block");
        sound = false;
    }
    return sound;
}

CPathPoint CNcReader::GivenPoint(const CAxisWords& axes, bool& z, bool& x) const {
    const double radial = m_bDiameter ? 0.5 : 1.0;
    z = axes.pZ != nullptr;
    x = axes.pX != nullptr;
    return {z ? Length(axes.pZ->dValue) : 0.0, x ? Length(axes.pX->dValue) * radial : 0.0};
}

void CNcReader::RunNonModal(const CBlockCodes& codes, const CAxisWords& axes) {
    if (codes.nNonModal == 921) {
        ShiftOrigin([&](CPathPoint) { m_ptG92 = {}; });
        return;
    }
    bool z = false;
    bool x = false;
    const CPathPoint given = GivenPoint(axes, z, x);
    if (codes.nNonModal == 50 || codes.nNonModal == 92) {
        // The point the tool stands at becomes the given one (G50 is the ISO lathes' G92).
        ShiftOrigin([&](CPathPoint machine) {
            const CPathPoint work = m_origins[m_nSystem];
            if (z) {
                m_ptG92.dZ = machine.dZ - work.dZ - given.dZ;
            }
            if (x) {
                m_ptG92.dX = machine.dX - work.dX - given.dX;
            }
        });
        return;
    }
    const int l = axes.pL ? Code10(axes.pL->dValue) : 0;
    const int p = axes.pP ? Code10(axes.pP->dValue) : 0;
    if ((l != 20 && l != 200) || p % 10 != 0 || p < 0 || p > 90) {
        Note(m_result.unknown, "G10 other than L2 or L20 with P0-P9 is not previewed");
        return;
    }
    const int system = p == 0 ? m_nSystem : p / 10;
    ShiftOrigin([&](CPathPoint machine) {
        CPathPoint& origin = m_origins[system];
        // L2 gives the origin itself, L20 the coordinates the tool's point shall have.
        if (z) {
            origin.dZ = l == 20 ? given.dZ : machine.dZ - m_ptG92.dZ - given.dZ;
        }
        if (x) {
            origin.dX = l == 20 ? given.dX : machine.dX - m_ptG92.dX - given.dX;
        }
    });
}

void CNcReader::ReturnHome(const CAxisWords& axes, int reference, const std::string& blockNumber) {
    (void)reference;  // both reference points are the machine's origin here
    // Through the intermediate point to the reference point, in the axes named (all without).
    const CPathPoint via = EndPoint(axes);
    AddMove(CPathSegment::Line(m_ptPos, via), true, blockNumber);
    const CPathPoint origin = Origin();
    CPathPoint home = via;
    if (!axes.Any() || axes.pZ || axes.pW) {
        home.dZ = 0.0 - origin.dZ;
    }
    if (!axes.Any() || axes.pX || axes.pU) {
        home.dX = 0.0 - origin.dX;
    }
    AddMove(CPathSegment::Line(via, home), true, blockNumber);
}

CPathPoint CNcReader::EndPoint(const CAxisWords& axes) const {
    CPathPoint end = m_ptPos;
    // X and U are diameters in diameter mode; Z, W, I, K and R never are.
    const double radial = m_bDiameter ? 0.5 : 1.0;
    if (axes.pX) {
        const double x = Length(axes.pX->dValue) * radial;
        end.dX = m_bAbsolute ? x : m_ptPos.dX + x;
    }
    if (axes.pU) {
        end.dX = m_ptPos.dX + Length(axes.pU->dValue) * radial;
    }
    if (axes.pZ) {
        const double z = Length(axes.pZ->dValue);
        end.dZ = m_bAbsolute ? z : m_ptPos.dZ + z;
    }
    if (axes.pW) {
        end.dZ = m_ptPos.dZ + Length(axes.pW->dValue);
    }
    return end;
}

void CNcReader::Move(const CBlockCodes& codes, const CAxisWords& axes, const std::string& blockNumber) {
    CPathPoint end = EndPoint(axes);
    if (codes.bMachine) {
        // G53: the words are machine coordinates for this block.
        bool z = false;
        bool x = false;
        const CPathPoint given = GivenPoint(axes, z, x);
        const CPathPoint origin = Origin();
        end.dZ = z ? given.dZ - origin.dZ : end.dZ;
        end.dX = x ? given.dX - origin.dX : end.dX;
    }
    if (codes.nMotion <= 1) {
        if (axes.pI || axes.pK) {
            Note(m_result.errors, "I or K without an arc (G2, G3)");
        }
        if (codes.nMotion == 1 && !(m_dFeed > 0)) {
            Note(m_result.errors, "feed move without a feed rate (F)");
        }
        AddMove(CPathSegment::Line(m_ptPos, end), codes.nMotion == 0, blockNumber);
        return;
    }
    Arc(codes.nMotion, axes, end, blockNumber);
}

bool CNcReader::ArcRadiiDiffer(double r1, double r2) const {
    const double absolute =
        (m_dUnitMm > 1.0 ? kArcRadiusAbsoluteInch * 25.4 : kArcRadiusAbsoluteMm) * 10000.0;
    const double difference = std::fabs(r1 - r2);
    return difference > 100 * absolute ||
           (difference > absolute && difference > kArcRadiusRelative * std::max(r1, r2));
}

void CNcReader::Arc(int motion, const CAxisWords& axes, CPathPoint end, const std::string& blockNumber) {
    if (!(m_dFeed > 0)) {
        Note(m_result.errors, "feed move without a feed rate (F)");
    }
    const int direction = motion == 2 ? kDirClockwise : kDirCounterClockwise;
    if (m_nPlane != 18) {
        Note(m_result.errors, "arc in the " +
                                  std::string(m_nPlane == 17 ? "XY plane (G17)" : "YZ plane (G19)") +
                                  "; only the XZ plane (G18) is read");
        AddMove(CPathSegment::Line(m_ptPos, end), false, blockNumber);
        return;
    }
    int turns = 0;
    if (axes.pP) {
        const double p = axes.pP->dValue;
        if (p < 1 || p != std::floor(p) || p > 1000) {
            Note(m_result.errors, "P of an arc is not a whole number of turns from 1");
            return;
        }
        turns = static_cast<int>(p) - 1;
    }
    CPathPoint centre;
    if (!ArcCentre(axes, m_ptPos, end, direction, centre)) {
        AddMove(CPathSegment::Line(m_ptPos, end), false, blockNumber);
        return;
    }
    CPathSegment arc = CPathSegment::Arc(m_ptPos, end, centre, direction);
    arc.nTurns = turns;
    const double endRadius = std::hypot(end.dZ - centre.dZ, end.dX - centre.dX);
    if (ArcRadiiDiffer(arc.dRadius, endRadius)) {
        Note(m_result.errors,
             "arc radius at the start " + Mm(arc.dRadius) + " mm, at the end " + Mm(endRadius) + " mm");
    }
    arc.dRadius = (arc.dRadius + endRadius) / 2;
    AddMove(arc, false, blockNumber);
}

bool CNcReader::ArcCentre(const CAxisWords& axes, CPathPoint start, CPathPoint end, int direction,
                          CPathPoint& centre) {
    if (axes.pR) {
        const double r = Length(axes.pR->dValue);
        const double dz = end.dZ - start.dZ;
        const double dx = end.dX - start.dX;
        const double chord = std::hypot(dz, dx);
        if (chord < 1e-3) {
            Note(m_result.errors, "an R arc cannot end where it starts");
            return false;
        }
        const double half = chord / 2;
        if (std::fabs(r) < half && ArcRadiiDiffer(std::fabs(r), half)) {
            Note(m_result.errors, "arc radius " + Mm(std::fabs(r)) + " mm too small to reach the end point");
            return false;
        }
        const double h = std::sqrt(std::max(0.0, r * r - half * half));
        // The centre lies to the right of the chord for a clockwise arc of at most a half
        // circle; a negative R asks for the longer arc, on the other side.
        const double side = (direction == kDirCounterClockwise ? 1.0 : -1.0) * (r > 0 ? 1.0 : -1.0);
        centre = {(start.dZ + end.dZ) / 2 - side * h * dx / chord,
                  (start.dX + end.dX) / 2 + side * h * dz / chord};
        return true;
    }
    if (!axes.pI && !axes.pK) {
        Note(m_result.errors, "arc without a centre (I, K) or a radius (R)");
        return false;
    }
    // The centre's X offset is a radius even in diameter mode.
    const double i = axes.pI ? Length(axes.pI->dValue) : 0.0;
    const double k = axes.pK ? Length(axes.pK->dValue) : 0.0;
    centre = m_bArcAbsolute ? CPathPoint{k, i} : CPathPoint{start.dZ + k, start.dX + i};
    return true;
}

void CNcReader::AddMove(const CPathSegment& segment, bool rapid, const std::string& blockNumber) {
    CToolMove move;
    move.segment = segment;
    move.bRapid = rapid;
    move.dFeed = m_dFeed;
    move.nLine = m_nLine;
    move.strBlock = blockNumber;
    m_result.moves.push_back(move);
    m_ptPos = segment.ptEnd;
}
