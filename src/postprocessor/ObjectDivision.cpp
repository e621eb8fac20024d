// The division lookup of the object division table.
#include "postprocessor/ObjectDivision.h"

int32_t CObjectDivision::GetDivision(int32_t size) const {
    int32_t result = 0;
    for (const auto& range : m_ranges) {
        if (range->Contains(size)) {
            result = range->m_nValue;
        }
    }
    if (result == 0) {
        result = m_ranges.empty() ? 2 : m_ranges.back()->m_nValue;
    }
    return result;
}
