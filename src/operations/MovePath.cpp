// Building an operation's list of moves.
#include "operations/MovePath.h"

#include "platform/Geometry.h"

double CMovePath::OnGrid(double mm) {
    return Round(mm * 10000.0) / 10000.0;
}

void CMovePath::Add(COperationMove::EKind kind, double z, double x, double feed) {
    // A rapid to where the tool already stands writes nothing.
    if (kind == COperationMove::kRapid && !m_result.moves.empty()) {
        const COperationMove& last = m_result.moves.back();
        if (!last.bKeepX && !last.bKeepZ && last.dZ == OnGrid(z) && last.dX == OnGrid(x)) {
            return;
        }
    }
    COperationMove move;
    move.nKind = kind;
    move.dZ = m_dZ = OnGrid(z);
    move.dX = m_dX = OnGrid(x);
    move.dFeed = feed;
    m_result.moves.push_back(move);
}

void CMovePath::Dwell(double seconds) {
    COperationMove move;
    move.nKind = COperationMove::kDwell;
    move.dZ = m_dZ;
    move.dX = m_dX;
    move.dDwell = seconds;
    m_result.moves.push_back(move);
}

void CMovePath::ApproachXFirst(double z, double x) {
    Rapid(z, x);
    m_result.moves.back().bKeepZ = true;
    Rapid(z, x);
}

void CMovePath::ApproachZFirst(double z, double x) {
    Rapid(z, x);
    m_result.moves.back().bKeepX = true;
    Rapid(z, x);
}
