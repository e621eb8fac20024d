// Joining segment ends: ends within a thousandth of a millimetre meet wherever the join grid cuts
// between them, and a drawing of many loose pieces is read whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <string>

#include "exchange/DxfImport.h"

namespace {

std::string Lines(const std::vector<std::array<double, 4>>& lines) {
    std::string text = "0\nSECTION\n2\nENTITIES\n";
    char buf[160];
    for (const auto& [z1, x1, z2, x2] : lines) {
        std::snprintf(buf, sizeof buf,
                      "0\nLINE\n8\n0\n10\n%.7f\n20\n%.7f\n30\n0\n11\n%.7f\n21\n%.7f\n31\n0\n", z1, x1, z2,
                      x2);
        text += buf;
    }
    return text + "0\nENDSEC\n0\nEOF\n";
}

CImportResult Load(const std::string& text) {
    CImportResult result;
    std::string error;
    EXPECT_TRUE(CDxfImport().Load(text, {}, result, error)) << error;
    return result;
}

TEST(DxfJoin, EndsCloserThanAThousandthMeetAcrossTheGrid) {
    // A stepped profile whose joints lie just on either side of the grid's lines (0.001 mm).
    std::mt19937 rng(25);
    std::uniform_real_distribution<double> jitter(-0.00045, 0.00045);
    std::vector<std::array<double, 4>> lines;
    for (int i = 0; i < 3000; ++i) {
        const auto x = [](int k) { return 20.0 + (k % 5) * 0.05; };
        const double z = i * 0.3;
        lines.push_back({z + jitter(rng), x(i) + jitter(rng), z + 0.3, x(i + 1)});
    }
    // Every second one drawn backwards, and the order shuffled: the chain must not depend on it.
    for (size_t i = 0; i < lines.size(); i += 2) {
        lines[i] = {lines[i][2], lines[i][3], lines[i][0], lines[i][1]};
    }
    std::shuffle(lines.begin(), lines.end(), rng);
    const CImportResult r = Load(Lines(lines));
    ASSERT_EQ(r.m_pieces.size(), 3000u);
    EXPECT_TRUE(r.m_notes.empty());
    for (size_t i = 1; i < r.m_pieces.size(); ++i) {
        ASSERT_EQ(r.m_pieces[i].m_ptStart.x, r.m_pieces[i - 1].m_ptEnd.x) << i;
    }
}

TEST(DxfJoin, ManyLoosePiecesAreAllRead) {
    // 5 000 short lines 0.01 mm apart: twice as many ends as the grid first expects.
    std::vector<std::array<double, 4>> lines;
    for (int i = 0; i < 5000; ++i) {
        lines.push_back({i * 0.1, 30.0, i * 0.1 + 0.09, 30.0});
    }
    const CImportResult r = Load(Lines(lines));
    EXPECT_EQ(r.m_pieces.size(), 5000u);
}

}  // namespace
