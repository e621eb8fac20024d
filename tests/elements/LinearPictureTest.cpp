// The line painted on the raster surface: the hatched strip, its mirrored lower contour and the overlay.
#include <gtest/gtest.h>

#include <string>

#include "elements/LayerStyle.h"
#include "elements/Linear.h"
#include "elements/ViewServices.h"
#include "platform/ImageSurface.h"

namespace {
constexpr COLORREF kHatch = RGB(255, 0, 0);

// 20 000 units per pixel; the axis lies on row 60. The line at radius 400 000 spans columns
// 20...120, its upper contour on row 40 and the mirrored lower contour on row 79.
struct LinePicture : ::testing::Test {
    void SetUp() override {
        view.SetOrigin(CPoint(20, 60));
        window.SetPen(CPen{kPenSolid, 1, kColorBlack});
        window.SetBrush(CBrush::MakeHatch(kHatchForwardDiagonal, kHatch));
    }
    void Save(const CImageSurface& s, const char* name) {
        std::string error;
        EXPECT_TRUE(s.SavePng(std::string(KESTROVEL_BINARY_DIR) + "/" + name, error)) << error;
    }
    CViewServices view;
    CImageSurface window{200, 120};
    CLayerStyle style;
    CLinear line{0, 400000, 2000000, 400000};
};
}  // namespace

TEST_F(LinePicture, StripIsHatchedBetweenUpperAndMirroredLowerContour) {
    line.Draw(window, &view, style, CPixelRows{});
    Save(window, "line_profile.png");
    EXPECT_EQ(window.GetPixel(70, 40), kColorBlack);
    EXPECT_EQ(window.GetPixel(70, 79), kColorBlack);
    EXPECT_EQ(window.GetPixel(20, 60), kColorBlack);   // start face
    EXPECT_EQ(window.GetPixel(120, 60), kColorWhite);  // no end face: the next element continues
    EXPECT_EQ(window.GetPixel(70, 39), kColorWhite);
    EXPECT_EQ(window.GetPixel(70, 80), kColorWhite);
    for (int y = 41; y < 79; ++y) {
        for (int x = 21; x < 120; ++x) {
            const bool onHatch = (x - y) % 8 == 0;
            ASSERT_EQ(window.GetPixel(x, y), onHatch ? kHatch : kColorWhite) << x << "," << y;
        }
    }
}

TEST_F(LinePicture, OverlayLeavesTheCleanPictureAndFollowsAMove) {
    view.CreatePictures(window, 200, 120);
    CSurface& clean = *view.GetCleanPicture();
    clean.SetPen(window.GetPen());
    clean.SetBrush(window.GetBrush());
    line.Draw(clean, &view, style, CPixelRows{});
    window.BitBlt(0, 0, 200, 120, clean, 0, 0);
    line.DrawSelected(window, &view, 0, 0, 200, 120);
    Save(window, "line_overlay.png");
    EXPECT_EQ(window.GetPixel(5, 40), kColorRed);    // guide through the upper contour
    EXPECT_EQ(window.GetPixel(20, 35), kColorBlue);  // top of the start handle
    EXPECT_EQ(window.GetPixel(70, 105), kColorRed);  // dimension line 15 above the bottom
    EXPECT_EQ(static_cast<const CImageSurface&>(clean).GetPixel(5, 40), kColorWhite);

    line.Move(200000, -100000, &view);
    line.DrawMoveFeedback(window, &view, 0, 0, 200, 120, 200000, -100000);
    EXPECT_EQ(window.GetPixel(5, 40), kColorWhite);  // the old guide is gone
    EXPECT_EQ(window.GetPixel(5, 45), kColorRed);
    EXPECT_EQ(window.GetPixel(20, 35), kColorWhite);
    EXPECT_EQ(window.GetPixel(30, 40), kColorBlue);  // top of the start handle at its new place
}
