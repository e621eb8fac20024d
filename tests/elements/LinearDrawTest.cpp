// The line's strip in the layer profile and its editing overlay, checked on the recording surface.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/LayerStyle.h"
#include "elements/Linear.h"
#include "elements/ViewServices.h"
#include "platform/RecordingSurface.h"

namespace {
using Log = std::vector<std::string>;

// Zoom 100, scale 50: 20 000 model units per pixel. The line runs from pixel (110, 295) to
// (120, 297); its mirror image from (110, 304) to (120, 302).
struct LineDrawing : ::testing::Test {
    void SetUp() override {
        view.SetOrigin(CPoint(100, 300));
        view.SetFormatDigit(1);
    }
    CViewServices view;
    CLinear line{200000, 100000, 400000, 60000};
    CLayerStyle style;
    CRecordingSurface window{800, 600};
};

Log Without(const Log& log, const std::string& prefix) {
    Log out;
    for (const std::string& l : log) {
        if (l.rfind(prefix, 0) != 0) {
            out.push_back(l);
        }
    }
    return out;
}
}  // namespace

TEST_F(LineDrawing, FirstElementDrawsStartFaceAndReturnsEndRows) {
    const CPixelRows rows = line.Draw(window, &view, style, CPixelRows{});
    EXPECT_EQ(rows, (CPixelRows{302, 297}));
    EXPECT_EQ(window.GetLog(), (Log{"FillPolygon 4: 110,295 110,304 120,302 120,297", "MoveTo 120,302",
                                    "LineTo 110,304", "LineTo 110,295", "LineTo 120,297"}));
}

TEST_F(LineDrawing, HigherPreviousElementGetsVerticalStep) {
    line.Draw(window, &view, style, CPixelRows{306, 293});
    EXPECT_EQ(window.GetLog(), (Log{"FillPolygon 4: 110,295 110,304 120,302 120,297", "MoveTo 120,302",
                                    "LineTo 110,304", "LineTo 110,295", "LineTo 120,297", "MoveTo 110,306",
                                    "LineTo 110,304", "MoveTo 110,293", "LineTo 110,295"}));
}

TEST_F(LineDrawing, LowerPreviousElementGetsOnlyTheStartFace) {
    line.Draw(window, &view, style, CPixelRows{300, 299});
    EXPECT_EQ(window.GetLog(), (Log{"FillPolygon 4: 110,295 110,304 120,302 120,297", "MoveTo 120,302",
                                    "LineTo 110,304", "LineTo 110,295", "LineTo 120,297"}));
}

TEST_F(LineDrawing, EdgesOffContinuesOutlineWithoutStartFace) {
    style.m_bDrawEdges = 0;
    const CPixelRows rows = line.Draw(window, &view, style, CPixelRows{306, 293});
    EXPECT_EQ(rows, (CPixelRows{302, 297}));
    EXPECT_EQ(window.GetLog(), (Log{"FillPolygon 4: 110,295 110,304 120,302 120,297", "MoveTo 110,306",
                                    "LineTo 110,304", "LineTo 120,302", "MoveTo 110,293", "LineTo 110,295",
                                    "LineTo 120,297"}));
}

TEST_F(LineDrawing, EdgesOffStillDrawsStartFaceOfFirstElement) {
    style.m_bDrawEdges = 0;
    line.Draw(window, &view, style, CPixelRows{});
    EXPECT_EQ(window.Find("MoveTo"), (Log{"MoveTo 120,302"}));
}

TEST_F(LineDrawing, SelectedOverlayIsComposedOverCleanPicture) {
    view.CreatePictures(window, 800, 600);
    line.DrawSelected(window, &view, 0, 0, 800, 600);
    EXPECT_EQ(window.GetLog(), (Log{"BitBlt 0,0 800x600 from picture 0,0"}));
    auto& comp = static_cast<CRecordingSurface&>(*view.GetCompositionSurface());
    const Log expected{
        "BitBlt 0,0 800x600 from picture 0,0",
        "Pen style=0 width=1 color=0000FF",  // red guides (red in the low byte)
        "MoveTo 0,295", "LineTo 800,295", "MoveTo 0,297", "LineTo 800,297",
        "MoveTo 110,0", "LineTo 110,600", "MoveTo 120,0", "LineTo 120,600",
        "MoveTo 110,585", "LineTo 120,585",
        "Pen style=0 width=2 color=0000FF", "Brush null hatch=0 color=000000",
        "MoveTo 110,295", "LineTo 110,304", "LineTo 120,302", "LineTo 120,297", "LineTo 110,295",
        "Pen style=0 width=2 color=FF0000", "Brush null hatch=0 color=000000",
        "Ellipse 105,290,115,300", "Ellipse 115,292,125,302",
        "TextColor 0000FF",
        "TextAlign 10", "Text 109,599 align=10 color=0000FF '20.0'",
        "TextAlign 10", "Text 107,292 align=10 color=0000FF '10.0'",
        "TextAlign 14", "Text 115,584 align=14 color=0000FF '20.0'",
        "TextAlign 8", "Text 121,599 align=8 color=0000FF '40.0'",
        "TextAlign 8", "Text 123,294 align=8 color=0000FF '6.0'",
    };
    // The pen and brush restored at the end are bookkeeping, not part of the picture.
    Log got = comp.GetLog();
    got.resize(expected.size());
    EXPECT_EQ(got, expected);
}

TEST_F(LineDrawing, OverlayWithoutFlagsShowsOnlyOutlineAndHandles) {
    view.SetDrawLines(0);
    view.SetDrawLabels(0);
    line.DrawSelected(window, &view, 0, 0, 800, 600);  // no pictures: straight onto the window
    EXPECT_TRUE(window.Find("Text").empty());
    EXPECT_EQ(window.Find("Ellipse").size(), 2u);
    EXPECT_EQ(Without(window.Find("MoveTo"), "MoveTo 110,295").size(), 0u);
    EXPECT_TRUE(window.Find("BitBlt").empty());
}

TEST_F(LineDrawing, LabelsWithoutLinesDrawNoDimensionLine) {
    view.SetDrawLines(0);
    line.DrawSelected(window, &view, 0, 0, 800, 600);
    EXPECT_EQ(window.Find("Text ").size(), 5u);
    EXPECT_TRUE(window.Find("MoveTo 110,585").empty());
}

TEST_F(LineDrawing, FeedbackStepsRecomposeAndReturnTheirResults) {
    view.CreatePictures(window, 800, 600);
    EXPECT_EQ(line.DrawDragFeedback(window, &view, 0, 0, 800, 600, line.EndHandle()), line.GetEnd());
    EXPECT_EQ(line.DrawDragFeedback(window, &view, 0, 0, 800, 600, nullptr), CPoint());
    EXPECT_EQ(line.DrawMoveFeedback(window, &view, 0, 0, 800, 600, 5, 5), 1);
    EXPECT_EQ(window.Find("BitBlt").size(), 3u);
}
