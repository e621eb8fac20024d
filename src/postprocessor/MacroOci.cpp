// The combined pass of an OCI macro: a walk of one layer with partners in a second layer.
#include "postprocessor/MacroOci.h"

#include <algorithm>

#include "document/Layer.h"
#include "platform/Geometry.h"
#include "postprocessor/PartnerIndex.h"
#include "postprocessor/Command.h"
#include "postprocessor/MacroRun.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"

namespace {

// More points than this per element would only bloat the NC file.
constexpr int64_t kMaxDivision = 10000;

int32_t ClampModel(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, -kRoundLimit, kRoundLimit)); }

}  // namespace

int32_t CMacroOci::ToolOffset(double millimetres) { return Round(millimetres * 10000.0); }

std::vector<int32_t> CMacroOci::DivisionPoints(const CPiece& piece) const {
    const int64_t start = piece.GetStart().x;
    const int64_t end = piece.GetEnd().x;
    const int64_t length = end - start;
    if (length <= 0 || !m_pPreProcesor) {
        return {};
    }
    // The table is keyed by whole millimetres; the points themselves are placed in model units.
    int64_t n = m_pPreProcesor->GetDivision(static_cast<int32_t>(length / 10000));
    n = std::clamp<int64_t>(n, 1, std::min(kMaxDivision, length));
    std::vector<int32_t> points;
    points.reserve(static_cast<size_t>(n));
    for (int64_t k = 1; k <= n; ++k) {
        const int64_t travelled = length * k / n;
        points.push_back(ClampModel(m_nSide ? start + travelled : end - travelled));
    }
    return points;
}

bool CMacroOci::WriteElement(const CPiece& walked, const CPiece* partner, const CCommand* command, int32_t offset,
                             CMacroContext& context, std::string& out) const {
    const int relative = m_pPreProcesor->GetIncremental();
    const int centreRelative = m_pPreProcesor->GetCtrIncremental();
    const int forward = m_nSide;
    const CPiece* p = &walked;
    const bool circular =
        walked.GetInterpolationName() == "OCI" || (partner && partner->GetInterpolationName() == "OCI");
    // A radial step has no axial length to divide: it is written as the line it is.
    if (circular && walked.GetEnd().x > walked.GetStart().x) {
        for (const int32_t x : DivisionPoints(walked)) {
            CValueChain chain(100000.0);
            chain.Add([p, offset, forward, x](const std::string& name) {
                     return p->GetValueAtX(name, offset, forward, 1, x);
                 })
                .Add([partner, offset, x](const std::string& name) {
                    // The partner is asked at the walked point plus the offset, whatever the direction.
                    return partner ? partner->GetValueAtX(name, offset, 1, 0, x) : 2000000.0;
                })
                .Add(CommandSource(command))
                .Add(ProgramSource());
            if (!GenerateLines(m_strArcTemplate, chain, true, EveryLine, out, context)) {
                return false;
            }
        }
        return true;
    }
    CValueChain chain(100000.0);
    chain.Add([p, relative, centreRelative, forward](const std::string& name) {
             return p->GetValue(name, relative, centreRelative, forward);
         })
        .Add([partner, relative, centreRelative, forward](const std::string& name) {
            return partner ? partner->GetValue(name, relative, centreRelative, forward) : 2000000.0;
        })
        .Add(CommandSource(command))
        .Add(ProgramSource());
    return GenerateLines(m_strLineTemplate, chain, true, EveryLine, out, context);
}

std::string CMacroOci::Generate(const CCommand* command, CMacroContext& context) const {
    if (!m_pPreProcesor) {
        return "";
    }
    // The controller compensates the written profile; the tip path of a combined pass is not
    // computed here, so such a pass is refused rather than cut on the profile.
    const CTool* tool = nullptr;
    if (m_nCompensation != CMacroRun::kNone && !(tool = RequireTool(context))) {
        return "";
    }
    if (m_nCompensation == CMacroRun::kComputed) {
        Refuse("A combined (OCI) pass can't compute the tool's nose path: use CTRL to leave the "
               "compensation to the controller, or a RUN pass.",
               context);
        return "";
    }
    std::unique_ptr<CLayer> layerX = CopyCommandLayer(command, "layerX", context);
    std::unique_ptr<CLayer> layerA = CopyCommandLayer(command, "layerA", context);
    if (!layerX || !layerA) {
        return "";
    }
    for (CLayer* layer : {layerX.get(), layerA.get()}) {
        layer->ExpandCompound();
        layer->InsertStepLines(m_nSide);
        layer->AddBordersAsLines();
    }
    // An empty tool difference is no offset to work with: the program is asked instead.
    double difference = command ? command->GetParamValue("ToolDiferenc") : 2000000.0;
    if (difference >= 1000000.0) {
        CProgram* program = GetProgram();
        difference = program ? program->GetValue("ToolDiferenc") : 2000000.0;
    }
    if (difference >= 1000000.0) {
        ReportMissing("ToolDiferenc", context);
        return "";
    }
    // Offsets and corner sizes are model units; the post file gives millimetres.
    const int32_t offset = ToolOffset(difference);
    layerX->CombineProfiles(*layerA, offset, m_nSide, Round(m_pPreProcesor->GetObjectStart() * 10000.0),
                            Round(m_pPreProcesor->GetObjectEnd() * 10000.0));
    std::string out;
    const CPartnerIndex partners(*layerA);
    layerX->BeginWalk(m_nSide);  // the borders are in the list as lines; the border itself is not written
    bool first = true;
    while (CPiece* walked = layerX->NextInWalk(m_nSide)) {
        // The controller starts compensating on the move from the approach point to where the
        // first element written ends.
        if (first && tool &&
            !CheckEntryLength(walked->GetValue("EndZ", 0, 0, m_nSide), walked->GetValue("EndX", 0, 0, m_nSide),
                              *tool, command, context)) {
            return "";
        }
        first = false;
        const CPiece* partner = partners.FindAt(ClampModel(static_cast<int64_t>(walked->GetStart().x) + offset));
        walked->SetProcessed(1);
        if (!WriteElement(*walked, partner, command, offset, context, out)) {
            return "";
        }
    }
    return out;
}
