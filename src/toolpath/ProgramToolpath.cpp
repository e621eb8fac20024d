// The layers a program walks, its post-processor's diameter output, its code read back.
#include "toolpath/ProgramToolpath.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/Geometry.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"
#include "toolpath/NcReader.h"

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
