// Scale, home origin, scroll limits, zoom commands, typed zoom and scrolling of the drawing view.
#include "ViewFixture.h"

namespace {
class ZoomScrollTest : public ViewFixture {};
}  // namespace

// 1200 x 600 pixels over 900 x 100 mm: scale 55, the material 495 pixels wide and centred.
TEST_F(ZoomScrollTest, FirstPaintFitsTheMaterialAndHomesTheOrigin) {
    OpenWindow();
    EXPECT_EQ(view->GetScale(), 55);
    EXPECT_EQ(view->GetZoom(), 100);
    EXPECT_EQ(view->GetHomeOrigin(), CPoint(352, 300));
    EXPECT_EQ(view->GetOrigin(), CPoint(352, 300));
    EXPECT_EQ(view->GetHMax(), 550);
    EXPECT_EQ(view->GetHMin(), -2100);
    EXPECT_EQ(view->GetVMax(), 1100);
    EXPECT_EQ(view->GetVMin(), -500);
    EXPECT_EQ(host.m_ranges[kScrollHorz], std::make_pair(-500, 500));
    EXPECT_EQ(host.m_ranges[kScrollVert], std::make_pair(-500, 500));
    EXPECT_EQ(host.m_pos[kScrollHorz], -425);
    EXPECT_EQ(host.m_pos[kScrollVert], 0);
    EXPECT_EQ(aidsBar.GetCurSel(IDC_SNAP_POINTS), 3);
}

TEST_F(ZoomScrollTest, FirstPaintDrawsNothingAndPostsTheInitialFit) {
    view->OnInitialUpdate();
    view->OnSize(kSizeRestored, 1200, 600);
    host.m_posted.clear();
    host.m_window.ClearLog();
    view->OnPaint(host.m_window);
    EXPECT_TRUE(host.m_window.GetLog().empty());
    EXPECT_EQ(host.m_posted, std::deque<int>{kNotifyFirstPaint});
}

TEST_F(ZoomScrollTest, TypedZoomReadsDigitsUpToThePoint) {
    OpenWindow();
    viewBar.SetText(IDC_ZOOM_BOX, "150.7");
    view->OnZoomBoxKillFocus();
    EXPECT_EQ(view->GetZoom(), 150);
    host.Pump(*view);
    EXPECT_EQ(viewBar.GetText(IDC_ZOOM_BOX), "150%");

    for (const char* text : {"abc", "0", "150%", ""}) {
        viewBar.SetText(IDC_ZOOM_BOX, text);
        view->OnZoomBoxKillFocus();
        EXPECT_EQ(view->GetZoom(), 150) << text;
    }
    viewBar.SetText(IDC_ZOOM_BOX, "50000");
    view->OnZoomBoxKillFocus();
    EXPECT_EQ(view->GetZoom(), 20000);
    viewBar.SetText(IDC_ZOOM_BOX, "99999999999999999999");
    view->OnZoomBoxKillFocus();
    EXPECT_EQ(view->GetZoom(), 20000);
}

TEST_F(ZoomScrollTest, TypedZoomKeepsTheCentrePoint) {
    OpenWindow();
    const CPoint before = view->ScreenToModel(CPoint(600, 300));
    viewBar.SetText(IDC_ZOOM_BOX, "400");
    view->OnZoomBoxKillFocus();
    const CPoint after = view->ScreenToModel(CPoint(600, 300));
    EXPECT_NEAR(after.x, before.x, 10000);
    EXPECT_NEAR(after.y, before.y, 10000);
}

TEST_F(ZoomScrollTest, ZoomOutAtTheMinimumChangesAndRepaintsNothing) {
    OpenWindow();
    view->SetZoom(5);
    const CPoint origin = view->GetOrigin();
    const int repaints = host.m_nInvalidates;
    view->OnCommand(ID_ZOOM_OUT);
    EXPECT_EQ(view->GetZoom(), 5);
    EXPECT_EQ(view->GetOrigin(), origin);
    EXPECT_EQ(host.m_nInvalidates, repaints);
}

TEST_F(ZoomScrollTest, SetZoomClampsAndAlwaysNotifies) {
    OpenWindow();
    host.m_posted.clear();
    EXPECT_FALSE(view->SetZoom(100));
    EXPECT_TRUE(view->SetZoom(1));
    EXPECT_EQ(view->GetZoom(), 5);
    EXPECT_TRUE(view->SetZoom(100000));
    EXPECT_EQ(view->GetZoom(), 20000);
    EXPECT_EQ(host.m_posted.size(), 3u);
}

TEST_F(ZoomScrollTest, LineStepAtTheLimitDoesNothing) {
    OpenWindow();
    view->OnHScroll(kScrollThumbPosition, 500);
    EXPECT_EQ(view->GetOrigin().x, view->GetHMin());
    const int repaints = host.m_nInvalidates;
    view->OnHScroll(kScrollLineRight, 0);
    EXPECT_EQ(view->GetOrigin().x, view->GetHMin());
    EXPECT_TRUE(host.m_scrolls.empty());
    EXPECT_EQ(host.m_nInvalidates, repaints);

    view->OnHScroll(kScrollThumbPosition, -500);
    EXPECT_EQ(view->GetOrigin().x, view->GetHMax());
    view->OnHScroll(kScrollPageLeft, 0);
    EXPECT_TRUE(host.m_scrolls.empty());
}

TEST_F(ZoomScrollTest, PageStepStopsExactlyAtTheLimit) {
    OpenWindow();
    view->SetOrigin(CPoint(view->GetHMin() + 100, 300));
    view->OnHScroll(kScrollPageRight, 0);
    EXPECT_EQ(view->GetOrigin().x, view->GetHMin());
    ASSERT_EQ(host.m_scrolls.size(), 1u);
    EXPECT_EQ(host.m_scrolls[0], std::make_pair(-100, 0));
    EXPECT_EQ(host.m_pos[kScrollHorz], 500);

    view->SetOrigin(CPoint(352, view->GetVMax() - 7));
    view->OnVScroll(kScrollLineLeft, 0);  // line up: +600 / 80 = 7
    EXPECT_EQ(view->GetOrigin().y, view->GetVMax());
    EXPECT_EQ(host.m_scrolls.back(), std::make_pair(0, 7));
    EXPECT_EQ(host.m_pos[kScrollVert], -500);
}

TEST_F(ZoomScrollTest, ThumbTrackingIsIgnored) {
    OpenWindow();
    const CPoint origin = view->GetOrigin();
    view->OnHScroll(kScrollThumbTrack, 200);
    view->OnVScroll(kScrollEnd, 0);
    EXPECT_EQ(view->GetOrigin(), origin);
}

TEST_F(ZoomScrollTest, PresetsZoomAroundTheCentre) {
    OpenWindow();
    view->OnZoomBoxSelect(1);
    EXPECT_EQ(view->GetZoom(), 200);
    view->OnZoomBoxSelect(6);
    // (1200 * 1000000) / 55 * 100 / 9000000 = 242
    EXPECT_EQ(view->GetZoom(), 242);
    // To fit: the smaller of to width (242) and to height (495).
    view->OnZoomBoxSelect(8);
    EXPECT_EQ(view->GetZoom(), 242);
    view->OnCommand(ID_ZOOM_100);
    EXPECT_EQ(view->GetZoom(), 100);
    EXPECT_EQ(view->GetOrigin(), view->GetHomeOrigin());
}

TEST_F(ZoomScrollTest, FitHeightUsesTheHighestPointOfTheActiveLayer) {
    OpenWindow();
    // Borders rise 10 mm above the 100 mm top: E = 1 100 000, and
    // 600 000 000 / 55 = 10 909 090; x 100 / 1 100 000 = 991; / 2 = 495.
    EXPECT_EQ(view->FitHeightZoom(), 495);
    view->OnCommand(ID_ZOOM_FIT);
    EXPECT_EQ(view->GetZoom(), 242);  // the width bounds it
    EXPECT_EQ(view->GetOrigin(), view->GetHomeOrigin());
    // 200 pixels high (the scale stays 55): 200 000 000 / 55 = 3 636 363; x 100 / 1 100 000 = 330;
    // / 2 = 165, now below the width's 242.
    view->OnSize(kSizeRestored, 1200, 200);
    ASSERT_EQ(view->GetScale(), 55);
    view->OnCommand(ID_ZOOM_FIT);
    EXPECT_EQ(view->GetZoom(), 165);
}

TEST_F(ZoomScrollTest, ZoomInModeZoomsAtTheClickAndReturns) {
    OpenWindow();
    Command(ID_TOOL_RANGE);
    view->OnKeyDown(kKeyF2);
    view->OnKeyDown(kKeyF2);
    EXPECT_EQ(MouseMode(), kModeZoomIn);
    EXPECT_EQ(host.m_nCursor, kCursorZoom);
    EXPECT_TRUE(view->OnSetCursor());
    const CPoint p = view->ScreenToModel(CPoint(700, 250));
    view->OnLButtonDown(kMouseLeft, CPoint(700, 250));
    EXPECT_EQ(view->GetZoom(), 150);
    EXPECT_EQ(host.m_nCursor, kCursorRange);
    view->OnLButtonUp(0, CPoint(700, 250));
    EXPECT_EQ(MouseMode(), kModeRange);
    EXPECT_FALSE(view->OnSetCursor());
    const CPoint centre = view->ScreenToModel(CPoint(600, 300));
    EXPECT_NEAR(centre.x, p.x, 20000);
    EXPECT_NEAR(centre.y, p.y, 20000);

    EXPECT_FALSE(view->OnKeyDown(kKeyF3));
    EXPECT_EQ(view->GetZoom(), 75);
}

TEST_F(ZoomScrollTest, ZoomToObjectFramesTheActiveElement) {
    OpenWindow();
    view->OnCommand(ID_ZOOM_OBJECT);
    EXPECT_EQ(view->GetZoom(), 100);
    LeftClick(600, 245);  // the flat line over the whole length
    ASSERT_NE(view->GetActiveElement(), nullptr);
    view->OnCommand(ID_ZOOM_OBJECT);
    // zoomH = 1200 * 1000000 / 55 * 80 / 9000000 = 193; a flat line gives zoomV 30000.
    EXPECT_EQ(view->GetZoom(), 193);
}

TEST_F(ZoomScrollTest, RestoredSizeRescalesAndKeepsTheCentre) {
    OpenWindow();
    const CPoint centre = view->ScreenToModel(CPoint(600, 300));
    view->OnSize(kSizeRestored, 600, 300);
    EXPECT_EQ(view->GetClientRect(), CRect(0, 0, 600, 300));
    EXPECT_EQ(view->GetScale(), 27);
    const CPoint after = view->ScreenToModel(CPoint(300, 150));
    EXPECT_NEAR(after.x, centre.x, 40000);
    EXPECT_EQ(view->GetCleanPicture()->GetWidth(), 600);

    view->OnSize(kSizeMinimized, 0, 0);
    EXPECT_EQ(view->GetScale(), 27);
    EXPECT_EQ(view->GetClientRect(), CRect(0, 0, 0, 0));
}

TEST_F(ZoomScrollTest, CursorStepSnapsHalfUp) {
    view->Aids().m_nStepHorz = 3;  // "0.5 mm"
    EXPECT_EQ(view->SnapZ(12499), 10000);
    EXPECT_EQ(view->SnapZ(12500), 15000);
    EXPECT_EQ(view->SnapX(12499), 12499);  // vertical step "None"
    view->Aids().m_nStepVert = 99;         // a damaged index reads as "None"
    EXPECT_EQ(view->SnapX(7), 7);
    EXPECT_EQ(view->SnapZ(2147483647), 2000000000);
}

TEST_F(ZoomScrollTest, CursorReadOutInPanesOneAndTwo) {
    OpenWindow();
    UseMillimetrePixels();
    view->OnMouseMove(0, CPoint(Px(254), Py(127)));
    EXPECT_EQ(host.m_status[kPaneCursorZ], "254");
    EXPECT_EQ(host.m_status[kPaneCursorX], "127");
    view->SetUnits(2);
    view->SetFormatDigit(3);
    view->ShowCursorPosition();
    EXPECT_EQ(host.m_status[kPaneCursorZ], "10.000");
    EXPECT_EQ(host.m_status[kPaneCursorX], "5.000");
}

TEST_F(ZoomScrollTest, Zoom100RepaintsWhenOnlyTheZoomChanged) {
    doc->SetSourceMaterial(kShapePrism, 0, 2000000);  // the home origin no longer depends on the zoom
    OpenWindow();
    view->SetZoom(200);
    view->MoveToHome();
    const int repaints = host.m_nInvalidates;
    view->OnCommand(ID_ZOOM_100);
    EXPECT_EQ(view->GetZoom(), 100);
    EXPECT_EQ(view->GetOrigin(), view->GetHomeOrigin());
    EXPECT_GT(host.m_nInvalidates, repaints);
}

TEST_F(ZoomScrollTest, MaterialWithoutExtentKeepsADefaultScale) {
    doc->SetSourceMaterial(kShapePrism, 0, 0);
    OpenWindow();
    EXPECT_EQ(view->GetScale(), 50);
    EXPECT_EQ(view->FitWidthZoom(), 20000);
    // To fit: the width sets no bound (20000); the profile's borders still rise to 110 mm, so to
    // height = (600 000 000 / 50 x 100 / 1 100 000) / 2 = 1090 / 2 = 545.
    view->OnZoomBoxSelect(8);
    EXPECT_EQ(view->GetZoom(), 545);
}
