// CProgramSimulation: a compiled program of a drawing turned into the simulation's input.
#pragma once

#include "platform/Geometry.h"
#include "simulation/StockSimulation.h"

class CMacroContext;
class CProgram;

struct CProgramSimulationInput {
    CSimulationInput input;
    int nLayer = 0;  // 1...6; 0 when the document has no such layer
};

class CProgramSimulation {
public:
    // The layer (1...6) that holds the part: layer 1 when it holds a profile (a program may work
    // along other layers only: a roughing outline, a pocket, a part of the contour), else the first
    // layer the program walks, else layer 1.
    static int PartLayer(const CProgram& program, CMacroContext& context);
    // The program's last compilation read back, the layer's profile (layer 1...6; 0: PartLayer)
    // and the stock rectangle (the drawing's source material, model units, top = radius), with the
    // outlines of the post-processor's tool library by their numbers.
    static CProgramSimulationInput Input(const CProgram& program, CMacroContext& context, int layer,
                                         const CRect& stock);
};
