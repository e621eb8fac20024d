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
    // A line ending in "*2" (X>4.3*2) makes a diameter format.
    static CNumberFormat FromLine(const std::string& line);

    const std::string& GetName() const { return m_strName; }
    int32_t GetDigits() const { return m_nDigits; }
    int32_t GetDecimals() const { return m_nDecimals; }

    // The value as NC text: an integer format truncates and caps at 10^digits - 1; a decimal
    // format wraps at 10^(digits + 1), prints fixed-point and drops leading blanks.
    std::string Format(double value) const;

    // What is written for a value: a diameter format writes twice the radius it is given.
    double Scaled(double value) const { return m_bDiameter ? value * 2.0 : value; }

    std::string m_strName;
    int32_t m_nDigits = 0;
    int32_t m_nDecimals = 0;
    int m_bDiameter = 0;
};
