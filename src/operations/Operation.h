// COperation: the lathe operations the post-processor can compute, found by name.
#pragma once

#include <string>
#include <vector>

#include "operations/OperationMove.h"
#include "operations/OperationValues.h"

struct COperation {
    using Run = COperationResult (*)(const COperationValues&);

    const char* pszName;            // as the post file's operation line names it
    std::vector<std::string> keys;  // the values it reads
    Run pRun;

    // The operation of that name, or null.
    static const COperation* Find(const std::string& name);
};

namespace operations {

// How many steps no longer than `step` cover the span from `from` to `to` (at least 1); 0 when
// the span needs more steps than any part would.
int StepCount(double from, double to, double step);

}  // namespace operations
