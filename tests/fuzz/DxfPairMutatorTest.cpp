#include "mutators/DxfPairMutator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>

namespace {

const std::string kSpline =
    "0\nSECTION\n2\nENTITIES\n0\nSPLINE\n8\n0\n70\n8\n71\n3\n72\n4\n73\n2\n40\n0\n40\n0\n40\n1\n40\n1\n"
    "10\n0\n20\n10\n10\n10\n20\n20\n0\nENDSEC\n0\nEOF\n";

size_t LongestLine(const std::string& text) {
    std::istringstream in(text);
    size_t longest = 0;
    for (std::string line; std::getline(in, line);) {
        longest = std::max(longest, line.size());
    }
    return longest;
}

}  // namespace

TEST(DxfPairMutator, KindFollowsTheGroupCode) {
    using K = CDxfPairMutator::EKind;
    EXPECT_EQ(CDxfPairMutator::KindOf(" 72"), K::Integer);
    EXPECT_EQ(CDxfPairMutator::KindOf("1071\r"), K::Integer);
    EXPECT_EQ(CDxfPairMutator::KindOf("  10"), K::Real);
    EXPECT_EQ(CDxfPairMutator::KindOf("8"), K::Text);
    EXPECT_EQ(CDxfPairMutator::KindOf("SPLINE"), K::Text);
    EXPECT_EQ(CDxfPairMutator::KindOf("-5"), K::Text);
}

// Without byte mutations every result stays within its room and keeps lines in pairs with the
// input's line breaks, and a few thousand steps reach both a negative knot count and a line of
// more than 1 024 bytes.
TEST(DxfPairMutator, KeepsPairsAndReachesBoundaryCountsAndLongLines) {
    const CDxfPairMutator mutator;
    bool minKnots = false;
    bool longLine = false;
    for (const bool crlf : {false, true}) {
        std::string seed = kSpline;
        if (crlf) {
            for (size_t at = seed.find('\n'); at != std::string::npos; at = seed.find('\n', at + 2)) {
                seed.insert(at, "\r");
            }
        }
        std::mt19937 rng(7);
        std::string text = seed;
        for (int step = 0; step < 2000; ++step) {
            text = step % 10 == 0 ? seed : text;
            text = mutator.Mutate(text, 4096, rng);
            ASSERT_LE(text.size(), 4096u);
            ASSERT_EQ(std::count(text.begin(), text.end(), '\n') % 2, 0) << text;
            if (crlf) {
                ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));
            }
            minKnots = minKnots || text.find("72\n-2147483648\n") != std::string::npos;
            longLine = longLine || LongestLine(text) > 1024;
        }
    }
    EXPECT_TRUE(minKnots);
    EXPECT_TRUE(longLine);
}
