// CStockSimulation: the stock minus every move's sweep, with what each move removed.
#pragma once

#include <map>
#include <memory>
#include <set>

#include "simulation/MoveSweep.h"
#include "simulation/SimulationResult.h"
#include "simulation/ToolOutline.h"
#include "toolpath/ProfileShape.h"
#include "toolpath/Toolpath.h"

struct CSimulationInput {
    CToolpath path;
    CProfileShape profile;
    // A bore or centre hole: what lies between the axis and this profile is no part material.
    CProfileShape bore;
    // The stock rectangle, model units: Z from z0 to z1, X (radius) from 0 to x1.
    double dStockZ0 = 0.0;
    double dStockZ1 = 0.0;
    double dStockX1 = 0.0;
    // Tools by the number a T word selects (T0101 is tried as 101, then as tool 1); a move under
    // no T word or an unknown one is simulated with a point tool.
    std::map<int, CToolOutline> tools;
    double dToleranceMm = 0.001;
    double dAllowanceMm = 0.0;
    // Less than this (mm²) taken away counts as nothing: a move along an edge it cut before.
    double dMinCutAreaMm2 = 1e-4;
};

class CStockSimulation {
public:
    // Runs the first moveLimit moves (all by default). Material left over is looked for only
    // when all moves ran.
    static CSimulationResult Run(const CSimulationInput& input, size_t moveLimit = SIZE_MAX);

    // The source lines of blocks whose motion cannot be followed, with why.
    static std::vector<CNotSimulated> NotSimulated(const CToolpath& path);

private:
    struct CTile;
    class CRun;

public:
    // Steps through one program: forward from where it stands, backward from the start; the
    // stock and the part are cut into tiles once.
    class CStepper {
    public:
        explicit CStepper(CSimulationInput input);
        ~CStepper();
        CStepper(const CStepper&) = delete;
        CStepper& operator=(const CStepper&) = delete;

        // As Run(input, moves).
        CSimulationResult At(size_t moves);
        const CSimulationInput& Input() const { return m_input; }

    private:
        CSimulationInput m_input;
        std::unique_ptr<CRun> m_pRun;
    };
};
