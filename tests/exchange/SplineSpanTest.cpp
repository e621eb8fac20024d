// The knot span search with a hint against a plain count over random knot vectors.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "exchange/SplineApprox.h"

TEST(SplineSpan, AnyHintGivesTheSpanAPlainCountGives) {
    std::mt19937 random(25);
    for (int round = 0; round < 2000; ++round) {
        const int degree = std::uniform_int_distribution<int>(1, 5)(random);
        const int count = degree + 1 + std::uniform_int_distribution<int>(0, 12)(random);
        // Ascending knots on a coarse grid, so that many repeat.
        std::vector<double> knots(static_cast<size_t>(count + degree + 1));
        for (double& k : knots) {
            k = std::uniform_int_distribution<int>(0, 8)(random) * 0.5;
        }
        std::sort(knots.begin(), knots.end());
        for (int probe = 0; probe < 20; ++probe) {
            // Knots themselves, points between them and points beyond both ends.
            const double u = probe % 2 ? knots[random() % knots.size()]
                                       : std::uniform_real_distribution<double>(-1.0, 5.0)(random);
            int plain = degree;
            for (int i = degree + 1; i < count; ++i) {
                plain += knots[static_cast<size_t>(i)] <= u ? 1 : 0;
            }
            const int hint = std::uniform_int_distribution<int>(-2, count + 2)(random);
            ASSERT_EQ(SplineSpan(knots, degree, count, u, hint), plain) << "u " << u << " hint " << hint;
        }
    }
}
