// A program's code, its walked layer and the drawing's stock, as the simulation wants them.
#include "simulation/ProgramSimulation.h"

#include <algorithm>

#include "document/Layer.h"
#include "postprocessor/MacroContext.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"
#include "simulation/LibraryToolOutline.h"
#include "toolpath/ProgramToolpath.h"

int CProgramSimulation::PartLayer(const CProgram& program, CMacroContext& context) {
    if (const std::unique_ptr<CLayer> first = context.CopyLayer(0)) {
        if (!CProfileShape::FromLayer(*first).IsEmpty()) {
            return 1;
        }
    }
    const std::vector<int> walked = CProgramToolpath::WalkedLayers(program);
    return walked.empty() ? 1 : walked.front() + 1;
}

CProgramSimulationInput CProgramSimulation::Input(const CProgram& program, CMacroContext& context, int layer,
                                                  const CRect& stock) {
    CProgramSimulationInput result;
    CSimulationInput& input = result.input;
    input.path = CProgramToolpath::Read(program);
    if (const CPreProcesor* post = program.GetPreProcesor()) {
        input.tools = CLibraryToolOutline::All(post->GetTools());
    }
    input.dStockZ0 = std::min(stock.left, stock.right);
    input.dStockZ1 = std::max(stock.left, stock.right);
    input.dStockX1 = std::max(stock.top, stock.bottom);
    if (layer == 0) {
        layer = PartLayer(program, context);
    }
    const std::unique_ptr<CLayer> copy = context.CopyLayer(layer - 1);
    if (copy) {
        result.nLayer = layer;
        input.profile = CProfileShape::FromLayer(*copy);
    }
    return result;
}
