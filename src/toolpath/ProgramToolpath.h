// CProgramToolpath: what the toolpath tools need to know about a compiled program.
#pragma once

#include <vector>

#include "toolpath/Toolpath.h"

class CPreProcesor;
class CProgram;

class CProgramToolpath {
public:
    // 0-based indices of the layers the program's commands walk ("layer", "layerX", "layerA"),
    // in the order they are first named.
    static std::vector<int> WalkedLayers(const CProgram& program);
    // True when the post-processor writes X as a diameter (its X format doubles the value).
    static bool WritesDiameters(const CPreProcesor& preProcesor);
    // The program's last compilation read back, in the diameter mode its post-processor writes.
    static CToolpath Read(const CProgram& program);
};
