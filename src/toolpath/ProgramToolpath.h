// CProgramToolpath: what the toolpath tools need to know about a compiled program.
#pragma once

#include <map>
#include <vector>

#include "toolpath/DeviationCheck.h"
#include "toolpath/Toolpath.h"

class CMacroContext;
class CPreProcesor;
class CProgram;

// A compiled program read back and measured against one layer.
struct CProgramCheck {
    CToolpath path;
    CDeviationResult result;
    int nLayer = 0;  // 1...6; 0 when the document has no such layer (nothing was measured)
};

class CProgramToolpath {
public:
    // 0-based indices of the layers the program's commands walk ("layer", "layerX", "layerA"),
    // in the order they are first named.
    static std::vector<int> WalkedLayers(const CProgram& program);
    // True when the post-processor writes X as a diameter (its X format doubles the value).
    static bool WritesDiameters(const CPreProcesor& preProcesor);
    // The program's last compilation read back, in the diameter mode its post-processor writes.
    static CToolpath Read(const CProgram& program);
    // The noses of the post-processor's tool library by their numbers (model units).
    static std::map<int, CToolNose> Noses(const CProgram& program);
    // Reads the last compilation back and measures the edge the bound tools' noses cut against
    // layer (1...6; 0: the first layer the program walks, else layer 1).
    static CProgramCheck Check(const CProgram& program, CMacroContext& context, int layer,
                               double toleranceMm);
};
