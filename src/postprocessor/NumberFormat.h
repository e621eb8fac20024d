// CNumberFormat: how the values of one address word are written (digits and decimals).
#pragma once

#include <cstdint>
#include <string>

class CNumberFormat {
public:
    CNumberFormat() = default;
    CNumberFormat(std::string name, int32_t digits, int32_t decimals)
        : m_strName(std::move(name)), m_nDigits(digits), m_nDecimals(decimals) {}

    // Parses a definition line "name>digits.decimals" (X>4.3); fields without a number stay 0.
    static CNumberFormat FromLine(const std::string& line);

    const std::string& GetName() const { return m_strName; }
    int32_t GetDigits() const { return m_nDigits; }
    int32_t GetDecimals() const { return m_nDecimals; }

    // The value as NC text: an integer format truncates and caps at 10^digits - 1; a decimal
    // format wraps at 10^(digits + 1), prints fixed-point and drops leading blanks.
    std::string Format(double value) const;

    std::string m_strName;
    int32_t m_nDigits = 0;
    int32_t m_nDecimals = 0;
};
