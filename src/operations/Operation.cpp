// The table of operations by name.
#include "operations/Operation.h"

#include <cmath>

#include "operations/DrillOperation.h"
#include "operations/FaceOperation.h"
#include "operations/GrooveOperation.h"
#include "operations/PartOffOperation.h"
#include "operations/ThreadOperation.h"

namespace {

const std::vector<COperation>& Table() {
    static const std::vector<COperation> table = {
        {"FACE",
         {"OuterX", "InnerX", "FaceZ", "StockZ", "Depth", "Allowance", "Clear", "FinishFeed"},
         &CFaceOperation::Run},
        {"GROOVE",
         {"GrooveZ", "Width", "TopX", "Depth", "ToolWidth", "Peck", "Allowance", "Clear", "FinishFeed"},
         &CGrooveOperation::Run},
        {"PARTOFF",
         {"PartZ", "TopX", "ToX", "SlowX", "SlowFeed", "Chamfer", "Clear"},
         &CPartOffOperation::Run},
        {"DRILL", {"StartZ", "HoleZ", "Peck", "ChipBreak", "Dwell"}, &CDrillOperation::Run},
        {"THREADCYCLE", CThreadOperation::Keys(), &CThreadOperation::RunCycle},
        {"THREADPASSES", CThreadOperation::Keys(), &CThreadOperation::RunPasses},
    };
    return table;
}

}  // namespace

const COperation* COperation::Find(const std::string& name) {
    for (const COperation& op : Table()) {
        if (name == op.pszName) {
            return &op;
        }
    }
    return nullptr;
}

int operations::StepCount(double from, double to, double step) {
    const double span = std::fabs(to - from);
    if (!(step > 0.0)) {
        return 0;
    }
    // A step a hair short of dividing the span evenly does not add a pass.
    const double count = std::ceil(span / step - 1e-9);
    if (!(count <= 10000.0)) {
        return 0;
    }
    return count < 1.0 ? 1 : static_cast<int>(count);
}
