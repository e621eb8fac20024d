// The stored texts of the window placement and the bar states, and their defaults.
#include <gtest/gtest.h>

#include "platform/SettingsStore.h"
#include "shell/FrameLayoutStore.h"

TEST(FrameLayoutStore, RectanglesAreFourDigitFieldsReadBackWhateverTheirWidth) {
    EXPECT_EQ(CFrameLayoutStore::FormatRect(CRect(10, 20, 810, 620)), "0010 0020 0810 0620");
    EXPECT_EQ(CFrameLayoutStore::FormatRect(CRect(-8, 0, 1280, 1024)), "-008 0000 1280 1024");
    EXPECT_EQ(CFrameLayoutStore::ParseRect("0010 0020 0810 0620"), CRect(10, 20, 810, 620));
    EXPECT_EQ(CFrameLayoutStore::ParseRect("-008 0000 1280 1024"), CRect(-8, 0, 1280, 1024));
    // A window on a monitor left of the main one: the fields grow past four characters.
    EXPECT_EQ(CFrameLayoutStore::ParseRect("-1920 -010 -0100 1070"), CRect(-1920, -10, -100, 1070));
    EXPECT_EQ(CFrameLayoutStore::ParseRect("10000 0020 12000 0620"), CRect(10000, 20, 12000, 620));
    EXPECT_FALSE(CFrameLayoutStore::ParseRect("0010 0020"));
    EXPECT_FALSE(CFrameLayoutStore::ParseRect("abc"));
}

TEST(FrameLayoutStore, BarStatesWithTheirDefaults) {
    CMemorySettingsStore store;
    const CBarState tool = CFrameLayoutStore::LoadBarState(store, false, "BasicToolBar", 1280, 1024);
    EXPECT_EQ(tool, (CBarState{CRect(), 0, 0}));
    const CBarState dialog = CFrameLayoutStore::LoadBarState(store, true, "ObjectDialogBar", 1280, 1024);
    EXPECT_EQ(dialog, (CBarState{CRect(150, 150, 150, 150), 1, 0}));

    CFrameLayoutStore::SaveBarState(store, true, "AidsDialogBar", CBarState{CRect(300, 320, 500, 720), 1, 1});
    EXPECT_EQ(store.GetString("DialogBars", "AidsDialogBar", ""), "0300 0300 0500 0700");
    EXPECT_EQ(store.KeysInOrder("DialogBars"),
              (std::vector<std::string>{"AidsDialogBar", "AidsDialogBarFloating", "AidsDialogBarVisible"}));
    CFrameLayoutStore::SaveBarState(store, false, "ViewToolBar", CBarState{CRect(0, 30, 400, 56), 0, 1});
    EXPECT_EQ(store.GetString("ToolBars", "ViewToolBar", ""), "0000 0030 0400 0056")
        << "docked bars stay put";
    EXPECT_EQ(CFrameLayoutStore::LoadBarState(store, false, "ViewToolBar", 1280, 1024),
              (CBarState{CRect(0, 30, 400, 56), 0, 1}));
}

TEST(FrameLayoutStore, BarsOffTheScreenComeBack) {
    EXPECT_EQ(CFrameLayoutStore::BringOnScreen(CRect(1231, 100, 1431, 300), 1280, 1024),
              CRect(1080, 100, 1280, 300));
    EXPECT_EQ(CFrameLayoutStore::BringOnScreen(CRect(1230, 974, 1330, 1074), 1280, 1024),
              CRect(1230, 974, 1330, 1074))
        << "within the margin nothing moves";
    EXPECT_EQ(CFrameLayoutStore::BringOnScreen(CRect(5000, 5000, 5000, 5000), 1280, 1024),
              CRect(1230, 974, 1230, 974));
}

TEST(FrameLayoutStore, PlacementKeys) {
    CMemorySettingsStore store;
    EXPECT_FALSE(CFrameLayoutStore::LoadPlacement(store)) << "first run: the platform's size";
    CFrameLayoutStore::SavePlacement(store, CWindowPlacement{CRect(4, 5, 1004, 805), 1, 1});
    EXPECT_EQ(store.GetWriteLog(), (std::vector<std::string>{"Window size/Rect=0004 0005 1004 0805",
                                                             "Window size/icon=1", "Window size/max=1"}));
    EXPECT_EQ(CFrameLayoutStore::LoadPlacement(store), (CWindowPlacement{CRect(4, 5, 1004, 805), 1, 1}));
}
