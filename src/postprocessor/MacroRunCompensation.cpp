// The RUN macro's passes for a tool with a nose: the computed tip-point path, and the checks of
// a pass the controller compensates.
#include <cmath>
#include <cstdio>

#include "document/Layer.h"
#include "platform/Messages.h"
#include "postprocessor/MacroContext.h"
#include "postprocessor/MacroRun.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"
#include "tools/NoseCompensation.h"

namespace {

constexpr double kNotKnown = 2000000.0;
constexpr double kEmpty = 1000000.0;

}  // namespace

std::vector<CNosePathSegment> CMacroRun::Segments(const std::vector<const CPiece*>& pieces) const {
    std::vector<CNosePathSegment> segments;
    const int forward = m_nSide;
    for (const CPiece* piece : pieces) {
        CNosePathSegment s;
        if (piece) {
            s.start = {piece->GetValue("EndZ", 0, 0, !forward), piece->GetValue("EndX", 0, 0, !forward)};
            s.end = {piece->GetValue("EndZ", 0, 0, forward), piece->GetValue("EndX", 0, 0, forward)};
            const std::string name = piece->GetObjectName();
            // A straight arc has no radius and runs as the line it is.
            if ((name == "Cw" || name == "Ccw") && piece->GetValue("Rad", 0, 0, forward) < kEmpty) {
                s.bArc = true;
                s.centre = {piece->GetValue("CtrI", 0, 0, forward), piece->GetValue("CtrJ", 0, 0, forward)};
                // An upper arc ("Ccw") bulges to +X: clockwise when run towards larger Z.
                s.bClockwise = (name == "Ccw") == (forward != 0);
            }
        }
        segments.push_back(s);
    }
    return segments;
}

bool CMacroRun::WriteCompensated(const std::vector<const CPiece*>& pieces, const CTool& tool,
                                 const CCommand* command, std::string& out, CMacroContext& context) const {
    const std::vector<CNosePathSegment> profile = Segments(pieces);
    double allowance = 0.0;
    if (!m_strLeaveKey.empty()) {
        CValueChain values(100000.0);
        values.Add(CommandSource(command)).Add(ProgramSource());
        allowance = values.Lookup(m_strLeaveKey);
        if (!(allowance >= 0.0 && allowance < kEmpty)) {
            ReportMissing(m_strLeaveKey, context);
            return false;
        }
    }
    CCompensationResult path =
        CNoseCompensation::Compute(profile, tool.dNoseRadius, tool.nOrientation, m_nSide != 0, allowance);
    if (!path.bOk) {
        const CPiece* at = path.nFaultSegment >= 0 ? pieces[static_cast<size_t>(path.nFaultSegment)] : nullptr;
        char where[96];
        std::snprintf(where, sizeof where, " at Z %.3f", path.dFaultZ);
        Refuse("Tool " + std::to_string(tool.nNumber) + " (" + tool.strName + ") can't follow " +
                   (at ? at->GetLabel() : std::string("the profile")) + where + ": " + path.strReason + ".",
               context);
        return false;
    }
    if (m_nReach != kReachUnchecked && !CheckReach(path.path, pieces, profile, tool, context)) {
        return false;
    }
    // The segment being written and what its values come from; one chain serves every line.
    struct CCurrent {
        const CNosePathSegment* pSegment = nullptr;
        const CPiece* pSource = nullptr;
        double dRadius = 0.0;
        int nRelative = 0;
        int nCentreRelative = 0;
        int nForward = 0;
    } current;
    current.nRelative = m_pPreProcesor->GetIncremental();
    current.nCentreRelative = m_pPreProcesor->GetCtrIncremental();
    current.nForward = m_nSide;
    const CCurrent* at = &current;
    CValueChain chain(100000.0);
    chain.Add([at](const std::string& name) {
             const CNosePathSegment& s = *at->pSegment;
             if (name == "EndZ") {
                 return at->nRelative ? s.end.dZ - s.start.dZ : s.end.dZ;
             }
             if (name == "EndX") {
                 return at->nRelative ? s.end.dX - s.start.dX : s.end.dX;
             }
             if (s.bArc && name == "CtrI") {
                 return at->nCentreRelative ? s.centre.dZ - s.start.dZ : s.centre.dZ;
             }
             if (s.bArc && name == "CtrJ") {
                 return at->nCentreRelative ? s.centre.dX - s.start.dX : s.centre.dX;
             }
             if (s.bArc && name == "Rad") {
                 return at->dRadius;
             }
             return at->pSource ? at->pSource->GetValue(name, at->nRelative, at->nCentreRelative, at->nForward)
                                : kNotKnown;
         })
        .Add(CommandSource(command))
        .Add(ProgramSource());
    for (const CNosePathSegment& s : path.path) {
        if (s.nSource >= 0) {
            current.pSource = pieces[static_cast<size_t>(s.nSource)];
        }
        const double dz = s.end.dZ - s.start.dZ;
        const double dx = s.end.dX - s.start.dX;
        if (dz * dz + dx * dx < 1e-18) {
            continue;
        }
        // The post's arc templates are chosen by the drawn arc's side: "Ccw" turns clockwise when
        // the pass runs towards larger Z, "Cw" when it runs back.
        const std::string& text = !s.bArc ? m_strLineTemplate
                                  : (s.bClockwise == (m_nSide != 0)) ? m_strCcwTemplate
                                                                     : m_strCwTemplate;
        const double rz = s.start.dZ - s.centre.dZ;
        const double rx = s.start.dX - s.centre.dX;
        current.pSegment = &s;
        current.dRadius = std::sqrt(rz * rz + rx * rx);
        if (!GenerateLines(text, chain, true, EveryLine, out, context)) {
            return false;
        }
    }
    return true;
}

bool CMacroRun::CheckEntryMove(const std::vector<const CPiece*>& pieces, const CTool& tool,
                               const CCommand* command, CMacroContext& context) const {
    const CPiece* first = pieces.empty() ? nullptr : pieces.front();
    return !first || CheckEntryLength(first->GetValue("EndZ", 0, 0, m_nSide), first->GetValue("EndX", 0, 0, m_nSide),
                                      tool, command, context);
}
