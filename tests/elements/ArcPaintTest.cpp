// The arc and the double arc painted: drawing calls on the recording surface, pixels on the raster.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "elements/Arc.h"
#include "elements/DoubleArc.h"
#include "elements/LayerStyle.h"
#include "elements/Linear.h"
#include "elements/ViewServices.h"
#include "platform/ImageSurface.h"
#include "platform/RecordingSurface.h"

namespace {
using Log = std::vector<std::string>;
constexpr COLORREF kHatch = RGB(255, 0, 0);

// 20 000 units per pixel, axis on row 130. The upper arc rises from 50 to 100 pixels above the
// axis on the circle with centre (2 000 000, -500 000) and radius 2 500 000; the lower arc dips
// from 100 to 50 pixels on the circle with centre (2 000 000, 3 500 000), same radius.
CArc UpperArc() { return CArc(CPoint(0, 1000000), CPoint(4000000, 1000000), CPoint(2000000, 2000000)); }
CArc LowerArc() { return CArc(CPoint(0, 2000000), CPoint(4000000, 2000000), CPoint(2000000, 1000000)); }

Log Starting(const Log& log, const std::string& prefix) {
    Log out;
    for (const std::string& l : log) {
        if (l.rfind(prefix, 0) == 0) {
            out.push_back(l);
        }
    }
    return out;
}

struct ArcPainting : ::testing::Test {
    void SetUp() override { view.SetOrigin(CPoint(20, 130)); }
    CViewServices view;
    CLayerStyle style;
    CRecordingSurface window{300, 300};
};

struct ArcPicture : ::testing::Test {
    void SetUp() override {
        view.SetOrigin(CPoint(20, 130));
        picture.SetPen(CPen{kPenSolid, 1, kColorBlack});
        picture.SetBrush(CBrush::MakeHatch(kHatchForwardDiagonal, kHatch));
    }
    void Save(const char* name) {
        std::string error;
        EXPECT_TRUE(picture.SavePng(std::string(KESTROVEL_BINARY_DIR) + "/" + name, error)) << error;
    }
    // Every pixel well inside the profile (upper contour to its mirror image) shows the hatch
    // pattern and nothing else; pixels well outside stay white.
    void ExpectHatchedBetweenContours(const CPiece& piece) {
        int hatched = 0;
        const auto height = [&piece](int x) { return piece.GetYAt((x - 20) * 20000) / 20000; };
        for (int x = 22; x < 219; ++x) {
            // Where the contour is steep it crosses several rows within one column.
            const int low = std::min({height(x - 1), height(x), height(x + 1)});
            const int high = std::max({height(x - 1), height(x), height(x + 1)});
            for (int row = 0; row < 300; ++row) {
                const COLORREF c = picture.GetPixel(x, row);
                if (row > 130 - low + 2 && row < 130 + low - 2) {
                    ASSERT_EQ(c, (x - row) % 8 == 0 ? kHatch : kColorWhite) << x << "," << row;
                    hatched += c == kHatch;
                } else if (row < 130 - high - 3 || row > 130 + high + 3) {
                    ASSERT_EQ(c, kColorWhite) << x << "," << row;
                }
            }
        }
        EXPECT_GT(hatched, 1000);
    }
    // The outline passes within two pixels of (x, row).
    void ExpectOutlineNear(int x, int row) {
        bool found = false;
        for (int dy = -2; dy <= 2; ++dy) {
            found = found || picture.GetPixel(x, row + dy) == kColorBlack;
        }
        EXPECT_TRUE(found) << x << "," << row;
    }
    CViewServices view;
    CImageSurface picture{300, 300};
    CLayerStyle style;
};
}  // namespace

TEST_F(ArcPainting, UpperArcFillsAlongBothContoursThenOutlinesThem) {
    CArc arc = UpperArc();
    const CPixelRows rows = arc.Draw(window, &view, style, CPixelRows{});
    EXPECT_EQ(rows, (CPixelRows{179, 80}));
    const Log fills = Starting(window.GetLog(), "FillPolygon");
    ASSERT_EQ(fills.size(), 1u);
    // Start face, the mirrored contour through its lowest row, the end face, the upper contour.
    EXPECT_EQ(fills[0].rfind("FillPolygon 202: 20,80 20,179 22,182 ", 0), 0u) << fills[0];
    EXPECT_NE(fills[0].find(" 120,229 "), std::string::npos);
    EXPECT_NE(fills[0].find(" 220,179 220,80 218,77 "), std::string::npos);
    EXPECT_NE(fills[0].find(" 120,30 "), std::string::npos);
    EXPECT_EQ(Starting(window.GetLog(), "Arc"),
              (Log{"Arc -5,-20,245,230 from 20,179 to 220,179", "Arc -5,30,245,280 from 220,80 to 20,80"}));
    EXPECT_EQ(window.GetPen(), CPen{});
}

TEST_F(ArcPainting, LowerArcSubtractsBothDiscsAndRaisesItsBoxes) {
    CArc arc = LowerArc();
    arc.Draw(window, &view, style, CPixelRows{});
    EXPECT_EQ(Starting(window.GetLog(), "FillPolygonMinusEllipses"),
              (Log{"FillPolygonMinusEllipses 4: 20,30 20,229 220,229 220,30 minus -5,-170,245,80 -5,180,245,430"}));
    EXPECT_EQ(Starting(window.GetLog(), "Arc"),
              (Log{"Arc -5,179,245,429 from 220,229 to 20,229", "Arc -5,-171,245,79 from 20,30 to 220,30"}));
    EXPECT_TRUE(Starting(window.GetLog(), "Chord").empty());
}

TEST_F(ArcPainting, JoinsFollowTheLine) {
    CArc arc = UpperArc();
    style.m_bDrawEdges = 0;
    arc.Draw(window, &view, style, CPixelRows{170, 90});
    const Log moves = Starting(window.GetLog(), "MoveTo");
    EXPECT_EQ(moves, (Log{"MoveTo 20,170", "MoveTo 20,90"}));
    window.ClearLog();
    style.m_bDrawEdges = 1;
    arc.Draw(window, &view, style, CPixelRows{185, 70});  // the previous element ends higher
    EXPECT_EQ(Starting(window.GetLog(), "MoveTo"), (Log{"MoveTo 20,179", "MoveTo 20,185", "MoveTo 20,70"}));
}

TEST_F(ArcPainting, StraightArcDrawsExactlyAsTheLine) {
    CArc arc(CPoint(0, 1000000), CPoint(4000000, 1400000), CPoint(2000000, 1200000));
    ASSERT_TRUE(arc.IsStraight());
    CRecordingSurface lineWindow{300, 300};
    CLinear line(arc.GetStart(), arc.GetEnd());
    EXPECT_EQ(arc.Draw(window, &view, style, CPixelRows{}), line.Draw(lineWindow, &view, style, CPixelRows{}));
    EXPECT_EQ(window.GetLog(), lineWindow.GetLog());
    // So does a circle beyond the model range.
    CArc huge(CPoint(0, 0), CPoint(9000000, 0), CPoint(4500000, 1));
    window.ClearLog();
    huge.Draw(window, &view, style, CPixelRows{});
    EXPECT_TRUE(Starting(window.GetLog(), "Arc").empty());
}

TEST_F(ArcPainting, CircleBoxesAreClampedToThePixelRange) {
    // Radius 1 500 000 000 at a high zoom: the box spans far beyond 32000 pixels.
    CArc arc;
    arc.m_ptStart = CPoint(0, 1000000);
    arc.m_ptEnd = CPoint(4000000, 1000000);
    arc.SetCcw(1);
    arc.SetCircle(2000000.0, 1000000.0 - 1500000000.0 + 1333.0, 1500000000.0);
    arc.ApplyOverflowGuard();
    view.SetZoomValue(100000);
    arc.Draw(window, &view, style, CPixelRows{});
    // Both contours are still drawn, on the clamped box.
    EXPECT_EQ(Starting(window.GetLog(), "Arc"),
              (Log{"Arc -32000,-32000,32000,32000 from 20,32000 to 32000,32000",
                   "Arc -32000,-32000,32000,32000 from 32000,-32000 to 20,-32000"}));
    for (const std::string& l : window.GetLog()) {
        size_t i = 0;
        while (i < l.size()) {
            if (l[i] == '-' || (l[i] >= '0' && l[i] <= '9')) {
                char* end = nullptr;
                const long v = std::strtol(l.c_str() + i, &end, 10);
                EXPECT_LE(std::labs(v), 32000) << l;
                i = static_cast<size_t>(end - l.c_str()) + (end == l.c_str() + i ? 1 : 0);
            } else {
                ++i;
            }
        }
    }
}

TEST_F(ArcPainting, OverlayShowsFourHandlesAndTheCentreOnlyWhenCurved) {
    CArc arc = UpperArc();
    arc.DrawSelected(window, &view, 0, 0, 300, 300);
    EXPECT_EQ(Starting(window.GetLog(), "Ellipse"),
              (Log{"Ellipse 15,75,25,85", "Ellipse 215,75,225,85", "Ellipse 115,150,125,160",
                   "Ellipse 115,25,125,35"}));
    EXPECT_EQ(Starting(window.GetLog(), "Arc").size(), 2u);
    window.ClearLog();
    arc.SetMidPoint(2000000, 1000000);
    EXPECT_EQ(arc.DrawDragFeedback(window, &view, 0, 0, 300, 300, arc.MidHandle()), CPoint(2000000, 1000000));
    EXPECT_EQ(Starting(window.GetLog(), "Ellipse").size(), 3u);
    EXPECT_EQ(arc.DrawMoveFeedback(window, &view, 0, 0, 300, 300, 0, 0), 1);
}

TEST_F(ArcPainting, DoubleArcPaintsItsTwoPartsWithoutAFaceAtTheJunction) {
    CDoubleArc arc(CPoint(0, 1000000), CPoint(2000000, 1500000), CPoint(4000000, 2000000),
                   CPoint(-1000000, 1000000));
    const CPixelRows rows = arc.Draw(window, &view, style, CPixelRows{});
    EXPECT_EQ(rows, (CPixelRows{229, 30}));
    EXPECT_EQ(Starting(window.GetLog(), "Arc").size(), 4u);
    // One start face at S; at M only the zero-length continuations.
    EXPECT_EQ(Starting(window.GetLog(), "LineTo"), (Log{"LineTo 20,80", "LineTo 120,204", "LineTo 120,55"}));
    window.ClearLog();
    arc.DrawSelected(window, &view, 0, 0, 300, 300);
    EXPECT_EQ(Starting(window.GetLog(), "Ellipse").size(), 4u);
}

TEST_F(ArcPicture, UpperArcIsHatchedAndMirroredBelowTheAxis) {
    CArc arc = UpperArc();
    arc.Draw(picture, &view, style, CPixelRows{});
    Save("arc_upper_profile.png");
    ExpectHatchedBetweenContours(arc);
    ExpectOutlineNear(120, 30);   // apex
    ExpectOutlineNear(120, 230);  // its mirror image
    ExpectOutlineNear(20, 130);   // start face on the axis
}

TEST_F(ArcPicture, LowerArcIsHatchedUnderItsDipAndMirrored) {
    CArc arc = LowerArc();
    arc.Draw(picture, &view, style, CPixelRows{});
    Save("arc_lower_profile.png");
    ExpectHatchedBetweenContours(arc);
    EXPECT_EQ(picture.GetPixel(120, 60), kColorWhite);  // inside the disc above the dip
    ExpectOutlineNear(120, 80);
    ExpectOutlineNear(120, 179);
}

TEST_F(ArcPicture, DoubleArcAndOverlay) {
    CDoubleArc arc(CPoint(0, 1000000), CPoint(2000000, 1500000), CPoint(4000000, 2000000),
                   CPoint(-1000000, 1000000));
    arc.Draw(picture, &view, style, CPixelRows{});
    Save("doublearc_profile.png");
    ExpectHatchedBetweenContours(arc);

    view.CreatePictures(picture, 300, 300);
    CSurface& clean = *view.GetCleanPicture();
    clean.BitBlt(0, 0, 300, 300, picture, 0, 0);
    CArc upper = UpperArc();
    upper.DrawSelected(picture, &view, 0, 0, 300, 300);
    Save("arc_overlay.png");
    EXPECT_EQ(picture.GetPixel(120, 25), kColorBlue);  // top of the mid-point handle at (120, 30)
    EXPECT_EQ(picture.GetPixel(5, 80), kColorRed);     // guide through the ends
}
