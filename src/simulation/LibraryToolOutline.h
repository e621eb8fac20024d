// CLibraryToolOutline: a tool of the tool library as the outline the simulation cuts with.
#pragma once

#include <map>

#include "simulation/ToolOutline.h"

class CToolLibrary;
struct CTool;

class CLibraryToolOutline {
public:
    // Length (mm) of the cutting edges drawn from the nose; the holder behind them is left out.
    static constexpr double kEdgeLengthMm = 10.0;
    // Length (mm) of a grooving or parting blade from its cutting end; deep enough to part off.
    static constexpr double kBladeLengthMm = 30.0;
    // Length (mm) of a threading insert's flanks: its tooth; the body behind it is left out.
    static constexpr double kThreadFlankMm = 3.0;

    // The programmed point is the tool's imaginary tip (the nose centre for orientation 9); the
    // edges run at the tool's front and back angles; a round insert is its nose circle alone.
    // Blades, thread inserts and drills have their own shapes (see CTool::strKind).
    static CToolOutline Of(const CTool& tool);
    // Every tool of the library by its number.
    static std::map<int, CToolOutline> All(const CToolLibrary& library);
};
