// A layer's layer-bar checks, object box, profile keys and painting order.
#include <gtest/gtest.h>

#include "TestLayers.h"
#include "document/DocObserver.h"
#include "document/KestrovelDoc.h"
#include "elements/ViewServices.h"
#include "platform/ControlIds.h"
#include "platform/MemoryControlBar.h"
#include "platform/RecordingSurface.h"
#include "platform/SettingsStore.h"

namespace {
struct CountingObserver : CDocObserver {
    void OnDocumentUpdate(bool) override { ++nUpdates; }
    int nUpdates = 0;
};

struct LayerInDocument : ::testing::Test {
    void SetUp() override {
        services.pObjectBar = &objectBar;
        services.pLayerBar = &layerBar;
        services.pSettings = &settings;
        doc = std::make_unique<CKestrovelDoc>(services);
        ASSERT_TRUE(doc->OnNewDocument());
        doc->AddObserver(&observer);
        layer = doc->GetLayer(2);
    }
    CMemoryControlBar objectBar;
    CMemoryControlBar layerBar;
    CMemorySettingsStore settings;
    CDocServices services;
    std::unique_ptr<CKestrovelDoc> doc;
    CLayer* layer = nullptr;
    CountingObserver observer;
};

TEST_F(LayerInDocument, OwnVisibilityOnlyRefreshesTheChecks) {
    layerBar.SetCheck(IDC_SHOW_LAYER3, 0);
    layer->ToggleVisibility(3);
    EXPECT_EQ(layer->IsVisible(3), 1);
    EXPECT_EQ(layerBar.GetCheck(IDC_SHOW_LAYER3), 1);
    EXPECT_EQ(observer.nUpdates, 0);
    layer->ToggleVisibility(5);
    EXPECT_EQ(layer->IsVisible(5), 1);
    EXPECT_EQ(observer.nUpdates, 1);
    layer->ToggleVisibility(0);
    EXPECT_EQ(layer->IsVisible(0), 0);
}

TEST_F(LayerInDocument, LayerBarShowsIndexDirectionAndVisibility) {
    for (int i = 0; i < 6; ++i) {
        layerBar.AddString(IDC_LAYER, "Layer " + std::to_string(i + 1));
    }
    layer->SetDirection(0);
    layer->SetActiveInFront(0);
    layer->UpdateLayerBar();
    EXPECT_EQ(layerBar.GetCurSel(IDC_LAYER), 2);
    EXPECT_EQ(layerBar.GetCheck(IDC_DIR_RIGHT), 0);
    EXPECT_EQ(layerBar.GetCheck(IDC_DIR_LEFT), 1);
    EXPECT_EQ(layerBar.GetCheck(IDC_SHOW_SOURCE), 1);
    EXPECT_EQ(layerBar.GetCheck(IDC_SHOW_LAYER1), 0);
    EXPECT_EQ(layerBar.GetCheck(IDC_SHOW_LAYER3), 1);
    EXPECT_EQ(layerBar.GetCheck(IDC_ACTIVE_IN_FRONT), 0);
    layerBar.SetCheck(IDC_ACTIVE_IN_FRONT, 1);
    layer->ReadActiveInFront();
    EXPECT_EQ(layer->GetActiveInFront(), 1);
}

TEST_F(LayerInDocument, ObjectBoxListsBordersAndElements) {
    layer->AddPiece(std::make_unique<CLinear>(2000000, 800000, 3000000, 800000), 0);
    EXPECT_EQ(objectBar.GetEntries(IDC_OBJECT),
              (std::vector<std::string>{"No selection", "LeftBorder  (-5, 1)", "Linear 1 (0, 20)",
                                        "Linear 2 (20, 30)", "Linear 3 (30, 90)", "RightBorder  (90, 96)"}));
    EXPECT_EQ(objectBar.GetCurSel(IDC_OBJECT), 0);
    layer->SelectObjectInCombo(-1);
    EXPECT_EQ(objectBar.GetCurSel(IDC_OBJECT), 5);
    layer->SelectObjectInCombo(0);
    EXPECT_EQ(objectBar.GetCurSel(IDC_OBJECT), 1);
    layer->SelectObjectInCombo(2);
    EXPECT_EQ(objectBar.GetCurSel(IDC_OBJECT), 3);
}

TEST(LayerProfile, KeysInOrderAndMissingEntriesKeepCurrentValues) {
    CLayer layer;
    layer.SetIndex(3);
    layer.ResetVisibility();
    layer.SetDefaultStyle(3);
    CMemorySettingsStore store;
    layer.SaveProfile(store, 4);
    EXPECT_EQ(store.KeysInOrder("Layer 4"),
              (std::vector<std::string>{"m_Visibility 1", "m_Visibility 2", "m_Visibility 3", "m_Visibility 4",
                                        "m_Visibility 5", "m_Visibility 6", "m_Visibility 7", "Direction",
                                        "Brush Color", "Brush Null", "Brush Solid", "Brush Type",
                                        "Draw Borders", "Pen Color", "Pen Style", "Pen Width"}));
    EXPECT_EQ(store.GetInt("Layer 4", "Pen Color", -1), static_cast<int>(RGB(128, 128, 0)));
    EXPECT_EQ(store.GetInt("Layer 4", "m_Visibility 5", -1), 1);

    CMemorySettingsStore partial;
    partial.WriteInt("Layer 2", "Pen Width", 4);
    partial.WriteInt("Layer 2", "m_Visibility 1", 0);
    CLayer loaded;
    loaded.SetIndex(1);
    loaded.ResetVisibility();
    loaded.SetDefaultStyle(1);
    loaded.LoadProfile(partial, 2);
    EXPECT_EQ(loaded.GetStyle().m_nPenWidth, 4);
    EXPECT_EQ(loaded.IsVisible(0), 0);
    EXPECT_EQ(loaded.IsVisible(2), 1);
    EXPECT_EQ(loaded.GetStyle().m_crBrush, RGB(0, 255, 0));
    EXPECT_EQ(loaded.GetDirection(), 1);
}

TEST_F(LayerInDocument, DrawAllPaintsOthersFirstAndTheActiveLayerLast) {
    CViewServices view;
    doc->SetActiveView(&view);
    doc->SetActiveLayer(2);
    layer->SetVisible(0, 0);
    layer->SetVisible(1, 1);
    layer->SetVisible(6, 1);
    doc->GetLayer(0)->GetStyle().m_nPenWidth = 5;
    doc->GetLayer(5)->GetStyle().m_nPenWidth = 6;
    CRecordingSurface dc;
    layer->DrawAll(dc, &view);
    std::vector<std::string> pens;
    for (const std::string& line : dc.Find("Pen ")) {
        pens.push_back(line.substr(line.find("width=") + 6, 1));
    }
    // Each profile selects its pen and restores the previous one afterwards.
    EXPECT_EQ(pens, (std::vector<std::string>{"5", "1", "6", "1", "1", "1"}));
    EXPECT_TRUE(dc.Find("Rectangle").empty());

    dc.ClearLog();
    layer->SetActiveInFront(0);
    layer->DrawAll(dc, &view);
    pens.clear();
    for (const std::string& line : dc.Find("Pen ")) {
        pens.push_back(line.substr(line.find("width=") + 6, 1));
    }
    EXPECT_EQ(pens, (std::vector<std::string>{"5", "1", "1", "1", "6", "1"}));
}

TEST(LayerDraw, ProfileUsesTheLayerBrushAndClosesTheEndFace) {
    CLayer layer;
    MakeFlatLayer(layer, 1000000, 100000);
    CViewServices view;
    view.SetOrigin(CPoint(100, 300));
    CRecordingSurface dc;
    layer.DrawProfile(dc, &view);
    const auto& log = dc.GetLog();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], "Brush hatch hatch=2 color=0000FF");
    EXPECT_EQ(log[1], "Pen style=0 width=1 color=000000");
    // The line ends at pixel (150, 295) with its mirror at row 304: the face joins them.
    const auto moves = dc.Find("MoveTo 150,");
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.front(), "MoveTo 150,304");
    EXPECT_EQ(dc.GetBrush(), CBrush{});
    layer.GetStyle().m_bBrushSolid = 1;
    dc.ClearLog();
    layer.DrawProfile(dc, &view);
    EXPECT_EQ(dc.GetLog()[0], "Brush solid hatch=0 color=0000FF");
    layer.GetStyle().m_bBrushNull = 1;
    dc.ClearLog();
    layer.DrawProfile(dc, &view);
    EXPECT_EQ(dc.GetLog()[0], "Brush null hatch=0 color=000000");
}

}  // namespace
