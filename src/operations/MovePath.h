// CMovePath: collects an operation's moves, each end point put on the model-unit grid.
#pragma once

#include <cstddef>
#include <string>

#include "operations/OperationMove.h"

class CMovePath {
public:
    // Millimetres rounded to whole model units (10 000 per millimetre), as every drawn point is.
    static double OnGrid(double mm);

    void Rapid(double z, double x) { Add(COperationMove::kRapid, z, x, 2000000.0); }
    // The approach from wherever the previous command ended: first out (or in) to the radius x at
    // the Z it left, then along Z to z.
    void ApproachXFirst(double z, double x);
    // First along Z at the radius it left, then to x (the drill, which ends on the axis).
    void ApproachZFirst(double z, double x);
    // At the command's feed, or at a feed of its own when one is given.
    void Feed(double z, double x, double feed = 2000000.0) { Add(COperationMove::kFeed, z, x, feed); }
    void Thread(double z, double x) { Add(COperationMove::kThread, z, x, 2000000.0); }
    void Dwell(double seconds);

    // Refuses the operation once it needs more moves than any real part would.
    bool IsTooLong() const { return m_result.moves.size() > kMaxMoves; }
    COperationResult& Result() { return m_result; }

    static constexpr size_t kMaxMoves = 20000;

private:
    void Add(COperationMove::EKind kind, double z, double x, double feed);

    COperationResult m_result;
    double m_dZ = 0.0;
    double m_dX = 0.0;
};
