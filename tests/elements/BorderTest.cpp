// The border: free-end setters, labels, post-processor values, object bar, painting and record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/Border.h"
#include "elements/LayerStyle.h"
#include "elements/ViewServices.h"
#include "platform/ControlIds.h"
#include "platform/MemoryControlBar.h"
#include "platform/RecordingSurface.h"

namespace {
CBorder LeftBorder() { return CBorder(CPoint(-500000, 1100000), CPoint(0, 1000000), 1); }
CBorder RightBorder() { return CBorder(CPoint(9000000, 1000000), CPoint(9500000, 1100000), 0); }
}  // namespace

TEST(BorderSetters, LeftBorderFreeStartStopsOneUnitBeforeTheJoint) {
    CBorder left = LeftBorder();
    left.SetStart(9999999, 5);
    EXPECT_EQ(left.GetStart(), CPoint(-1, 5));
    left.SetStart(-700000, -20);
    EXPECT_EQ(left.GetStart(), CPoint(-700000, 0));
    // The joint keeps its Z and follows the profile's radius only.
    left.SetEnd(123456, 800000);
    EXPECT_EQ(left.GetEnd(), CPoint(0, 800000));
    EXPECT_EQ(left.GetBounds(), CRect(-700000, 800000, 0, -800000));
}

TEST(BorderSetters, RightBorderStartNeverMovesAxially) {
    CBorder right = RightBorder();
    for (int32_t x : {-5, 0, 9000000, 9999999, 2000000000}) {
        right.SetStart(x, 700000);
        EXPECT_EQ(right.GetStart().x, 9000000);
    }
    right.SetEnd(100, 3);
    EXPECT_EQ(right.GetEnd(), CPoint(9000001, 3));
}

TEST(BorderSetters, LocksKeepTheirCoordinate) {
    CBorder right = RightBorder();
    right.SetLock(kLockEndX, 1);
    right.SetStart(0, 5);
    EXPECT_EQ(right.GetStart().y, 5);  // lock 3 does not touch the start
    right.SetLock(kLockStartX, 1);
    right.SetStart(0, 77);
    EXPECT_EQ(right.GetStart().y, 5);
    right.SetEnd(9600000, 9);
    EXPECT_EQ(right.GetEnd(), CPoint(9600000, 1100000));
    // The base lock query stays inert for a border.
    EXPECT_EQ(right.GetLock(kLockStartX), 0);
}

TEST(BorderIdentity, SideSetsNumberKindAndLabel) {
    EXPECT_EQ(LeftBorder().GetNumber(), 0);
    EXPECT_EQ(RightBorder().GetNumber(), -1);
    EXPECT_EQ(LeftBorder().GetKind(), kKindBorder);
    EXPECT_EQ(LeftBorder().GetObjectName(), "line");
    EXPECT_EQ(LeftBorder().GetInterpolationName(), "");
    EXPECT_EQ(LeftBorder().GetLabel(), "LeftBorder  (-5, 1)");
    EXPECT_EQ(RightBorder().GetLabel(), "RightBorder  (90, 96)");
}

TEST(BorderValues, AsTheLine) {
    CBorder right = RightBorder();
    EXPECT_DOUBLE_EQ(right.GetValue("EndX", 0, 0, 1), 110.0);
    EXPECT_DOUBLE_EQ(right.GetValue("EndZ", 1, 0, 0), -50.0);
    EXPECT_EQ(right.GetValue("Feed", 0, 0, 1), kNoValue);
    right.SetSpeed(1200);
    EXPECT_DOUBLE_EQ(right.GetValue("Speed", 0, 0, 1), 1200.0);
    EXPECT_EQ(right.GetYAt(9250000), 1050000);
    EXPECT_EQ(right.GetYAt(9500001), -1);
    EXPECT_DOUBLE_EQ(right.GetSlopeAt(9100000), 0.2);
    EXPECT_EQ(right.GetMinY(), 1000000);
    EXPECT_EQ(right.GetMaxY(), 1100000);
}

TEST(BorderCopies, CloneAndPartKeepSideAndAttributes) {
    CBorder left = LeftBorder();
    left.SetFeed(300);
    left.SetLeave(-2);
    left.SetLock(kLockStartZ, 1);
    auto clone = left.CloneBorder();
    EXPECT_EQ(clone->GetStart(), left.GetStart());
    EXPECT_EQ(clone->IsLeft(), 1);
    EXPECT_EQ(clone->GetNumber(), 0);
    EXPECT_EQ(clone->GetFeed(), 300);
    EXPECT_EQ(clone->GetLeave(), -2);
    EXPECT_EQ(clone->m_bLockStartX, 1);
    auto part = left.CreatePart(-400000, -100000);
    EXPECT_EQ(part->GetKind(), kKindBorder);
    EXPECT_EQ(part->GetStart(), CPoint(-400000, left.GetYAt(-400000)));
    EXPECT_EQ(part->GetEnd(), CPoint(-100000, left.GetYAt(-100000)));
    EXPECT_EQ(part->GetFeed(), 300);
}

TEST(BorderBar, FillShowsLinearTypeAndBorderAttributeRules) {
    CViewServices view;
    CMemoryControlBar bar;
    view.SetObjectBar(&bar);
    for (int id : {IDC_VELOCITY, IDC_FEED}) {
        bar.AddString(id, "Default");
        bar.AddString(id, "Set");
    }
    for (const char* e : {"Undefined", "Linear", "Arc"}) {
        bar.AddString(IDC_TYPE, e);
    }
    for (const char* e : {"None", "Current", "Custom"}) {
        bar.AddString(IDC_LEAVE, e);
    }
    CBorder left = LeftBorder();
    left.SetSpeed(-2);
    left.SetFeed(250);
    left.SetLeave(-2);
    left.SetLock(kLockEndX, 1);
    left.FillPropertyBar(&view);
    EXPECT_EQ(bar.GetCurSel(IDC_TYPE), 1);
    EXPECT_EQ(bar.GetText(IDC_START_Z), "-50");
    EXPECT_EQ(bar.GetText(IDC_END_X), "100");
    EXPECT_EQ(bar.GetCurSel(IDC_VELOCITY), 1);
    EXPECT_EQ(bar.GetEntry(IDC_FEED, bar.GetCurSel(IDC_FEED)), "250");
    EXPECT_EQ(bar.GetCurSel(IDC_LEAVE), 0);
    EXPECT_EQ(bar.GetCheck(IDC_LOCK_END_X), 1);
    EXPECT_EQ(bar.GetCheck(IDC_LOCK_START_Z), 0);
    // Refilling does not pile typed values up.
    left.FillPropertyBar(&view);
    EXPECT_EQ(bar.GetCount(IDC_FEED), 3);
}

TEST(BorderHandles, SetHandleMovesTheFreeEndAndShowsIt) {
    CViewServices view;
    CMemoryControlBar bar;
    view.SetObjectBar(&bar);
    CBorder right = RightBorder();
    right.SetHandle(right.EndHandle(), 9800000, 1200000, &view);
    EXPECT_EQ(right.GetEnd(), CPoint(9800000, 1200000));
    EXPECT_EQ(bar.GetText(IDC_END_Z), "980");
    EXPECT_EQ(bar.GetText(IDC_END_X), "120");
    right.SetHandle(right.StartHandle(), 0, 900000, &view);
    EXPECT_EQ(right.GetStart(), CPoint(9000000, 900000));
}

TEST(BorderHandles, HitTestIsStrictlyWithinTolerance) {
    CViewServices view;
    view.SetOrigin(CPoint(100, 300));
    CBorder left = LeftBorder();
    const CPoint start = view.ModelToScreen(left.GetStart());
    EXPECT_EQ(left.HitTestHandle(start.x + 3, start.y + 4, &view, 6), left.StartHandle());
    EXPECT_EQ(left.HitTestHandle(start.x + 3, start.y + 4, &view, 5), nullptr);
    const CPoint end = view.ModelToScreen(left.GetEnd());
    EXPECT_EQ(left.HitTestHandle(end.x, end.y, &view, 2), left.EndHandle());
}

TEST(BorderDraw, OutlineOpenAtTheFreeEndAndOutlineRestarts) {
    CViewServices view;
    view.SetOrigin(CPoint(100, 300));
    CRecordingSurface dc;
    CLayerStyle style;
    CBorder left = LeftBorder();
    // Pixels: start (75, 245), end (100, 250); mirrored (75, 354), (100, 349).
    EXPECT_EQ(left.Draw(dc, &view, style, CPixelRows{7, 8}), CPixelRows{});
    const std::vector<std::string> expected = {
        "MoveTo 75,354", "LineTo 100,349", "LineTo 100,250", "LineTo 75,245",
        "Brush solid hatch=0 color=FFFFFF", "Ellipse 72,242,78,248", "Brush solid hatch=0 color=FFFFFF"};
    EXPECT_EQ(dc.GetLog(), expected);

    dc.ClearLog();
    dc.SetBrush(CBrush::MakeHatch(2, kColorRed));
    dc.ClearLog();
    CBorder right = RightBorder();
    EXPECT_EQ(right.Draw(dc, &view, style, CPixelRows{1, 2}), CPixelRows{});
    EXPECT_EQ(dc.GetLog().at(0), "MoveTo 575,245");  // upper edge from the free end
    EXPECT_EQ(dc.GetLog().at(2), "LineTo 550,349");  // across the joint
    EXPECT_EQ(dc.GetLog().at(3), "LineTo 575,354");
    EXPECT_EQ(dc.GetLog().at(5), "Ellipse 572,242,578,248");
    EXPECT_EQ(dc.GetBrush(), CBrush::MakeHatch(2, kColorRed));
}

TEST(BorderArchive, RecordLayoutAndRoundTrip) {
    CBorder left = LeftBorder();
    left.SetLock(kLockStartZ, 1);
    left.SetFeed(12);
    CArchive out;
    left.Serialize(out);
    CArchive in(out.GetBytes());
    EXPECT_EQ(in.ReadString(), "BORDER");
    EXPECT_EQ(in.ReadString(), "Zacatek Borderu");
    EXPECT_EQ(in.ReadInt(), 1);  // the side comes before the locks
    EXPECT_EQ(in.ReadInt(), 0);  // end Z lock
    EXPECT_EQ(in.ReadInt(), 0);
    EXPECT_EQ(in.ReadInt(), 1);  // start Z lock
    EXPECT_EQ(in.ReadInt(), 0);
    EXPECT_EQ(in.ReadInt(), kLeaveNone);
    EXPECT_EQ(in.ReadInt(), 12);
    EXPECT_EQ(in.ReadInt(), -1);
    EXPECT_EQ(in.ReadInt(), 0);
    EXPECT_EQ(in.ReadPoint(), left.GetStart());
    EXPECT_EQ(in.ReadPoint(), left.GetEnd());
    EXPECT_EQ(in.ReadString(), "Konec Borderu");
    EXPECT_TRUE(in.AtEnd());

    CArchive again(out.GetBytes());
    again.ReadString();
    CBorder read;
    read.Serialize(again);
    EXPECT_FALSE(again.Failed());
    EXPECT_EQ(read.IsLeft(), 1);
    EXPECT_EQ(read.m_bLockStartX, 1);
    EXPECT_EQ(read.GetFeed(), 12);
    EXPECT_EQ(read.GetEnd(), left.GetEnd());
    EXPECT_EQ(read.GetBounds(), left.GetBounds());
}
