// The persisted view settings: fallbacks, the format digit, key order, round trips and frame close.
#include "BarsFixture.h"
#include "view/ViewState.h"

namespace {
const std::vector<std::string> kKeys = {"Accuracy",
                                        "Units",
                                        "Edit mode",
                                        "Select Tool",
                                        "Active Creating Tool",
                                        "Active Tool",
                                        "Draw Axes",
                                        "Draw Labels",
                                        "Draw Lines",
                                        "Draw Dims",
                                        "Snap To Active Point",
                                        "Horizontal Cursor Step",
                                        "Vertical Cursor Step",
                                        "Main Axe Snap",
                                        "Secondary Axe Snap",
                                        "Diameter"};

class ViewStateTest : public BarsFixture {
protected:
    void Store(const std::string& key, int value) { settings.WriteInt(CViewState::kSection, key, value); }
    // Every key of a store's section, in the fixed order.
    static std::vector<int> Values(const CMemorySettingsStore& store) {
        std::vector<int> out;
        for (const std::string& key : kKeys) {
            out.push_back(store.GetInt(CViewState::kSection, key, -12345));
        }
        return out;
    }
};
}  // namespace

TEST_F(ViewStateTest, WithNothingStoredAViewStartsWithTheDefaults) {
    OpenWindow();
    const CDrawingAids& aids = view->Aids();
    EXPECT_EQ(aids.m_bDrawAxes, 1);
    EXPECT_EQ(aids.m_bDrawDims, 1);
    EXPECT_EQ(view->GetDrawLabels(), 1);
    EXPECT_EQ(view->GetDrawLines(), 1);
    EXPECT_EQ(aids.HandleTolerance(), 5);
    EXPECT_EQ(aids.HorzStep(view->GetUnits()), 1);
    EXPECT_EQ(aids.VertStep(view->GetUnits()), 1);
    EXPECT_EQ(aids.MainSnap(), 0);
    EXPECT_EQ(aids.SecondarySnap(), 0);
    EXPECT_EQ(view->GetUnits(), 1);
    EXPECT_EQ(view->GetAccuracy(), 0);
    EXPECT_EQ(view->GetFormat(), "%3.0f");
    EXPECT_EQ(view->GetEditingMode(), 0);
    EXPECT_EQ(view->GetActiveCreatingTool(), kToolLine);
    EXPECT_EQ(view->GetDiameter(), 0);
    EXPECT_TRUE(settings.KeysInOrder(CViewState::kSection).empty());
}

TEST_F(ViewStateTest, StoredAccuracySetsTheFormatDigitOnlyWithinZeroToThree) {
    Store("Accuracy", 2);
    view->LoadViewState();
    EXPECT_EQ(view->GetFormat(), "%3.2f");
    Store("Accuracy", 7);
    view->LoadViewState();
    EXPECT_EQ(view->GetAccuracy(), 7);
    EXPECT_EQ(view->GetFormat(), "%3.2f");

    CFakeViewHost window;
    auto fresh = MakeView(window, doc.get());
    OpenWindowOf(*fresh, window);
    EXPECT_EQ(fresh->GetAccuracy(), 7);
    EXPECT_EQ(fresh->GetFormat(), "%3.0f");
    EXPECT_EQ(fresh->FormatLength(12345), "  1");
}

TEST_F(ViewStateTest, StoredToolsTakeEffectAtTheFirstPaint) {
    Store("Edit mode", 1);
    Store("Select Tool", 1);
    Store("Active Creating Tool", 3);
    Store("Units", 2);
    Store("Horizontal Cursor Step", 3);
    OpenWindow();
    EXPECT_EQ(view->GetEditingMode(), 1);
    EXPECT_EQ(view->GetSelectionKind(), 1);
    EXPECT_EQ(view->GetActiveCreatingTool(), kToolCircle);
    EXPECT_EQ(MouseMode(), kModeRange);
    EXPECT_EQ(view->GetUnits(), 2);
    EXPECT_EQ(view->SnapZ(12500), 10160) << "the fourth step in inches, 0.02 in";
}

TEST_F(ViewStateTest, SaveWritesEveryKeyInTheFixedOrder) {
    OpenWindow();
    view->SaveViewState();
    EXPECT_EQ(settings.KeysInOrder(CViewState::kSection), kKeys);
    EXPECT_EQ(Values(settings), (std::vector<int>{0, 1, 0, 0, 2, 0, 1, 1, 1, 1, 3, 0, 0, 0, 0, 0}));
    const std::vector<std::string>& log = settings.GetWriteLog();
    ASSERT_GE(log.size(), kKeys.size());
    EXPECT_EQ(log[log.size() - kKeys.size()], "KestrovelViewState/Accuracy=0");
    EXPECT_EQ(log.back(), "KestrovelViewState/Diameter=0");
}

TEST_F(ViewStateTest, SettingsSavedByOneViewAreLoadedByANewOneKeyForKey) {
    OpenWindow();
    Command(ID_MODE_FAST);
    Command(ID_TOOL_CIRCLE);
    Choose(aidsBar, IDC_UNITS, 0);
    Choose(aidsBar, IDC_ACCURACY, 3);
    Click(aidsBar, IDC_DRAW_AXES, 0);
    Click(aidsBar, IDC_DRAW_LABELS, 0);
    Click(aidsBar, IDC_DRAW_LINES, 0);
    Click(aidsBar, IDC_DRAW_DIMS, 0);
    Choose(aidsBar, IDC_SNAP_POINTS, 1);
    Choose(aidsBar, IDC_STEP_HORZ, 2);
    Choose(aidsBar, IDC_STEP_VERT, 5);
    Choose(aidsBar, IDC_SNAP_MAIN, 4);
    Choose(aidsBar, IDC_SNAP_SECONDARY, 3);
    Click(aidsBar, IDC_DIAMETER, 1);
    view->SaveViewState();
    const std::vector<int> saved = Values(settings);
    EXPECT_EQ(saved, (std::vector<int>{3, 0, 1, 0, 3, 3, 0, 0, 0, 0, 1, 2, 5, 4, 3, 1}));

    CFakeViewHost window;
    auto next = MakeView(window, doc.get());
    next->LoadViewState();
    EXPECT_EQ(next->GetFormat(), "%3.3f");
    CMemorySettingsStore copy;
    CViewState::Save(*next, copy);
    EXPECT_EQ(Values(copy), saved);
}

TEST_F(ViewStateTest, OnFrameCloseOnlyTheActiveDrawingViewIsSaved) {
    OpenWindow();
    CFakeViewHost window;
    auto second = MakeView(window, doc.get());
    OpenWindowOf(*second, window);
    view->Aids().m_nStepVert = 2;
    second->Aids().m_nStepVert = 5;

    EXPECT_TRUE(CViewState::SaveOnFrameClose(second.get(), {view.get(), second.get()}));
    EXPECT_EQ(settings.GetInt(CViewState::kSection, "Vertical Cursor Step", -1), 5);
    // The active child is no drawing view (the CNC window): the first drawing view of its document.
    EXPECT_TRUE(CViewState::SaveOnFrameClose(nullptr, {view.get(), second.get()}));
    EXPECT_EQ(settings.GetInt(CViewState::kSection, "Vertical Cursor Step", -1), 2);

    const size_t writes = settings.GetWriteLog().size();
    EXPECT_FALSE(CViewState::SaveOnFrameClose(nullptr, {}));
    EXPECT_EQ(settings.GetWriteLog().size(), writes);
}
