// Reading NC text back: modal state, G/M/F/S/T words, lines and arcs in model units.
#include "toolpath/NcReader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

// A G code as ten times its number (G90.1 is 901), so decimal codes compare exactly.
int Code10(double value) {
    return static_cast<int>(std::lround(value * 10.0));
}

// G codes that only set a mode or state the reader need not follow: kept as events.
bool IsModeOnly(int code10) {
    static const int kCodes[] = {400, 410, 420, 430, 490, 530, 540, 550, 560, 570, 580, 590,
                                 610, 640, 800, 930, 940, 950, 960, 970, 980, 990, 150, 160};
    return std::find(std::begin(kCodes), std::end(kCodes), code10) != std::end(kCodes);
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
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        ++m_nLine;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!m_bEnded) {
            ReadBlock(CNcBlock::Parse(line));
        }
    }
    m_result.nLineCount = m_nLine;
    return std::move(m_result);
}

void CNcReader::Note(std::vector<CNcNote>& list, const std::string& text) const {
    list.push_back(CNcNote{m_nLine, text});
}

void CNcReader::ReadBlock(const CNcBlock& block) {
    if (block.bPercent) {
        // The text between the first and the second "%" is the program.
        m_bEnded = ++m_nPercent >= 2;
        return;
    }
    for (const std::string& fault : block.faults) {
        Note(m_result.errors, fault);
    }
    const int motion = ApplyModes(block);
    CAxisWords axes;
    for (const CNcWord& w : block.words) {
        const CNcWord** slot = w.cLetter == 'X'   ? &axes.pX
                               : w.cLetter == 'Z' ? &axes.pZ
                               : w.cLetter == 'U' ? &axes.pU
                               : w.cLetter == 'W' ? &axes.pW
                               : w.cLetter == 'I' ? &axes.pI
                               : w.cLetter == 'K' ? &axes.pK
                               : w.cLetter == 'R' ? &axes.pR
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
    if (motion == 4 || !axes.Any()) {
        if (m_bMotionWord && (motion == 2 || motion == 3)) {
            Note(m_result.errors, "arc without an end point");
        }
    } else if (motion < 0) {
        Note(m_result.errors, "axis words without a motion mode (G80)");
    } else {
        Move(motion, axes, block.strBlock);
    }
    if (const CNcWord* m = block.Find('M'); m && (Code10(m->dValue) == 20 || Code10(m->dValue) == 300)) {
        m_bEnded = true;
    }
}

int CNcReader::ApplyModes(const CNcBlock& block) {
    int motion = m_nMotion;
    bool nonModal = false;
    m_bMotionWord = false;
    for (const CNcWord& w : block.words) {
        switch (w.cLetter) {
            case 'G':
                if (ApplyG(w, motion)) {
                    nonModal = nonModal || motion == 4 || motion == 28 || motion == 30;
                } else {
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
            case 'R': break;
            case 'P':
            case 'H':
            case 'D':
                // Dwell time, tool length and nose radius offsets: arguments of codes kept as events.
                m_result.events.push_back(CNcEvent{w.cLetter, w.dValue, w.strText, m_nLine});
                break;
            default: Note(m_result.unknown, w.strText); break;
        }
    }
    if (!nonModal) {
        m_nMotion = motion;
    }
    return motion;
}

bool CNcReader::ApplyG(const CNcWord& word, int& motion) {
    const int code = Code10(word.dValue);
    switch (code) {
        case 0:
        case 10:
        case 20:
        case 30:
            motion = code / 10;
            m_bMotionWord = true;
            return true;
        case 800: motion = -1; break;
        case 40: motion = 4; break;
        case 280:
        case 300: motion = code / 10; break;
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
            if (!IsModeOnly(code)) {
                return false;
            }
    }
    m_result.events.push_back(CNcEvent{'G', word.dValue, word.strText, m_nLine});
    return true;
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

void CNcReader::Move(int motion, const CAxisWords& axes, const std::string& blockNumber) {
    const CPathPoint end = EndPoint(axes);
    if (motion == 28 || motion == 30) {
        // A return to a reference point passes the point given; where the reference point is
        // is the machine's, so the tool is taken to stand at the intermediate point.
        AddMove(CPathSegment::Line(m_ptPos, end), true, blockNumber);
        return;
    }
    if (motion <= 1) {
        AddMove(CPathSegment::Line(m_ptPos, end), motion == 0, blockNumber);
        return;
    }
    const int direction = motion == 2 ? kDirClockwise : kDirCounterClockwise;
    if (m_nPlane != 18) {
        Note(m_result.errors, "arc in the " +
                                  std::string(m_nPlane == 17 ? "XY plane (G17)" : "YZ plane (G19)") +
                                  "; only the XZ plane (G18) is read");
        AddMove(CPathSegment::Line(m_ptPos, end), false, blockNumber);
        return;
    }
    CPathPoint centre;
    if (!ArcCentre(axes, m_ptPos, end, direction, centre)) {
        AddMove(CPathSegment::Line(m_ptPos, end), false, blockNumber);
        return;
    }
    CPathSegment arc = CPathSegment::Arc(m_ptPos, end, centre, direction);
    const double endRadius = std::hypot(end.dZ - centre.dZ, end.dX - centre.dX);
    if (std::fabs(endRadius - arc.dRadius) > kArcRadiusToleranceMm * 10000.0) {
        Note(m_result.errors,
             "arc radius at the start " + Mm(arc.dRadius) + " mm, at the end " + Mm(endRadius) + " mm");
        arc.dRadius = (arc.dRadius + endRadius) / 2;
    }
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
        if (std::fabs(r) < half - kArcRadiusToleranceMm * 10000.0) {
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
