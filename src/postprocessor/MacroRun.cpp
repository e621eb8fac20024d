// The layer pass of a RUN macro: header, one line per element of the walk, trailer.
#include "postprocessor/MacroRun.h"

#include "document/Layer.h"
#include "postprocessor/PreProcesor.h"

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

std::string CMacroRun::Generate(const CCommand* command, CMacroContext& context) const {
    if (!m_pPreProcesor) {
        return "";
    }
    const int relative = m_pPreProcesor->GetIncremental();
    const int centreRelative = m_pPreProcesor->GetCtrIncremental();
    CValueChain outer(100000.0);
    outer.Add(CommandSource(command)).Add(ProgramSource());
    std::string out;
    if (!GenerateLines(m_strHeader, outer, false, EveryLine, out, context)) {
        return "";
    }
    std::unique_ptr<CLayer> layer = CopyCommandLayer(command, "layer", context);
    if (!layer) {
        return "";
    }
    layer->ExpandCompound();
    layer->InsertStepLines(m_nSide);
    // Each element reports the point it reaches when run in the walk's direction, and relative
    // values from the point it is entered at.
    const int forward = m_nSide;
    const auto write = [&](const CPiece* piece) {
        const std::string* text = piece ? TemplateFor(*piece) : nullptr;
        if (!text) {
            return true;
        }
        CValueChain chain(100000.0);
        chain.Add([piece, relative, centreRelative, forward](const std::string& name) {
                 return piece->GetValue(name, relative, centreRelative, forward);
             })
            .Add(CommandSource(command))
            .Add(ProgramSource());
        return GenerateLines(*text, chain, true, EveryLine, out, context);
    };
    if (!write(layer->BeginWalk(m_nSide))) {
        return "";
    }
    while (const CPiece* piece = layer->NextInWalk(m_nSide)) {
        if (!write(piece)) {
            return "";
        }
    }
    if (!write(layer->GetWalkEndBorder(m_nSide)) ||
        !GenerateLines(m_strTrailer, outer, false, EveryLine, out, context)) {
        return "";
    }
    return out;
}
