// The inert base element and the shared clearing of the object bar.
#include <gtest/gtest.h>

#include "elements/LayerStyle.h"
#include "elements/Piece.h"
#include "elements/ViewServices.h"
#include "platform/ControlIds.h"
#include "platform/MemoryControlBar.h"
#include "platform/RecordingSurface.h"

TEST(Piece, BaseAnswersAreHarmless) {
    CPiece p;
    EXPECT_EQ(p.GetValue("EndZ", 0, 0, 1), kNoValue);
    EXPECT_EQ(p.GetValue("Anything", 1, 1, 0), kNoValue);
    EXPECT_EQ(p.GetValueAtX("EndX", 10, 1, 1, 5), kNoValue);
    EXPECT_EQ(p.GetYAt(12345), 0);
    EXPECT_EQ(p.GetHandle(p.StartHandle()), CPoint());
    EXPECT_EQ(p.IsEdited(2), 1);
    EXPECT_EQ(p.Clone(), nullptr);
    EXPECT_EQ(p.GetPart(1), nullptr);
    EXPECT_EQ(p.GetLeave(), kLeaveNone);
    EXPECT_EQ(p.GetFeed(), -1);
    EXPECT_EQ(p.GetSpeed(), -1);
    CViewServices view;
    CRecordingSurface dc;
    CLayerStyle style;
    EXPECT_EQ(p.Draw(dc, &view, style, CPixelRows{7, 3}), (CPixelRows{7, 3}));
    EXPECT_EQ(p.DrawMoveFeedback(dc, &view, 0, 0, 10, 10, 1, 1), 1);
    EXPECT_TRUE(dc.GetLog().empty());
}

TEST(Piece, NumberContainsAndAxialLocks) {
    CPiece p;
    EXPECT_EQ(p.SetNumber(4), 1);
    EXPECT_EQ(p.GetNumber(), 4);
    p.m_ptStart = CPoint(100, 0);
    p.m_ptEnd = CPoint(200, 0);
    EXPECT_TRUE(p.ContainsX(100));
    EXPECT_TRUE(p.ContainsX(200));
    EXPECT_FALSE(p.ContainsX(201));
    p.LockX();
    EXPECT_EQ(p.m_bLockStartX + p.m_bLockEndX, 2);
    EXPECT_EQ(p.m_bLockStartY + p.m_bLockEndY, 0);
    p.UnlockX();
    EXPECT_EQ(p.m_bLockStartX + p.m_bLockEndX, 0);
}

TEST(Piece, ClearPropertyBarEmptiesPointsListsAndLocks) {
    CMemoryControlBar bar;
    CViewServices view;
    view.SetObjectBar(&bar);
    for (int id : {IDC_START_Z, IDC_START_X, IDC_END_Z, IDC_END_X, IDC_STEER_I, IDC_STEER_J, IDC_RADIUS}) {
        bar.SetText(id, "5");
    }
    for (int id : {IDC_TYPE, IDC_FEED, IDC_VELOCITY, IDC_LEAVE}) {
        bar.AddString(id, "first");
        bar.AddString(id, "second");
        bar.SetCurSel(id, 1);
    }
    for (int id : kLockBoxIds) {
        bar.SetCheck(id, 1);
    }
    CPiece::ClearPropertyBar(&view);
    EXPECT_EQ(bar.GetText(IDC_START_Z), "");
    EXPECT_EQ(bar.GetText(IDC_STEER_J), "");
    EXPECT_EQ(bar.GetText(IDC_RADIUS), "");
    EXPECT_FALSE(bar.IsEnabled(IDC_RADIUS)) << "without an element no field applies";
    EXPECT_EQ(bar.GetCurSel(IDC_LEAVE), -1);
    EXPECT_FALSE(bar.IsEnabled(IDC_FEED));
    EXPECT_EQ(bar.GetCurSel(IDC_TYPE), 0);
    for (int id : kLockBoxIds) {
        EXPECT_EQ(bar.GetCheck(id), 0);
    }
    CPiece::ClearPropertyBar(nullptr);
}
