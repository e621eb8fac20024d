// The line in the object bar: filling it, dragging handles and reading typed values back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/Linear.h"
#include "elements/ObjectBarFiller.h"
#include "elements/ViewServices.h"
#include "platform/ControlIds.h"
#include "platform/MemoryControlBar.h"

namespace {
using Entries = std::vector<std::string>;

struct LinearBar : ::testing::Test {
    void SetUp() override {
        view.SetObjectBar(&bar);
        view.SetFormatDigit(1);
        view.SetDrawingLength(900000);
        for (const char* t : {"Undefined", "Linear", "Arc", "Selection", "DoubleArc"}) {
            bar.AddString(IDC_TYPE, t);
        }
        for (int id : {IDC_VELOCITY, IDC_FEED}) {
            bar.AddString(id, "Default");
            bar.AddString(id, "Set");
            bar.SetCurSel(id, bar.AddString(id, "77"));  // left over from the last element
        }
        for (const char* t : {"None", "Current", "Custom", "4.0"}) {
            bar.AddString(IDC_LEAVE, t);
        }
        bar.SetCurSel(IDC_LEAVE, 3);
        for (int id : kLockBoxIds) {
            bar.SetCheck(id, 1);
        }
    }
    CMemoryControlBar bar;
    CViewServices view;
    CLinear line{20000, 10000, 50000, 15000};
};
}  // namespace

TEST_F(LinearBar, FillShowsPointsTypeLocksAndAttributes) {
    line.SetLock(kLockStartZ, 1);
    line.SetLock(kLockEndX, 1);
    line.SetSpeed(1200);
    line.SetLeave(kLeaveCurrent);
    line.FillPropertyBar(&view);
    EXPECT_EQ(bar.GetText(IDC_START_Z), "2.0");
    EXPECT_EQ(bar.GetText(IDC_START_X), "1.0");
    EXPECT_EQ(bar.GetText(IDC_END_Z), "5.0");
    EXPECT_EQ(bar.GetText(IDC_END_X), "1.5");
    EXPECT_EQ(bar.GetCurSel(IDC_TYPE), 1);
    const int expectedLocks[7] = {1, 0, 0, 1, 0, 0, 0};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(bar.GetCheck(kLockBoxIds[i]), expectedLocks[i]) << i;
    }
    EXPECT_EQ(bar.GetEntries(IDC_VELOCITY), (Entries{"Default", "Set", "1200"}));
    EXPECT_EQ(bar.GetCurSel(IDC_VELOCITY), 2);
    EXPECT_EQ(bar.GetText(IDC_VELOCITY), "1200");
    EXPECT_EQ(bar.GetEntries(IDC_FEED), (Entries{"Default", "Set"}));
    EXPECT_EQ(bar.GetCurSel(IDC_FEED), 0);
    EXPECT_EQ(bar.GetEntries(IDC_LEAVE), (Entries{"None", "Current", "Custom"}));
    EXPECT_EQ(bar.GetCurSel(IDC_LEAVE), 1);
}

TEST_F(LinearBar, CustomLeaveIsShownAsLengthAndRefillsDoNotPileUp) {
    line.SetLeave(25000);
    line.SetFeed(-2);  // not a marker for the line: shown as it is
    line.FillPropertyBar(&view);
    line.FillPropertyBar(&view);
    EXPECT_EQ(bar.GetEntries(IDC_LEAVE), (Entries{"None", "Current", "Custom", "2.5"}));
    EXPECT_EQ(bar.GetCurSel(IDC_LEAVE), 3);
    EXPECT_EQ(bar.GetEntries(IDC_FEED), (Entries{"Default", "Set", "-2"}));
}

TEST_F(LinearBar, BorderVariantTreatsMinusTwoAsMarkers) {
    line.SetSpeed(-2);
    line.SetFeed(300);
    line.SetLeave(kLeaveCurrent);
    CObjectBarFiller::FillBorderAttributes(&view, line);
    EXPECT_EQ(bar.GetEntries(IDC_VELOCITY), (Entries{"Default", "Set"}));
    EXPECT_EQ(bar.GetCurSel(IDC_VELOCITY), 1);
    EXPECT_EQ(bar.GetEntries(IDC_FEED), (Entries{"Default", "Set", "300"}));
    EXPECT_EQ(bar.GetCurSel(IDC_LEAVE), 0);
}

TEST_F(LinearBar, FillWithoutBarOrViewDoesNothing) {
    line.FillPropertyBar(nullptr);
    view.SetObjectBar(nullptr);
    line.FillPropertyBar(&view);
    EXPECT_EQ(bar.GetCurSel(IDC_TYPE), -1);
}

TEST_F(LinearBar, DraggingTheStartClampsToZeroAndRewritesItsFields) {
    line.SetHandle(line.StartHandle(), -5000, 30000, &view);
    EXPECT_EQ(line.GetStart(), CPoint(0, 30000));
    EXPECT_EQ(line.IsEdited(0) + line.IsEdited(1), 2);
    EXPECT_EQ(line.IsEdited(2) + line.IsEdited(3), 0);
    EXPECT_EQ(bar.GetText(IDC_START_Z), "0.0");
    EXPECT_EQ(bar.GetText(IDC_START_X), "3.0");
    EXPECT_EQ(bar.GetText(IDC_END_Z), "");
}

TEST_F(LinearBar, DraggingTheEndStopsAtTheDrawingLength) {
    line.SetLock(kLockEndX, 1);
    line.SetHandle(line.EndHandle(), 2000000, 90000, &view);
    EXPECT_EQ(line.GetEnd(), CPoint(900000, 15000));
    EXPECT_EQ(line.IsEdited(2) + line.IsEdited(3), 2);
    EXPECT_EQ(bar.GetText(IDC_END_Z), "90.0");
    EXPECT_EQ(bar.GetText(IDC_END_X), "1.5");
    CPoint other;
    line.SetHandle(&other, 1, 1, &view);
    EXPECT_EQ(line.GetEnd(), CPoint(900000, 15000));
}

TEST_F(LinearBar, ReadValuesTakesOnlyTypedFieldsAndSkipsText) {
    bar.SetText(IDC_START_Z, "1");
    bar.SetText(IDC_START_X, "abc");
    bar.SetText(IDC_END_Z, "8");
    bar.SetText(IDC_END_X, "0.5");
    line.SetEdited(0, 1);
    line.SetEdited(1, 1);
    line.SetEdited(3, 1);
    line.ReadPropertyBar(&view);
    EXPECT_EQ(line.GetStart(), CPoint(10000, 10000));
    EXPECT_EQ(line.GetEnd(), CPoint(50000, 5000));
}

TEST_F(LinearBar, ReadValuesAppliesStartBeforeEnd) {
    // A start typed beyond the current end is held 100 short of it before the end moves on.
    bar.SetText(IDC_START_Z, "7");
    bar.SetText(IDC_END_Z, "9");
    line.SetEdited(0, 1);
    line.SetEdited(2, 1);
    line.ReadPropertyBar(&view);
    EXPECT_EQ(line.GetStart(), CPoint(49900, 10000));
    EXPECT_EQ(line.GetEnd(), CPoint(90000, 15000));
}
