// CScaledDecimal: a decimal number read digit by digit into exact ten-thousandths.
#pragma once

#include <cstdint>

// Stored parameter numbers are the decimal text times 10 000. Summing fraction digits in doubles
// and truncating loses a unit on texts such as 2.01 (2.00999...), so the digits are added as
// integers: whole digits scale by 10 000, the first four fraction digits by 1000, 100, 10 and 1,
// and later fraction digits are dropped (truncation toward zero).
class CScaledDecimal {
public:
    void AddWholeDigit(int digit);
    void AddFractionDigit(int digit);
    void SetNegative(bool negative) { m_bNegative = negative; }

    // The signed value in ten-thousandths, saturated at the int range.
    int32_t GetScaled() const;

private:
    // Whole digits stop growing the magnitude past this bound; it already saturates the result.
    static constexpr int64_t kMagnitudeCap = int64_t{1} << 40;

    int64_t m_nMagnitude = 0;
    int64_t m_nFractionWeight = 1000;
    bool m_bNegative = false;
};
