// The paint sequence of the drawing view: window colour, layers, axes, guide lines, copy, overlay.
#include <algorithm>

#include "ViewFixture.h"

namespace {
class ViewPaintTest : public ViewFixture {
protected:
    CRecordingSurface& Picture() { return *dynamic_cast<CRecordingSurface*>(view->GetCleanPicture()); }
    static size_t IndexOf(const std::vector<std::string>& log, const std::string& line) {
        return static_cast<size_t>(std::find(log.begin(), log.end(), line) - log.begin());
    }
};
}  // namespace

TEST_F(ViewPaintTest, ComposesInOrderAndCopiesOnce) {
    OpenWindow();
    host.m_window.ClearLog();
    Picture().ClearLog();
    view->OnPaint(host.m_window);

    const auto& log = Picture().GetLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "FillSolidRect 0,0,1200,600 color=FFFFFF");
    const size_t axe = IndexOf(log, "Text 1140,301 align=0 color=0000FF 'lathe axis'");
    const size_t center = IndexOf(log, "Text 600,0 align=0 color=0000FF 'center'");
    const size_t diag = IndexOf(log, "Text 1170,246 align=0 color=FF0000 'diag'");
    const size_t rad = IndexOf(log, "Text 1170,263 align=0 color=FF0000 'rad'");
    EXPECT_LT(axe, center);
    EXPECT_LT(center, diag);
    EXPECT_LT(diag, rad);
    EXPECT_LT(rad, log.size());
    // The layers are painted before the axes: the hatch brush of layer 1 comes first.
    const size_t layerBrush = IndexOf(log, "Brush hatch hatch=2 color=0000FF");
    EXPECT_LT(layerBrush, axe);

    EXPECT_EQ(host.m_window.GetLog(), std::vector<std::string>{"BitBlt 0,0 1200x600 from picture 0,0"});
}

TEST_F(ViewPaintTest, AxesAndGuideLinesFollowTheirFlags) {
    OpenWindow();
    view->Aids().m_bDrawAxes = 0;
    view->Aids().m_bDrawDims = 0;
    Picture().ClearLog();
    view->OnPaint(host.m_window);
    const auto& log = Picture().GetLog();
    // The rest of the picture is still painted: the window colour and the layer's hatch.
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "FillSolidRect 0,0,1200,600 color=FFFFFF");
    EXPECT_LT(IndexOf(log, "Brush hatch hatch=2 color=0000FF"), log.size());
    for (const std::string& l : log) {
        EXPECT_EQ(l.find("'lathe axis'"), std::string::npos);
        EXPECT_EQ(l.find("'diag'"), std::string::npos);
        EXPECT_EQ(l.find("'rad'"), std::string::npos);
    }
}

TEST_F(ViewPaintTest, CylinderHasNoRadLineAndOffscreenAxisIsSkipped) {
    doc->SetSourceMaterial(kShapeCylinder, 9000000, 2000000);
    OpenWindow();
    view->SetOrigin(CPoint(352, -50));  // the turning axis above the window
    Picture().ClearLog();
    view->OnPaint(host.m_window);
    bool sawDiag = false;
    for (const std::string& l : Picture().GetLog()) {
        EXPECT_EQ(l.find("'rad'"), std::string::npos);
        EXPECT_EQ(l.find("'lathe axis'"), std::string::npos);
        sawDiag = sawDiag || l.find("'diag'") != std::string::npos;
    }
    EXPECT_TRUE(sawDiag);
}

TEST_F(ViewPaintTest, ActiveElementOverlayIsPaintedAfterTheCopy) {
    OpenWindow();
    view->OnCommand(ID_TOOL_RANGE);
    ASSERT_NE(view->GetRange(), nullptr);
    host.m_window.ClearLog();
    view->OnPaint(host.m_window);
    const auto& log = host.m_window.GetLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "BitBlt 0,0 1200x600 from picture 0,0");
    EXPECT_EQ(log[1], "BitBlt 0,0 1200x600 from picture 0,0");  // the composed overlay
}
