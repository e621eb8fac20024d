// The toolpath pane's core: pens and arcs painted, fit, zoom about the cursor, picking by line.
#include <gtest/gtest.h>

#include <cmath>

#include "../postprocessor/PostTestUtil.h"
#include "platform/RecordingSurface.h"
#include "toolpath/NcReader.h"
#include "toolpath/ToolpathPainter.h"
#include "toolpath/ToolpathView.h"

namespace {

const char* const kProgram =
    "G0 X10 Z-5\nG1 X10 Z10 F100\nG2 X10 Z30 R10\nG3 X10 Z50 R10\nG1 X20 Z60\nG0 X30\n";

class ToolpathViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_view.SetClientSize(600, 400);
        std::vector<std::unique_ptr<CLayer>> layers;
        layers.push_back(posttest::SampleLayer());
        m_view.SetContent(std::move(layers), CNcReader().Read(kProgram), "summary");
    }
    CPoint Pixel(CPathPoint p) const {
        return {static_cast<int>(std::lround(m_view.GetMapping().ModelToScreenXF(p.dZ))),
                static_cast<int>(std::lround(m_view.GetMapping().ModelToScreenYF(p.dX)))};
    }
    CToolpathView m_view;
};

}  // namespace

TEST_F(ToolpathViewTest, PaintsProfileThenRapidsDashedFeedsSolidAndArcsAsArcs) {
    CRecordingSurface dc(600, 400);
    m_view.Paint(dc);
    const auto& log = dc.GetLog();
    const std::string rapid = "Pen " + FormatPen(CPen{kPenDash, 1, CToolpathPainter::kRapidColor});
    const std::string feed = "Pen " + FormatPen(CPen{kPenSolid, 1, CToolpathPainter::kFeedColor});
    const auto firstRapid = std::find(log.begin(), log.end(), rapid);
    ASSERT_NE(firstRapid, log.end());
    // The profile came first: its outline was drawn before any move.
    EXPECT_TRUE(
        std::any_of(log.begin(), firstRapid, [](const std::string& l) { return l.rfind("Arc ", 0) == 0; }));
    EXPECT_NE(std::find(firstRapid, log.end(), feed), log.end());
    std::vector<std::string> arcs;
    std::copy_if(firstRapid, log.end(), std::back_inserter(arcs),
                 [](const std::string& l) { return l.rfind("Arc ", 0) == 0; });
    ASSERT_EQ(arcs.size(), 2u);
    // The clockwise G2 is drawn from its end, counter-clockwise as the surface turns; the G3 from
    // its start.
    const CToolpath& path = m_view.GetPath();
    const CPoint z30 = Pixel(path.moves[2].segment.ptEnd);
    const std::string at30 = std::to_string(z30.x) + "," + std::to_string(z30.y);
    EXPECT_NE(arcs[0].find("from " + at30), std::string::npos) << arcs[0] << " " << at30;
    EXPECT_NE(arcs[1].find("from " + at30), std::string::npos) << arcs[1];
    // The start ring around where the tool stood first.
    EXPECT_EQ(
        std::count_if(firstRapid, log.end(), [](const std::string& l) { return l.rfind("Ellipse", 0) == 0; }),
        1);
}

TEST_F(ToolpathViewTest, FitShowsEverythingAndZoomKeepsThePointUnderTheCursor) {
    for (const CToolMove& m : m_view.GetPath().moves) {
        const CPoint p = Pixel(m.segment.ptEnd);
        EXPECT_GE(p.x, CToolpathView::kFitMargin - 1);
        EXPECT_LE(p.x, 600 - CToolpathView::kFitMargin + 1);
        EXPECT_GE(p.y, CToolpathView::kFitMargin - 1);
        EXPECT_LE(p.y, 400 - CToolpathView::kFitMargin + 1);
    }
    const CViewServices& map = m_view.GetMapping();
    const double z = (250 - map.GetOrigin().x) * 1e8 / (map.GetZoom() * map.GetScale());
    m_view.ZoomAt(250, 120, 3);
    EXPECT_EQ(m_view.GetMapping().GetZoom(), 195);
    EXPECT_NEAR(m_view.GetMapping().ModelToScreenXF(z), 250, 1.0);
    m_view.ZoomAt(250, 120, -100);
    EXPECT_EQ(m_view.GetMapping().GetZoom(), 5);
    const CPoint before = m_view.GetMapping().GetOrigin();
    m_view.Pan(7, -3);
    EXPECT_EQ(m_view.GetMapping().GetOrigin(), CPoint(before.x + 7, before.y - 3));
}

TEST_F(ToolpathViewTest, ClickingAMovePicksItAndALineSelectsItsMoves) {
    const CToolpath& path = m_view.GetPath();
    for (size_t i = 0; i < path.moves.size(); ++i) {
        const CPoint mid = Pixel(path.moves[i].segment.PointAt(0.5));
        EXPECT_EQ(m_view.HitTest(mid.x, mid.y), static_cast<int>(i));
    }
    EXPECT_EQ(m_view.HitTest(599, 1), -1);
    EXPECT_EQ(m_view.SelectLine(3), 1u);
    EXPECT_EQ(m_view.GetSelected(), std::vector<size_t>{2});
    CRecordingSurface dc(600, 400);
    m_view.Paint(dc);
    EXPECT_FALSE(dc.Find("Pen " + FormatPen(CPen{kPenSolid, 3, CToolpathPainter::kSelectedColor})).empty());
    EXPECT_EQ(m_view.SelectLine(99), 0u);
}

TEST_F(ToolpathViewTest, NewProfilesKeepTheZoomThePanAndTheSelection) {
    m_view.ZoomAt(250, 120, 3);
    m_view.Pan(7, -3);
    m_view.SelectLine(3);
    const CPoint origin = m_view.GetMapping().GetOrigin();
    CRecordingSurface before(600, 400);
    m_view.Paint(before);
    m_view.SetProfiles({}, "measured again");
    EXPECT_EQ(m_view.GetMapping().GetZoom(), 195);
    EXPECT_EQ(m_view.GetMapping().GetOrigin(), origin);
    EXPECT_EQ(m_view.GetSelected(), std::vector<size_t>{2});
    EXPECT_EQ(m_view.GetSummary(), "measured again");
    // The kept picture is drawn anew: the profile is gone from it.
    CRecordingSurface after(600, 400);
    m_view.Paint(after);
    EXPECT_LT(after.GetLog().size(), before.GetLog().size());
}

TEST_F(ToolpathViewTest, TheBoundToolsOutlineStandsAtTheSelectedMove) {
    const std::vector<CPathPoint> insert{{0, 0}, {40000, 10000}, {10000, 40000}};
    m_view.SetToolOutlines({{1, insert}});
    std::vector<std::unique_ptr<CLayer>> layers;
    m_view.SetContent(std::move(layers), CNcReader().Read("G0 X10 Z-5\nT0101\nG1 X10 Z10 F100\nT7\nG1 Z20\n"), "");
    const auto polygons = [this](int line) {
        m_view.SelectLine(line);
        CRecordingSurface dc(600, 400);
        m_view.Paint(dc);
        std::vector<std::string> found;
        std::copy_if(dc.GetLog().begin(), dc.GetLog().end(), std::back_inserter(found),
                     [](const std::string& l) { return l.rfind("Polygon", 0) == 0; });
        return found;
    };
    // Before any T word, and under a tool the library lacks, the tip is a point: nothing drawn.
    EXPECT_TRUE(polygons(1).empty());
    EXPECT_TRUE(polygons(5).empty());
    // T0101 names tool 1: its outline stands at the end of line 3's move.
    const auto drawn = polygons(3);
    ASSERT_EQ(drawn.size(), 1u);
    const CPoint end = Pixel({100000, 100000});
    EXPECT_NE(drawn[0].find(std::to_string(end.x) + "," + std::to_string(end.y)), std::string::npos) << drawn[0];
}
