// Number formats of the post file and the formatting of NC values.
#include "postprocessor/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "postprocessor/DefinitionReader.h"

namespace {

// Field sizes beyond any real format are capped so a damaged post file can't ask for a huge text.
constexpr int32_t kMaxField = 300;

int32_t ClampField(int32_t v) {
    return v > kMaxField ? kMaxField : v < -kMaxField ? -kMaxField : v;
}

// Truncation toward zero into an int, saturated instead of undefined beyond the range.
int64_t TruncSaturated(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    if (v >= 9.2e18) {
        return INT64_MAX;
    }
    if (v <= -9.2e18) {
        return INT64_MIN;
    }
    return static_cast<int64_t>(v);
}

// The fixed-point digits of a value of NC size, as printf writes them: the double's exact binary
// value times 10^precision, rounded to nearest with ties to even, in 128-bit integers. Larger
// values and longer fractions are left to to_chars (false).
bool ShortFixed(double value, int precision, char* out, char*& end) {
    static constexpr uint64_t kPow10[] = {1,      10,      100,      1000,      10000,
                                          100000, 1000000, 10000000, 100000000, 1000000000};
    if (precision < 1 || precision > 9 || !(std::fabs(value) < 1e9)) {
        return false;
    }
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    // |value| = whole / 2^shift exactly; below 1e9 the shift is at least 23.
    const auto whole = static_cast<uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - exponent;
    const unsigned __int128 scaled = static_cast<unsigned __int128>(whole) * kPow10[precision];
    uint64_t units = 0;
    if (shift < 128) {
        units = static_cast<uint64_t>(scaled >> shift);
        const unsigned __int128 rest = scaled - (static_cast<unsigned __int128>(units) << shift);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        if (rest > half || (rest == half && (units & 1) != 0)) {
            ++units;
        }
    }
    char digits[24];
    char* last = std::to_chars(digits, digits + sizeof digits, units).ptr;
    const int count = static_cast<int>(last - digits);
    end = out;
    if (std::signbit(value)) {
        *end++ = '-';
    }
    // At least one digit before the point.
    const int leading = count > precision ? count - precision : 0;
    end = std::copy(digits, digits + leading, end);
    if (leading == 0) {
        *end++ = '0';
    }
    *end++ = '.';
    end = std::fill_n(end, precision - (count - leading), '0');
    end = std::copy(digits + leading, last, end);
    return true;
}

// The text of "%*.*f" in a buffer of width + 400 bytes, leading blanks dropped. to_chars gives the
// same digits as printf (the exact binary value, rounded to nearest) several times faster, the
// short path faster still; the blanks, the left-justified field of a negative width and the
// buffer's cut are added here.
std::string FixedText(double value, int width, int decimals) {
    // A negative precision counts as none: six decimals.
    const int precision = decimals < 0 ? 6 : decimals;
    // Sign, 300 integer digits, the point and 300 decimals.
    char digits[640];
    char* end = digits;
    if (!ShortFixed(value, precision, digits, end)) {
        end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision).ptr;
    }
    const size_t room = static_cast<size_t>(width > 0 ? width : 0) + 399;
    std::string text(digits, std::min(static_cast<size_t>(end - digits), room));
    if (width < 0 && text.size() < static_cast<size_t>(-width)) {
        text.append(static_cast<size_t>(-width) - text.size(), ' ');
    }
    return text;
}

}  // namespace

CNumberFormat CNumberFormat::FromLine(const std::string& line) {
    CNumberFormat format;
    const size_t gt = line.find('>');
    const size_t dot = line.find('.');
    format.m_strName = line.substr(0, gt);
    if (dot != std::string::npos) {
        CDefinitionReader::ScanInt(line.substr(dot + 1), format.m_nDecimals);
    }
    if (gt != std::string::npos) {
        const size_t end = dot != std::string::npos && dot > gt ? dot : line.size();
        CDefinitionReader::ScanInt(line.substr(gt + 1, end - gt - 1), format.m_nDigits);
    }
    format.m_bDiameter = line.size() >= 2 && line.compare(line.size() - 2, 2, "*2") == 0;
    return format;
}

std::string CNumberFormat::Format(double value) const {
    // A damaged format line saturates its fields at the int range; each is capped before any sum.
    const int32_t digits = ClampField(m_nDigits);
    const int32_t decimals = ClampField(m_nDecimals);
    if (decimals == 0) {
        char buf[32];
        // The int of the original formula: truncation, then the cap at 10^digits - 1.
        const int64_t limit = TruncSaturated(std::pow(10.0, static_cast<double>(digits)));
        int64_t n = TruncSaturated(value);
        n = n > INT32_MAX ? INT32_MAX : n < INT32_MIN ? INT32_MIN : n;
        if (n >= limit) {
            n = limit - 1;
        }
        return std::string(buf, std::to_chars(buf, buf + sizeof buf, n).ptr);
    }
    const double limit = std::pow(10.0, static_cast<double>(digits) + 1.0);
    if (value >= limit) {
        value = std::fmod(value, limit);
    }
    const int width = ClampField(digits + decimals);
    // Beyond 1e300 fixed-point would need more room than any NC word; such values (and NaN) are
    // written in exponent form.
    if (!(std::fabs(value) < 1e300)) {
        std::vector<char> text(static_cast<size_t>(width > 0 ? width : 0) + 400);
        std::snprintf(text.data(), text.size(), "%*.*e", width, decimals, value);
        std::string s(text.data());
        const size_t first = s.find_first_not_of(' ');
        return first == std::string::npos ? std::string() : s.substr(first);
    }
    return FixedText(value, width, decimals);
}
