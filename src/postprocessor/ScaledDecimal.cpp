// Exact digit arithmetic for stored parameter numbers.
#include "postprocessor/ScaledDecimal.h"

void CScaledDecimal::AddWholeDigit(int digit) {
    if (m_nMagnitude >= kMagnitudeCap) {
        return;
    }
    // The whole part is shifted one decimal place; the fraction digits come after all whole ones.
    m_nMagnitude = m_nMagnitude * 10 + int64_t{digit} * 10000;
}

void CScaledDecimal::AddFractionDigit(int digit) {
    if (m_nFractionWeight == 0 || m_nMagnitude >= kMagnitudeCap) {
        return;
    }
    m_nMagnitude += int64_t{digit} * m_nFractionWeight;
    m_nFractionWeight /= 10;
}

int32_t CScaledDecimal::GetScaled() const {
    const int64_t value = m_bNegative ? -m_nMagnitude : m_nMagnitude;
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(value);
}
