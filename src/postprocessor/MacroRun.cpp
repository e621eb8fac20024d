// The layer pass of a RUN macro: header, one line per element of the walk, trailer.
#include "postprocessor/MacroRun.h"

#include "document/Layer.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"

const std::string* CMacroRun::TemplateFor(const CPiece& piece) const {
    const std::string name = piece.GetObjectName();
    if (name == "line") {
        return &m_strLineTemplate;
    }
    if (name == "Cw") {
        return &m_strCwTemplate;
    }
    if (name == "Ccw") {
        return &m_strCcwTemplate;
    }
    return nullptr;
}

std::vector<const CPiece*> CMacroRun::Walk(CLayer& layer) const {
    layer.ExpandCompound();
    layer.InsertStepLines(m_nSide);
    std::vector<const CPiece*> pieces{layer.BeginWalk(m_nSide)};
    while (const CPiece* piece = layer.NextInWalk(m_nSide)) {
        pieces.push_back(piece);
    }
    pieces.push_back(layer.GetWalkEndBorder(m_nSide));
    return pieces;
}

bool CMacroRun::WriteProfile(const std::vector<const CPiece*>& pieces, const CCommand* command, std::string& out,
                             CMacroContext& context) const {
    const int relative = m_pPreProcesor->GetIncremental();
    const int centreRelative = m_pPreProcesor->GetCtrIncremental();
    // Each element reports the point it reaches when run in the walk's direction, and relative
    // values from the point it is entered at.
    const int forward = m_nSide;
    for (const CPiece* piece : pieces) {
        const std::string* text = piece ? TemplateFor(*piece) : nullptr;
        if (!text) {
            continue;
        }
        CValueChain chain(100000.0);
        chain.Add([piece, relative, centreRelative, forward](const std::string& name) {
                 return piece->GetValue(name, relative, centreRelative, forward);
             })
            .Add(CommandSource(command))
            .Add(ProgramSource());
        if (!GenerateLines(*text, chain, true, EveryLine, out, context)) {
            return false;
        }
    }
    return true;
}

std::string CMacroRun::Generate(const CCommand* command, CMacroContext& context) const {
    if (!m_pPreProcesor) {
        return "";
    }
    if (m_nCycle != kNoCycle) {
        return GenerateCycle(command, context);
    }
    CValueChain outer(100000.0);
    outer.Add(CommandSource(command)).Add(ProgramSource());
    std::string out;
    const CTool* tool = nullptr;
    if (m_nCompensation != kNone && !(tool = RequireTool(context))) {
        return "";
    }
    if (!GenerateLines(m_strHeader, outer, false, EveryLine, out, context)) {
        return "";
    }
    std::unique_ptr<CLayer> layer = CopyCommandLayer(command, "layer", context);
    if (!layer) {
        return "";
    }
    const std::vector<const CPiece*> pieces = Walk(*layer);
    if (m_nCompensation == kComputed) {
        if (!WriteCompensated(pieces, *tool, command, out, context)) {
            return "";
        }
    } else if ((m_nCompensation == kController && !CheckEntryMove(pieces, *tool, command, context)) ||
               !WriteProfile(pieces, command, out, context)) {
        return "";
    }
    if (!GenerateLines(m_strTrailer, outer, false, EveryLine, out, context)) {
        return "";
    }
    return out;
}
