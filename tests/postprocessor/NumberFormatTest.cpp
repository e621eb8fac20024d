// Number formats and the formatting message.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/Messages.h"
#include "postprocessor/NumberFormat.h"
#include "postprocessor/PreProcesor.h"

TEST(NumberFormat, ParsesDefinitionLines) {
    const CNumberFormat x = CNumberFormat::FromLine("X>4.3");
    EXPECT_EQ(x.GetName(), "X");
    EXPECT_EQ(x.GetDigits(), 4);
    EXPECT_EQ(x.GetDecimals(), 3);
    const CNumberFormat multi = CNumberFormat::FromLine("G01X>2.1");
    EXPECT_EQ(multi.GetName(), "G01X");
    const CNumberFormat broken = CNumberFormat::FromLine("nothing");
    EXPECT_EQ(broken.GetName(), "nothing");
    EXPECT_EQ(broken.GetDigits(), 0);
    EXPECT_EQ(broken.GetDecimals(), 0);
}

TEST(NumberFormat, DecimalFormats) {
    const CNumberFormat x("X", 4, 3);
    EXPECT_EQ(x.Format(12.5), "12.500");
    EXPECT_EQ(x.Format(-0.25), "-0.250");
    EXPECT_EQ(x.Format(0.00049), "0.000");
    // Wraps one power above the integer limit: 10^5.
    EXPECT_EQ(x.Format(123456.5), "23456.500");
    EXPECT_EQ(CNumberFormat("Z", 2, 4).Format(3.14159), "3.1416");
}

TEST(NumberFormat, IntegerFormats) {
    const CNumberFormat s("S", 4, 0);
    EXPECT_EQ(s.Format(123456.7), "9999");
    EXPECT_EQ(s.Format(1200.9), "1200");
    EXPECT_EQ(s.Format(-123456.7), "-123456");  // negative values are not limited
    EXPECT_EQ(s.Format(1e30), "9999");
    EXPECT_EQ(CNumberFormat("N", 12, 0).Format(5e12), "2147483647");
}

TEST(NumberFormat, HugeFieldsStayBounded) {
    const CNumberFormat wide("X", 1000000, 1000000);
    EXPECT_LE(wide.Format(1.5).size(), 700u);
    EXPECT_FALSE(CNumberFormat("X", 4, 3).Format(1e308).empty());
}

// A format line with a ten-digit decimals field saturates it; formatting caps each field before
// adding them (the fuzz reproducer fuzz/corpus/post_file/crash-huge-decimals.pos replays it too).
TEST(NumberFormat, SaturatedFieldsAreCappedBeforeTheirSum) {
    const CNumberFormat huge = CNumberFormat::FromLine("X>3.7777777777");
    EXPECT_EQ(huge.GetDecimals(), INT32_MAX);
    EXPECT_EQ(huge.Format(10.0), "10." + std::string(300, '0'));
    const CNumberFormat both = CNumberFormat::FromLine("X>99999999999.99999999999");
    EXPECT_EQ(both.GetDigits(), INT32_MAX);
    EXPECT_EQ(both.Format(-2.5), "-2.5" + std::string(299, '0'));
    EXPECT_EQ(CNumberFormat("S", INT32_MAX, 0).Format(12.7), "12");
    EXPECT_FALSE(CNumberFormat("S", INT32_MIN, INT32_MIN).Format(12.7).empty());
}

TEST(NumberFormat, FirstFormatWinsAndMissingOneIsReported) {
    CRecordingMessages messages;
    CPreProcesor pp("p", "x.*", "out", "spare", &messages);
    pp.AddFormat(std::make_unique<CNumberFormat>("X", 4, 3));
    pp.AddFormat(std::make_unique<CNumberFormat>("X", 4, 0));
    EXPECT_EQ(pp.FormatValue("X", 1.0), "1.000");
    EXPECT_EQ(pp.FormatValue("Y", 1.0), "");
    ASSERT_EQ(messages.GetBoxes().size(), 1u);
    EXPECT_EQ(messages.GetBoxes()[0].strText, "Cannot find the number format for the letters: Y");
    EXPECT_EQ(messages.GetBoxes()[0].strCaption, "Post-processor");
    EXPECT_EQ(messages.GetBoxes()[0].icon, MessageIcon::Error);
}

TEST(NumberFormatDiameter, StarTwoDoublesWhatTheFormatWrites) {
    const CNumberFormat x = CNumberFormat::FromLine("X>4.3*2");
    EXPECT_EQ(x.GetName(), "X");
    EXPECT_EQ(x.GetDigits(), 4);
    EXPECT_EQ(x.GetDecimals(), 3);
    EXPECT_EQ(x.m_bDiameter, 1);
    EXPECT_EQ(CNumberFormat::FromLine("D>3*2").GetDigits(), 3);
    // Only a line ending in "*2" is a diameter format.
    for (const char* line : {"X>4.3", "X>4.3*", "X>4.3*2 ", "X>4.3*3", "X*2>4.3"}) {
        const CNumberFormat f = CNumberFormat::FromLine(line);
        EXPECT_EQ(f.m_bDiameter, 0) << line;
    }
    CRecordingMessages messages;
    CPreProcesor pp("p", "x.*", "out", "spare", &messages);
    pp.AddFormat(std::make_unique<CNumberFormat>(x));
    pp.AddFormat(std::make_unique<CNumberFormat>(CNumberFormat::FromLine("Z>4.3")));
    pp.AddFormat(std::make_unique<CNumberFormat>(CNumberFormat::FromLine("D>3.0*2")));
    EXPECT_EQ(pp.FormatValue("X", 12.5), "25.000");
    EXPECT_EQ(pp.FormatValue("X", -0.0004), "-0.001");
    // Doubled before the wrap at 10^(digits + 1) and before the integer cap.
    EXPECT_EQ(pp.FormatValue("X", 60000.25), "20000.500");
    EXPECT_EQ(pp.FormatValue("D", 499.9), "999");
    EXPECT_EQ(pp.FormatValue("D", 600.0), "999");
    EXPECT_EQ(pp.FormatValue("Z", 12.5), "12.500");
    EXPECT_TRUE(messages.GetBoxes().empty());
}

// A format without the suffix writes every value exactly as before.
TEST(NumberFormatDiameter, PlainFormatsWriteAsBefore) {
    CPreProcesor pp("p", "x.*", "out", "spare", nullptr);
    const CNumberFormat plain = CNumberFormat::FromLine("X>4.3");
    pp.AddFormat(std::make_unique<CNumberFormat>(plain));
    std::mt19937 gen(15);
    std::uniform_real_distribution<double> value(-2e5, 2e5);
    for (int i = 0; i < 2000; ++i) {
        const double v = value(gen);
        ASSERT_EQ(pp.FormatValue("X", v), plain.Format(v)) << v;
    }
}

namespace {

// A decimal format's text as printf writes it: the fixed-point field in a buffer of width + 400
// bytes, exponent form from 1e300 on, leading blanks dropped.
std::string PrintfDecimal(double value, int32_t digits, int32_t decimals) {
    auto clamp = [](int32_t v) { return std::max(-300, std::min(300, v)); };
    digits = clamp(digits);
    decimals = clamp(decimals);
    const double limit = std::pow(10.0, static_cast<double>(digits) + 1.0);
    if (value >= limit) {
        value = std::fmod(value, limit);
    }
    const int width = clamp(digits + decimals);
    std::vector<char> text(static_cast<size_t>(std::max(width, 0)) + 400);
    std::snprintf(text.data(), text.size(), std::fabs(value) < 1e300 ? "%*.*f" : "%*.*e", width, decimals,
                  value);
    std::string s(text.data());
    const size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

double RandomValue(std::mt19937_64& random) {
    const uint64_t bits = random();
    switch (bits % 8) {
        case 0: {  // any bit pattern: subnormals, huge values, infinities, NaNs
            double v;
            const uint64_t raw = random();
            std::memcpy(&v, &raw, sizeof v);
            return v;
        }
        case 1:  // a tie or a carry in the last decimals: 9.99995, 0.125, -2.5e-4
            return static_cast<double>(static_cast<int64_t>(random() % 2000001) - 1000000) /
                       std::pow(10.0, static_cast<double>(random() % 8)) +
                   (bits & 16 ? 5.0 : -5.0) * std::pow(10.0, -static_cast<double>(random() % 9));
        case 2:  // exact binary fractions
            return std::ldexp(static_cast<double>(static_cast<int64_t>(random() % 200001) - 100000),
                              -static_cast<int>(random() % 30));
        case 3: return bits & 16 ? -0.0 : 0.0;
        case 4:  // near the wrap and near the 1e300 switch
            return std::pow(10.0, static_cast<double>(random() % 310)) * (bits & 16 ? -0.99999 : 1.00001);
        default:  // what NC words carry
            return static_cast<double>(static_cast<int64_t>(random() % 20000000001) - 10000000000) * 1e-5;
    }
}

int32_t RandomField(std::mt19937_64& random) {
    switch (random() % 6) {
        case 0: return static_cast<int32_t>(random() % 801) - 400;
        case 1: return random() % 2 ? INT32_MAX : INT32_MIN;
        default: return static_cast<int32_t>(random() % 12);
    }
}

}  // namespace

// The decimal text must be printf's, character for character: signs of zero, rounding of the
// exact binary value with its carries, the wrap, the 300-character caps, blanks of a negative
// width and the exponent form of huge values.
TEST(NumberFormat, DecimalTextIsPrintfsForAnyValueAndFields) {
    std::mt19937_64 random(3031);
    for (int i = 0; i < 200000; ++i) {
        const double value = RandomValue(random);
        int32_t digits = RandomField(random);
        int32_t decimals = RandomField(random);
        if (decimals == 0) {
            decimals = 3;
        }
        const CNumberFormat format("X", digits, decimals);
        ASSERT_EQ(format.Format(value), PrintfDecimal(value, digits, decimals))
            << std::hexfloat << value << " " << digits << "." << decimals;
    }
    for (const double v : {9.99995, -9.99995, 0.0005, -0.0005, 99999.99995, 1e299, -1e299, 1e-320}) {
        for (int32_t decimals : {1, 4, 300, -1, -300}) {
            ASSERT_EQ(CNumberFormat("X", 4, decimals).Format(v), PrintfDecimal(v, 4, decimals)) << v;
        }
    }
}
