// Placing dialog bars shown for the first time: beside or below the others, on the screen.
#include <gtest/gtest.h>

#include <random>

#include "shell/BarPlacement.h"

namespace {

// Whether any top-left position puts a rectangle of that size on the screen clear of the others.
bool AnyFreePlace(CSize size, const std::vector<CRect>& shown, const CRect& screen) {
    for (int y = screen.top; y + size.cy <= screen.bottom; ++y) {
        for (int x = screen.left; x + size.cx <= screen.right; ++x) {
            const CRect rc(x, y, x + size.cx, y + size.cy);
            bool clear = true;
            for (const CRect& other : shown) {
                clear = clear && !CBarPlacement::Overlaps(rc, other);
            }
            if (clear) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

TEST(BarPlacement, FirstAtTheCornerThenBesideThenBelow) {
    const CRect screen(0, 0, 1280, 1024);
    const CPoint corner(150, 150);
    const CRect first = CBarPlacement::Place(CSize{300, 400}, {}, corner, screen);
    EXPECT_EQ(first, CRect(150, 150, 450, 550));
    const CRect second = CBarPlacement::Place(CSize{300, 400}, {first}, corner, screen);
    EXPECT_EQ(second, CRect(454, 150, 754, 550)) << "beside the first";
    const CRect wide = CBarPlacement::Place(CSize{700, 300}, {first, second}, corner, screen);
    EXPECT_EQ(wide, CRect(150, 554, 850, 854)) << "too wide for beside the second: below the first";
}

TEST(BarPlacement, AFreePlaceIsFoundWheneverTheScreenHasOne) {
    // Small screens, so that every position can be tried.
    std::mt19937 random(13);
    for (int round = 0; round < 400; ++round) {
        const CRect screen(0, 0, 40 + static_cast<int>(random() % 40), 30 + static_cast<int>(random() % 30));
        std::vector<CRect> shown;
        const int count = static_cast<int>(random() % 4);
        for (int i = 0; i < count; ++i) {
            const int x = static_cast<int>(random() % 70) - 5;
            const int y = static_cast<int>(random() % 60) - 5;
            shown.push_back(CRect(x, y, x + 4 + static_cast<int>(random() % 30),
                                  y + 4 + static_cast<int>(random() % 25)));
        }
        const CSize size{4 + static_cast<int>(random() % 30), 4 + static_cast<int>(random() % 25)};
        const CPoint corner(static_cast<int>(random() % 50), static_cast<int>(random() % 40));
        const CRect placed = CBarPlacement::Place(size, shown, corner, screen);
        ASSERT_EQ(placed.Width(), size.cx);
        ASSERT_EQ(placed.Height(), size.cy);
        if (!AnyFreePlace(size, shown, screen)) {
            continue;
        }
        EXPECT_TRUE(CBarPlacement::Inside(placed, screen)) << "round " << round;
        for (const CRect& other : shown) {
            EXPECT_FALSE(CBarPlacement::Overlaps(placed, other)) << "round " << round;
        }
    }
}
