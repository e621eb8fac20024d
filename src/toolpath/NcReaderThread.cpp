// Reading threading back: G33 and G32 moves, both forms of G76, and the blocks the reader
// refuses to guess at.
#include <cmath>
#include <cstdio>

#include "toolpath/NcReader.h"

namespace {

int Code10(double value) {
    return static_cast<int>(std::lround(value * 10.0));
}

std::string GName(int code10) {
    return "G" + std::to_string(code10 / 10) + (code10 % 10 ? "." + std::to_string(code10 % 10) : "");
}

bool Whole(double value) {
    return value == std::floor(value);
}

}  // namespace

// The two forms are told apart by their words: the single-block G76 of the drive line names
// the crest's offset I and the depths J and K; neither block of the two-block G76 names I, J or
// K (its depths are P and Q, its taper R).
bool CNcReader::IsFlankForm(const CNcBlock& block) {
    return !block.Find('I') && !block.Find('J') && !block.Find('K');
}

void CNcReader::NotExpanded(const CNcBlock& block, CBlockCodes& codes) {
    for (const CNcWord& w : block.words) {
        const int code = Code10(w.dValue);
        if (w.cLetter == 'M' && (code == 970 || code == 980)) {
            Note(m_result.errors, "subprogram call " + w.strText + " is not previewed");
        } else if (w.cLetter == 'M' && code == 990) {
            Note(m_result.errors, "subprogram return or repeat " + w.strText + " is not previewed");
        }
    }
    // G90, G92 and G94 with a feed and an end point but no motion of their own are the turning,
    // threading and facing cycles of ISO lathes, not the distance mode, offset or feed mode.
    const bool feed = block.Find('F') != nullptr;
    const bool end = block.Find('X') || block.Find('Z') || block.Find('U') || block.Find('W');
    if (feed && end && !m_bMotionWord) {
        for (const CNcWord& w : block.words) {
            const int code = Code10(w.dValue);
            if (w.cLetter == 'G' && (code == 900 || code == 920 || code == 940)) {
                codes.nMotion = code;
                codes.nNonModal = -1;
                m_bMotionWord = true;
            }
        }
    }
}

void CNcReader::Cycle(const CBlockCodes& codes, const CAxisWords& axes, const CNcBlock& block) {
    if (codes.nMotion == 760) {
        if (IsFlankForm(block)) {
            FlankThread(axes, block);
        } else {
            DriveLineThread(axes, block);
        }
        return;
    }
    if (codes.nMotion != 320 && codes.nMotion != 330) {
        Note(m_result.errors, "cycle " + GName(codes.nMotion) + " is not previewed");
        return;
    }
    // A cut synchronised with the spindle: G33 takes its lead from K, G32 from F.
    double lead = m_dFeed;
    if (codes.nMotion == 330) {
        if (!axes.pK) {
            Note(m_result.errors, "G33 without a distance per revolution (K)");
            return;
        }
        if (block.Find('F')) {
            Note(m_result.errors, "F with G33: the distance per revolution is K");
            return;
        }
        lead = axes.pK->dValue;
    } else if (!(m_dFeed > 0)) {
        Note(m_result.errors, "G32 without a lead (F)");
        return;
    }
    if (!axes.Any()) {
        Note(m_result.errors, GName(codes.nMotion) + " without an end point");
        return;
    }
    AddMove(CPathSegment::Line(m_ptPos, EndPoint(axes)), false, block.strBlock);
    m_result.moves.back().dLead = std::fabs(lead);
}

void CNcReader::DriveLineThread(const CAxisWords& axes, const CNcBlock& block) {
    const CNcWord* p = block.Find('P');
    const CNcWord* i = block.Find('I');
    const CNcWord* j = block.Find('J');
    const CNcWord* k = block.Find('K');
    if (!p || p->dValue == 0) {
        Note(m_result.errors, "G76 without a pitch (P)");
        return;
    }
    if (!i || !j || !k) {
        Note(m_result.errors, "G76 without I, J or K");
        return;
    }
    if (!axes.Any()) {
        Note(m_result.errors, "G76 without an end point (Z)");
        return;
    }
    const CNcWord* h = block.Find('H');
    const CNcWord* l = block.Find('L');
    if ((h && !Whole(h->dValue)) || (l && !Whole(l->dValue))) {
        Note(m_result.errors, "G76 with H or L not a whole number");
        return;
    }
    // I, J and K are diameters in diameter mode; E is a length along the drive line.
    const double radial = m_bDiameter ? 0.5 : 1.0;
    CDriveLineThread t;
    t.ptStart = m_ptPos;
    const CPathPoint end = EndPoint(axes);
    t.dZEnd = end.dZ;
    t.dXAfter = end.dX;
    t.dPeakOffset = Length(i->dValue) * radial;
    t.dFirstDepth = Length(j->dValue) * radial;
    t.dFullDepth = Length(k->dValue) * radial;
    if (const CNcWord* r = block.Find('R')) {
        t.dDegression = r->dValue;
    }
    if (const CNcWord* q = block.Find('Q')) {
        t.dCompoundDeg = q->dValue;
    }
    if (const CNcWord* e = block.Find('E')) {
        t.dTaper = Length(e->dValue);
    }
    t.nSpringPasses = h ? static_cast<int>(h->dValue) : 0;
    t.nTaperEnds = l ? static_cast<int>(l->dValue) : 0;
    AddCycleMoves(CNcThreadCycle::DriveLine(t), std::fabs(p->dValue), block.strBlock);
}

void CNcReader::FlankThread(const CAxisWords& axes, const CNcBlock& block) {
    // P and Q count the least increment (0.001 mm, 0.0001 inch), written without a point.
    const double increment = Length(m_dUnitMm > 1.0 ? 0.0001 : 0.001);
    bool sound = true;
    auto increments = [&](const CNcWord* w) {
        if (w && w->strText.find('.') != std::string::npos) {
            Note(m_result.errors, "G76 " + w->strText + ": P and Q are written without a decimal point");
            sound = false;
        }
        return w ? w->dValue * increment : 0.0;
    };
    const CNcWord* p = block.Find('P');
    const CNcWord* q = block.Find('Q');
    const CNcWord* r = block.Find('R');
    if (!axes.Any()) {
        // The first block: P as mmrraa (finishing passes, pull-out, tool angle), Q, R.
        CFlankThreadSettings settings = m_flankSettings;
        if (p) {
            const double value = p->dValue;
            if (value < 0 || value > 999999 || !Whole(value)) {
                Note(m_result.errors, "G76 " + p->strText + ": P is six digits, mmrraa");
                return;
            }
            const int digits = static_cast<int>(value);
            settings.nFinishPasses = digits / 10000;
            settings.nPullOutTenths = digits / 100 % 100;
            settings.dToolAngleDeg = digits % 100;
        }
        if (q) {
            settings.dMinCut = increments(q);
        }
        if (r) {
            settings.dAllowance = Length(r->dValue);
        }
        if (sound) {
            m_flankSettings = settings;
        }
        return;
    }
    CFlankThread t;
    t.ptStart = m_ptPos;
    t.ptEnd = EndPoint(axes);
    t.dTaper = r ? Length(r->dValue) : 0.0;
    t.dHeight = increments(p);
    t.dFirstCut = increments(q);
    t.dLead = Length(m_dFeed);
    t.settings = m_flankSettings;
    if (sound) {
        AddCycleMoves(CNcThreadCycle::Flank(t), m_dFeed, block.strBlock);
    }
}

void CNcReader::AddCycleMoves(const CThreadExpansion& expansion, double lead, const std::string& blockNumber) {
    if (!expansion.strError.empty()) {
        Note(m_result.errors, expansion.strError);
        return;
    }
    if (m_nCycleMoves + expansion.moves.size() > kCycleMoveLimit) {
        Note(m_result.errors, "the cycles make more than " + std::to_string(kCycleMoveLimit) +
                                  " moves: this one is not previewed");
        return;
    }
    m_nCycleMoves += expansion.moves.size();
    for (const CThreadMove& move : expansion.moves) {
        AddMove(CPathSegment::Line(m_ptPos, move.ptEnd), move.bRapid, blockNumber);
        if (!move.bRapid) {
            m_result.moves.back().dLead = lead;
        }
    }
}
