// The "simulate" command: a program compiled, read back and cut out of the drawing's stock.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "document/KestrovelDoc.h"
#include "document/Layer.h"
#include "postprocessor/ProgramDocument.h"
#include "simulation/ProgramSimulation.h"

namespace {

using Json = nlohmann::json;

double Mm(double modelUnits) {
    return modelUnits / 10000.0;
}

Json Source(const CSimulationSource& source, double areaMm2) {
    return {{"line", source.nLine}, {"block", source.strBlock}, {"area_mm2", areaMm2}};
}

Json ToJson(const std::string& program, int layer, size_t moves, const CSimulationResult& r) {
    Json gouges = Json::array();
    for (const CGouge& g : r.gouges) {
        Json entry = Source(g.source, g.dAreaMm2);
        entry["depth_mm"] = g.dDepthMm;
        entry["at"] = {Mm(g.ptDeepest.dZ), Mm(g.ptDeepest.dX)};
        gouges.push_back(entry);
    }
    Json rapids = Json::array();
    for (const CRapidThroughMaterial& m : r.rapids) {
        rapids.push_back(Source(m.source, m.dAreaMm2));
    }
    Json left = Json::array();
    for (const CLeftOver& l : r.leftOver) {
        Json entry = Source(l.source, l.dAreaMm2);
        entry["thickness_mm"] = l.dThicknessMm;
        entry["z_from"] = Mm(l.dZFrom);
        entry["z_to"] = Mm(l.dZTo);
        left.push_back(entry);
    }
    Json skipped = Json::array();
    for (const CNotSimulated& n : r.notSimulated) {
        skipped.push_back({{"line", n.nLine}, {"text", n.strText}});
    }
    return {{"program", program},
            {"layer", layer},
            {"moves", moves},
            {"gouges", gouges},
            {"rapids_through_material", rapids},
            {"left_over", left},
            {"air_cutting_share", r.AirCuttingShare()},
            {"not_simulated", skipped}};
}

std::string Where(const CSimulationSource& source) {
    return "line " + std::to_string(source.nLine) +
           (source.strBlock.empty() ? "" : " (" + source.strBlock + ")");
}

void PrintText(const std::string& program, int layer, size_t moves, const CSimulationResult& r) {
    std::printf("program \"%s\", layer %d: %zu moves\n", program.c_str(), layer, moves);
    for (const CGouge& g : r.gouges) {
        std::printf("%s: gouge %.4f mm deep at Z %.3f X %.3f, %.4f mm2\n", Where(g.source).c_str(),
                    g.dDepthMm, Mm(g.ptDeepest.dZ), Mm(g.ptDeepest.dX), g.dAreaMm2);
    }
    for (const CRapidThroughMaterial& m : r.rapids) {
        std::printf("%s: rapid through material, %.4f mm2\n", Where(m.source).c_str(), m.dAreaMm2);
    }
    for (const CLeftOver& l : r.leftOver) {
        std::printf("%s: %.4f mm left from Z %.3f to Z %.3f, %.4f mm2\n", Where(l.source).c_str(),
                    l.dThicknessMm, Mm(l.dZFrom), Mm(l.dZTo), l.dAreaMm2);
    }
    for (const CNotSimulated& n : r.notSimulated) {
        std::printf("line %d: not simulated: %s\n", n.nLine, n.strText.c_str());
    }
    std::printf("air cutting: %.1f %% of the feed path\n", 100.0 * r.AirCuttingShare());
}

}  // namespace

int RunSimulate(const CSimulateOptions& options) {
    CCliDocument document;
    CProgram* program = document.OpenCompiled(options.strFile, options.strPostDir, options.strProgram);
    if (!program) {
        return 1;
    }
    CDocumentContext context(document.GetDoc());
    CProgramSimulationInput prepared =
        CProgramSimulation::Input(*program, context, options.nLayer, document.GetDoc().GetSourceRect());
    if (prepared.nLayer == 0) {
        return CCliDocument::Fail("the drawing has no layer " + std::to_string(options.nLayer));
    }
    CSimulationInput& input = prepared.input;
    if (options.nBoreLayer > 0) {
        const std::unique_ptr<CLayer> bore = context.CopyLayer(options.nBoreLayer - 1);
        if (!bore) {
            return CCliDocument::Fail("the drawing has no layer " + std::to_string(options.nBoreLayer));
        }
        input.bore = CProfileShape::FromLayer(*bore);
    }
    if (input.dStockZ1 <= input.dStockZ0 || input.dStockX1 <= 0) {
        return CCliDocument::Fail("the drawing's source material is empty: there is no stock to cut");
    }
    input.dToleranceMm = options.dToleranceMm;
    input.dAllowanceMm = std::max(options.dAllowanceMm, 0.0);
    const CSimulationResult result = CStockSimulation::Run(input);
    if (options.bJson) {
        std::printf(
            "%s\n",
            ToJson(options.strProgram, prepared.nLayer, input.path.moves.size(), result).dump(2).c_str());
    } else {
        PrintText(options.strProgram, prepared.nLayer, input.path.moves.size(), result);
    }
    std::fflush(stdout);
    // A block the simulation could not follow leaves the program unchecked: that fails too.
    const bool leftOver = options.dAllowanceMm >= 0 && !result.leftOver.empty();
    return result.HasFaults() || leftOver || !result.notSimulated.empty() ? 1 : 0;
}
