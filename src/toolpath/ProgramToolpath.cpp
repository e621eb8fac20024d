// The layers a program walks, its post-processor's diameter output, its code read back.
#include "toolpath/ProgramToolpath.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "document/Layer.h"
#include "platform/Geometry.h"
#include "postprocessor/MacroContext.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"
#include "toolpath/NcReader.h"
#include "tools/ToolLibrary.h"

std::vector<int> CProgramToolpath::WalkedLayers(const CProgram& program) {
    std::vector<int> layers;
    for (const auto& command : program.GetCommands()) {
        for (const char* key : {"layer", "layerX", "layerA"}) {
            const double value = command->GetParamValue(key);
            const int index = value < kEmptyValue ? static_cast<int>(value) - 1 : -1;
            if (index >= 0 && index < 6 && std::find(layers.begin(), layers.end(), index) == layers.end()) {
                layers.push_back(index);
            }
        }
    }
    return layers;
}

bool CProgramToolpath::WritesDiameters(const CPreProcesor& preProcesor) {
    const auto& formats = preProcesor.GetFormats();
    const bool hasX =
        std::any_of(formats.begin(), formats.end(), [](const auto& f) { return f->GetName() == "X"; });
    // Asked through the post-processor's own formatting, so whatever doubles a value is seen.
    return hasX && std::fabs(std::strtod(preProcesor.FormatValue("X", 1.0).c_str(), nullptr) - 2.0) < 1e-6;
}

CToolpath CProgramToolpath::Read(const CProgram& program) {
    CNcReaderSettings settings;
    settings.bDiameterMode = program.GetPreProcesor() && WritesDiameters(*program.GetPreProcesor());
    return CNcReader(settings).Read(program.GetCode());
}

std::map<int, CToolNose> CProgramToolpath::Noses(const CProgram& program) {
    std::map<int, CToolNose> noses;
    if (const CPreProcesor* post = program.GetPreProcesor()) {
        for (const CTool& tool : post->GetTools().GetTools()) {
            const double r = std::max(tool.dNoseRadius, 0.0) * 10000.0;
            const CTipDirection tip = CTool::TipDirection(tool.nOrientation);
            noses[tool.nNumber] = {r, -r * tip.dZ, -r * tip.dX};
        }
    }
    return noses;
}

CProgramCheck CProgramToolpath::Check(const CProgram& program, CMacroContext& context, int layer,
                                      double toleranceMm) {
    CProgramCheck check;
    check.path = Read(program);
    check.result.dToleranceMm = toleranceMm;
    if (layer == 0) {
        const std::vector<int> walked = WalkedLayers(program);
        layer = walked.empty() ? 1 : walked.front() + 1;
    }
    const std::unique_ptr<CLayer> copy = context.CopyLayer(layer - 1);
    if (copy) {
        check.nLayer = layer;
        check.result = CDeviationCheck::Run(check.path, CProfileShape::FromLayer(*copy), toleranceMm, Noses(program));
    }
    return check;
}
