// The RUN macro's roughing-cycle pass: the profile handed to the controller's cycle (as a
// subroutine or as numbered blocks), or the passes written out where the cycle can't cut it.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "document/Layer.h"
#include "platform/Messages.h"
#include "postprocessor/Command.h"
#include "postprocessor/MacroContext.h"
#include "postprocessor/MacroRun.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"
#include "postprocessor/RoughPasses.h"

namespace {

constexpr double kNotKnown = 2000000.0;
constexpr double kEmpty = 1000000.0;

size_t CountLines(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

bool Mentions(const std::string& text, const char* variable) {
    return text.find(std::string("<") + variable + ">") != std::string::npos;
}

// An NC comment can't hold parentheses of its own.
std::string CommentText(std::string text) {
    std::replace(text.begin(), text.end(), '(', '[');
    std::replace(text.begin(), text.end(), ')', ']');
    return "(" + text + ")\n";
}

// The profile run the other way along Z, so that the passes can be worked out towards larger Z.
std::vector<CNosePathSegment> Mirrored(std::vector<CNosePathSegment> profile) {
    for (CNosePathSegment& s : profile) {
        s.start.dZ = -s.start.dZ;
        s.end.dZ = -s.end.dZ;
        s.centre.dZ = -s.centre.dZ;
        s.bClockwise = !s.bClockwise;
    }
    return profile;
}

}  // namespace

void CMacroRun::DropRunOnLines(double startZ, double startX, std::vector<CCycleBlock>& blocks) {
    // A line that runs on in the direction of the line after it is left out: the next absolute move
    // covers it, and a controller offsetting the profile can't meet two parallel lines in a corner.
    std::vector<CCycleBlock> kept;
    CNosePathPoint from{startZ, startX};
    for (size_t k = 0; k < blocks.size(); ++k) {
        const CCycleBlock& b = blocks[k];
        if (k > 0 && k + 1 < blocks.size() && !b.bArc && !blocks[k + 1].bArc) {
            const double z1 = b.end.dZ - from.dZ, x1 = b.end.dX - from.dX;
            const double z2 = blocks[k + 1].end.dZ - b.end.dZ, x2 = blocks[k + 1].end.dX - b.end.dX;
            const double l1 = std::hypot(z1, x1), l2 = std::hypot(z2, x2);
            if (l1 < 1e-9 || (l2 > 1e-9 && std::fabs(z1 * x2 - x1 * z2) <= 1e-9 * l1 * l2 && z1 * z2 + x1 * x2 > 0)) {
                continue;
            }
        }
        kept.push_back(b);
        from = b.end;
    }
    blocks.swap(kept);
}

bool CMacroRun::WritePoint(const std::string& text, double z, double x, const CCommand* command, std::string& out,
                           CMacroContext& context) const {
    // One source, so that an empty coordinate reaches the line and leaves its word out (a move
    // along one axis); other variables go to the command and then the program as in every pass.
    CValueChain rest(100000.0);
    rest.Add(CommandSource(command)).Add(ProgramSource());
    CValueChain chain(100000.0);
    chain.Add([z, x, &rest](const std::string& name) {
        return name == "EndZ" ? z : name == "EndX" ? x : rest.Lookup(name);
    });
    return GenerateLines(text, chain, true, EveryLine, out, context);
}

bool CMacroRun::WriteRoughPasses(const std::vector<const CPiece*>& pieces, const CCommand* command, double startZ,
                                 double startX, std::string& out, CMacroContext& context) const {
    CValueChain values(100000.0);
    values.Add(CommandSource(command)).Add(ProgramSource());
    const auto known = [&values](const char* name, double& value) {
        const double v = values.Lookup(name);
        if (v >= kEmpty) {
            return false;
        }
        value = v;
        return true;
    };
    CRoughSpec spec;
    spec.dStartZ = startZ;
    spec.dStartX = startX;
    double allowance = 0.0;
    known("Allow", allowance);
    spec.dAllowX = spec.dAllowZ = allowance;
    double diameter = 0.0;
    if (known("AllowD", diameter)) {
        spec.dAllowX = diameter / 2.0;
    }
    known("AllowX", spec.dAllowX);
    known("AllowZ", spec.dAllowZ);
    known("Retract", spec.dRetract);
    if (!known("Depth", spec.dDepth) || !(spec.dDepth > 0.0)) {
        ReportMissing("Depth", context);
        return false;
    }
    std::vector<CNosePathSegment> profile = Segments({pieces.begin() + 1, pieces.end()});
    const bool forward = m_nSide != 0;
    if (!forward) {
        profile = Mirrored(profile);
        spec.dStartZ = -spec.dStartZ;
    }
    const std::vector<CRoughMove> moves = CRoughPasses::Compute(profile, spec);
    if (moves.empty()) {
        Refuse("The written-out passes can't be worked out for this profile: the depth of cut is too small or "
               "the Z allowance too large.",
               context);
        return false;
    }
    for (const CRoughMove& m : moves) {
        if (!WritePoint(m.bRapid ? m_strRapidTemplate : m_strLineTemplate, forward ? m.dZ : -m.dZ, m.dX, command,
                        out, context)) {
            return false;
        }
    }
    return true;
}

std::string CMacroRun::GenerateCycle(const CCommand* command, CMacroContext& context) const {
    if (m_pPreProcesor->GetIncremental()) {
        Refuse("The roughing cycle writes absolute positions: the post file must say N to Incremental?.", context);
        return "";
    }
    CValueChain outer(100000.0);
    outer.Add(CommandSource(command)).Add(ProgramSource());
    const double clear = outer.Lookup("Clear");
    const double startX = outer.Lookup("AppX");
    if (clear >= kEmpty || startX >= kEmpty) {
        ReportMissing(clear >= kEmpty ? "Clear" : "AppX", context);
        return "";
    }
    std::unique_ptr<CLayer> layer = CopyCommandLayer(command, "layer", context);
    if (!layer) {
        return "";
    }
    // The closing border is left out: the cycle's profile ends by rising to the start X.
    std::vector<const CPiece*> pieces = Walk(*layer);
    pieces.pop_back();
    pieces.erase(std::remove(pieces.begin(), pieces.end(), nullptr), pieces.end());
    const std::vector<CNosePathSegment> profile = Segments({pieces.begin() + (pieces.empty() ? 0 : 1), pieces.end()});
    if (profile.empty()) {
        Refuse("The layer has no profile between its borders for the roughing cycle.", context);
        return "";
    }
    const CNosePathPoint first = profile.front().start;
    const CNosePathPoint last = profile.back().end;
    // The cycle starts the clearance in front of the profile's start.
    const double startZ = m_nSide ? first.dZ - std::fabs(clear) : first.dZ + std::fabs(clear);
    char text[320];
    const std::vector<CNosePathPoint> poly = CRoughPasses::Polyline(profile);
    const auto top = std::max_element(poly.begin(), poly.end(),
                                      [](const CNosePathPoint& a, const CNosePathPoint& b) { return a.dX < b.dX; });
    if (!(startX > top->dX)) {
        std::snprintf(text, sizeof text,
                      "The roughing cycle starts above the profile: the approach X must lie above X %.3f, "
                      "the profile's highest point (at Z %.3f).",
                      top->dX, top->dZ);
        Refuse(text, context);
        return "";
    }
    std::string out;
    double fallZ = 0.0;
    const int fall = m_nCycle == kCycleRising ? CRoughPasses::FindFall(profile, fallZ) : -1;
    if (fall >= 0) {
        // The cycle would leave the pocket behind it or stop: the passes are written out instead.
        std::snprintf(text, sizeof text,
                      " falls from Z %.3f on; the roughing cycle needs a profile whose X only rises, so its "
                      "passes are written out instead.",
                      fallZ);
        const std::string why = pieces[static_cast<size_t>(fall) + 1]->GetLabel() + text;
        if (CMessages* messages = context.GetMessages()) {
            messages->Trace(m_strName + ": " + why + "\n");
        }
        out += NumberLine(CommentText(why), true);
        if (!WritePoint(m_strRapidTemplate, startZ, startX, command, out, context) ||
            !WriteRoughPasses(pieces, command, startZ, startX, out, context) ||
            !WritePoint(m_strLineTemplate, kEmpty, first.dX, command, out, context) ||
            !WriteProfile(pieces, command, out, context) ||
            !WritePoint(m_strLineTemplate, last.dZ, startX, command, out, context)) {
            return "";
        }
        const double retract = outer.Lookup("RetX");
        if (retract < kEmpty && !WritePoint(m_strRapidTemplate, kEmpty, retract, command, out, context)) {
            return "";
        }
        return out;
    }
    // The profile's blocks: a move along X to the profile's start X, one line per element from the
    // opening border on, and the rise to the start X at the profile's end.
    std::vector<CCycleBlock> blocks{{nullptr, {startZ, first.dX}, false}};
    for (const CPiece* piece : pieces) {
        if (TemplateFor(*piece)) {
            blocks.push_back({piece,
                              {piece->GetValue("EndZ", 0, 0, m_nSide), piece->GetValue("EndX", 0, 0, m_nSide)},
                              piece->GetObjectName() != "line"});
        }
    }
    blocks.push_back({nullptr, {last.dZ, startX}, false});
    DropRunOnLines(startZ, startX, blocks);
    const int32_t step = m_pPreProcesor->m_nSequenceStep;
    const bool numbered = m_pPreProcesor->m_bNumber != 0;
    const double firstBlock = m_pPreProcesor->m_nSequence + static_cast<double>(CountLines(m_strHeader)) * step;
    const double lastBlock = firstBlock + static_cast<double>(blocks.size() - 1) * step;
    const bool namesBlocks = Mentions(m_strHeader, "FirstBlock") || Mentions(m_strHeader, "LastBlock") ||
                             Mentions(m_strTrailer, "FirstBlock") || Mentions(m_strTrailer, "LastBlock");
    if (namesBlocks && !numbered) {
        Refuse("The roughing cycle names its profile by block numbers: switch block numbering on (Number Y).",
               context);
        return "";
    }
    const double sub = 1000.0 + (command ? command->GetIndex() : 0);
    CValueChain cycle(100000.0);
    cycle.Add([=](const std::string& name) {
             return name == "Sub"          ? sub
                    : name == "FirstBlock" ? firstBlock
                    : name == "LastBlock"  ? lastBlock
                    : name == "StartZ"     ? startZ
                                           : kNotKnown;
         })
        .Add(CommandSource(command))
        .Add(ProgramSource());
    if (!GenerateLines(m_strHeader, cycle, false, EveryLine, out, context)) {
        return "";
    }
    if (numbered && m_pPreProcesor->m_nSequence != static_cast<int32_t>(firstBlock)) {
        Refuse("The roughing cycle's header has a line that the block numbering does not count.", context);
        return "";
    }
    for (size_t k = 0; k < blocks.size(); ++k) {
        const CCycleBlock& b = blocks[k];
        const bool written = b.pPiece ? WriteProfile({b.pPiece}, command, out, context)
                                      : WritePoint(m_strLineTemplate, k == 0 ? kEmpty : b.end.dZ, b.end.dX,
                                                   command, out, context);
        if (!written) {
            return "";
        }
    }
    if (numbered && m_pPreProcesor->m_nSequence != static_cast<int32_t>(lastBlock) + step) {
        Refuse("A profile template of the roughing cycle writes more than one line: the last block number "
               "would be wrong.",
               context);
        return "";
    }
    if (!GenerateLines(m_strTrailer, cycle, false, EveryLine, out, context)) {
        return "";
    }
    return out;
}
