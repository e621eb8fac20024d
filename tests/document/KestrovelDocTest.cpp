// The document: new drawings, source material, units, active layer, undo, defaults and drawing.
#include <gtest/gtest.h>

#include <random>

#include "TestLayers.h"
#include "document/Accuracy.h"
#include "document/DocObserver.h"
#include "document/KestrovelDoc.h"
#include "document/Unit.h"
#include "elements/ViewServices.h"
#include "platform/Archive.h"
#include "platform/ControlIds.h"
#include "platform/MemoryControlBar.h"
#include "platform/RecordingSurface.h"
#include "platform/SettingsStore.h"

namespace {
using Spanlist = std::vector<std::string>;

// Answers the "Drawing properties" prompt like a user: keeps what it saw, may cancel or change.
struct CScriptedPrompt : CDrawingPropertiesPrompt {
    bool Run(CDrawingProperties& io) override {
        seen = io;
        ++nRuns;
        if (answer) {
            io = *answer;
        }
        return !bCancel;
    }
    CDrawingProperties seen;
    std::optional<CDrawingProperties> answer;
    bool bCancel = false;
    int nRuns = 0;
};

struct CountingObserver : CDocObserver {
    void OnDocumentUpdate(bool) override { ++nUpdates; }
    int nUpdates = 0;
};

struct Document : ::testing::Test {
    void SetUp() override {
        services.pSettings = &settings;
        services.pLayerBar = &layerBar;
        services.pObjectBar = &objectBar;
        services.pAidsBar = &aidsBar;
        services.pViewBar = &viewBar;
        services.pPropertiesPrompt = &prompt;
        for (int i = 0; i < 6; ++i) {
            layerBar.AddString(IDC_LAYER, "Layer " + std::to_string(i + 1));
        }
        for (const char* u : {"cm", "mm", "inch"}) {
            aidsBar.AddString(IDC_UNITS, u);
        }
        for (int i = 0; i < 4; ++i) {
            aidsBar.AddString(IDC_ACCURACY, std::to_string(i));
            viewBar.AddString(IDC_ZOOM_BOX, std::to_string(i));
        }
    }
    std::unique_ptr<CKestrovelDoc> NewDocument() {
        auto doc = std::make_unique<CKestrovelDoc>(services);
        EXPECT_TRUE(doc->OnNewDocument());
        return doc;
    }
    CMemorySettingsStore settings;
    CMemoryControlBar layerBar;
    CMemoryControlBar objectBar;
    CMemoryControlBar aidsBar;
    CMemoryControlBar viewBar;
    CScriptedPrompt prompt;
    CDocServices services;
};

TEST_F(Document, NewDrawingWithBuiltInDefaultsHasSixFlatLayers) {
    auto doc = NewDocument();
    EXPECT_EQ(doc->GetSourceRect(), CRect(0, 1000000, 9000000, 0));
    EXPECT_EQ(doc->GetLength(), 9000000);
    EXPECT_EQ(doc->GetShape(), kShapePrism);
    EXPECT_EQ(doc->GetActiveLayer(), doc->GetLayer(0));
    EXPECT_EQ(doc->GetActiveLayerIndex(), 0);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(viewBar.GetCurSel(IDC_ZOOM_BOX), 2);
    for (int i = 0; i < 6; ++i) {
        const CLayer& layer = *doc->GetLayer(i);
        EXPECT_EQ(layer.GetIndex(), i);
        EXPECT_EQ(Spans(layer), (Spanlist{"0,1000000-9000000,1000000"}));
        EXPECT_EQ(layer.GetLeftBorder()->GetEnd(), CPoint(0, 1000000));
        EXPECT_EQ(layer.GetRightBorder()->GetStart(), CPoint(9000000, 1000000));
        EXPECT_EQ(CheckChain(layer), "");
        EXPECT_EQ(layer.GetDocument(), doc.get());
        EXPECT_EQ(layer.IsVisible(0), 1);
        for (int v = 1; v < 7; ++v) {
            EXPECT_EQ(layer.IsVisible(v), v == i + 1 ? 1 : 0);
        }
        CLayerStyle expected;
        expected.SetDefault(i);
        EXPECT_EQ(layer.GetStyle().m_crBrush, expected.m_crBrush);
        EXPECT_EQ(doc->GetUndo(i).GetCount(), 1);
    }
    EXPECT_EQ(doc->CanUndo(), 0);
    EXPECT_EQ(doc->CanRedo(), 0);
}

TEST_F(Document, PromptGetsSavedDefaultsAndBarSelectionsAndItsAnswerIsTaken) {
    settings.WriteInt("Document", "Delka", 4000000);
    settings.WriteInt("Document", "Podstava", 2000001);
    settings.WriteInt("Document", "Tvar", 1);
    aidsBar.SetCurSel(IDC_UNITS, 2);
    aidsBar.SetCurSel(IDC_ACCURACY, 3);
    auto doc = NewDocument();
    EXPECT_EQ(prompt.seen.nLength, 4000000);
    EXPECT_EQ(prompt.seen.nShapeType, 1);
    EXPECT_EQ(prompt.seen.nUnits, 2);
    EXPECT_EQ(prompt.seen.nAccuracy, 3);
    EXPECT_EQ(doc->GetSourceRect(), CRect(0, 1000000, 4000000, 0));  // the odd base is halved down
    EXPECT_EQ(doc->GetShape(), kShapeCylinder);

    prompt.answer = CDrawingProperties{3000000, 500000, 0, 0, 1};
    auto other = NewDocument();
    EXPECT_EQ(other->GetSourceRect(), CRect(0, 250000, 3000000, 0));
    EXPECT_EQ(other->GetShape(), kShapePrism);
    EXPECT_EQ(other->GetUnit(), 0);
    EXPECT_EQ(other->GetAccuracy(), 1);
    EXPECT_EQ(aidsBar.GetCurSel(IDC_UNITS), 0);
    EXPECT_EQ(aidsBar.GetCurSel(IDC_ACCURACY), 1);
}

TEST_F(Document, CancelledPromptFailsTheNewDocument) {
    prompt.bCancel = true;
    CKestrovelDoc doc(services);
    EXPECT_FALSE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetActiveLayer(), nullptr);
    EXPECT_TRUE(doc.GetLayer(0)->GetPieces().empty());
}

TEST(DocumentPlain, WorksWithoutAnyService) {
    CKestrovelDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetSourceRect(), CRect(0, 1000000, 9000000, 0));
    doc.GetActiveLayer()->AddLine(-5, 0, 100, 0);
    doc.SaveAsDefault();
    CRecordingSurface dc;
    doc.DrawSourceMaterial(dc);
    EXPECT_TRUE(dc.GetLog().empty());
    CAcceptPropertiesPrompt fixed(CDrawingProperties{1000000, 400000, 1, 1, 0});
    CDocServices services;
    services.pPropertiesPrompt = &fixed;
    CKestrovelDoc cylinder(services);
    ASSERT_TRUE(cylinder.OnNewDocument());
    EXPECT_EQ(cylinder.GetSourceRect(), CRect(0, 200000, 1000000, 0));
    EXPECT_EQ(cylinder.GetShape(), kShapeCylinder);
}

TEST_F(Document, SaveAsDefaultWritesMaterialAndEveryLayer) {
    auto doc = NewDocument();
    doc->GetLayer(4)->GetStyle().m_nPenWidth = 3;
    doc->SaveAsDefault();
    EXPECT_EQ(settings.GetInt("Document", "Delka", -1), 9000000);
    EXPECT_EQ(settings.GetInt("Document", "Podstava", -1), 2000000);
    EXPECT_EQ(settings.GetInt("Document", "Tvar", -1), 0);
    EXPECT_EQ(settings.GetInt("Layer 5", "Pen Width", -1), 3);
    EXPECT_EQ(settings.KeysInOrder("Layer 6").size(), 16u);

    // The next drawing's prompt shows the prism again and its layers take the saved attributes.
    auto next = NewDocument();
    EXPECT_EQ(prompt.seen.nShapeType, 0);
    EXPECT_EQ(next->GetLayer(4)->GetStyle().m_nPenWidth, 3);

    doc->SetSourceMaterial(kShapeCylinder, 9000000, 2000000);
    doc->SaveAsDefault();
    EXPECT_EQ(settings.GetInt("Document", "Tvar", -1), 1);
}

TEST_F(Document, UndoOfTheFirstEditKeepsTheSavedLayerAttributes) {
    settings.WriteInt("Layer 1", "Pen Width", 4);
    auto doc = NewDocument();
    doc->GetActiveLayer()->AddLine(1000000, 5, 2000000, 5);
    doc->RecordUndo();
    doc->Undo();
    EXPECT_EQ(doc->GetActiveLayer()->GetStyle().m_nPenWidth, 4);
    EXPECT_EQ(Spans(*doc->GetActiveLayer()).size(), 1u);
}

TEST_F(Document, ActiveLayerIndexOutsideTheSixChangesNothing) {
    auto doc = NewDocument();
    doc->SetActiveLayer(3);
    EXPECT_EQ(doc->GetActiveLayerIndex(), 3);
    EXPECT_EQ(layerBar.GetCurSel(IDC_LAYER), 3);
    EXPECT_EQ(layerBar.GetCheck(IDC_SHOW_LAYER4), 1);
    EXPECT_EQ(objectBar.GetCount(IDC_OBJECT), 4);
    doc->SetActiveLayer(6);
    doc->SetActiveLayer(-1);
    EXPECT_EQ(doc->GetActiveLayer(), doc->GetLayer(3));
    EXPECT_EQ(layerBar.GetCurSel(IDC_LAYER), 3);
}

TEST_F(Document, UndoAndRedoReplaceTheActiveLayerOnly) {
    auto doc = NewDocument();
    CountingObserver observer;
    doc->AddObserver(&observer);
    CViewServices view;
    doc->SetActiveView(&view);
    doc->SetActiveLayer(2);
    CLayer* before = doc->GetActiveLayer();
    before->AddLine(1000000, 5, 2000000, 5);
    doc->RecordUndo();
    EXPECT_EQ(doc->CanUndo(), 1);
    const int updates = observer.nUpdates;
    doc->Undo();
    EXPECT_EQ(observer.nUpdates, updates + 1);
    CLayer* undone = doc->GetActiveLayer();
    EXPECT_EQ(undone, doc->GetLayer(2));
    EXPECT_EQ(Spans(*undone), (Spanlist{"0,1000000-9000000,1000000"}));
    EXPECT_EQ(undone->GetDocument(), doc.get());
    EXPECT_EQ(undone->GetView(), &view);
    EXPECT_EQ(doc->CanUndo(), 0);
    EXPECT_EQ(doc->CanRedo(), 1);
    doc->Undo();  // nothing older: the layer stays, but the position has moved on
    EXPECT_EQ(doc->GetActiveLayer(), undone);
    EXPECT_EQ(observer.nUpdates, updates + 1);
    doc->Redo();
    EXPECT_EQ(Spans(*doc->GetActiveLayer()).size(), 1u);
    doc->Redo();
    EXPECT_EQ(Spans(*doc->GetActiveLayer()).size(), 3u);
    EXPECT_EQ(doc->GetUndo(0).GetCount(), 1);
    doc->RemoveObserver(&observer);
    doc->Undo();
    EXPECT_EQ(observer.nUpdates, updates + 3);
}

TEST_F(Document, ClosedViewIsForgottenByEveryLayer) {
    auto doc = NewDocument();
    auto view = std::make_unique<CViewServices>();
    doc->SetActiveView(view.get());
    doc->SetActiveLayer(1);
    EXPECT_EQ(doc->GetLayer(0)->GetView(), view.get());
    EXPECT_EQ(doc->GetLayer(1)->GetView(), view.get());
    doc->OnViewClosed(view.get());
    view.reset();
    EXPECT_EQ(doc->GetActiveView(), nullptr);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(doc->GetLayer(i)->GetView(), nullptr);
    }
}

TEST_F(Document, ChangedMaterialLengthReachesEveryLayer) {
    auto doc = NewDocument();
    doc->ChangeSourceMaterial(kShapeCylinder, 10000000, 3000000);
    EXPECT_EQ(doc->GetSourceRect(), CRect(0, 1500000, 10000000, 0));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Spans(*doc->GetLayer(i)),
                  (Spanlist{"0,1000000-9000000,1000000", "9000000,1500000-10000000,1500000"}));
        EXPECT_EQ(CheckChain(*doc->GetLayer(i)), "");
    }
    doc->ChangeSourceMaterial(kShapeCylinder, 10000000, 1000000);
    EXPECT_EQ(doc->GetLayer(0)->GetPieces().size(), 2u);
    doc->ChangeSourceMaterial(kShapePrism, 5000000, 1000000);
    EXPECT_EQ(Spans(*doc->GetLayer(5)), (Spanlist{"0,1000000-5000000,1000000"}));
    EXPECT_EQ(doc->GetLayer(5)->GetRightBorder()->GetStart(), CPoint(5000000, 1000000));
}

// Every layer's current snapshot must be the layer itself, or an undo jumps to another drawing.
void ExpectSnapshotsMatchLayers(const CKestrovelDoc& doc) {
    for (int i = 0; i < 6; ++i) {
        const CLayerUndo& undo = doc.GetUndo(i);
        const CLayer* snapshot = undo.GetSnapshot(undo.GetPosition());
        ASSERT_NE(snapshot, nullptr) << "layer " << i;
        EXPECT_EQ(Spans(*snapshot), Spans(*doc.GetLayer(i))) << "layer " << i;
        EXPECT_EQ(snapshot->GetRightBorder()->GetStart(), doc.GetLayer(i)->GetRightBorder()->GetStart());
    }
}

TEST_F(Document, MaterialBackToTheOldLengthLeavesTheFlatProfile) {
    auto doc = NewDocument();
    doc->ChangeSourceMaterial(kShapeCylinder, 10000000, 3000000);
    doc->ChangeSourceMaterial(kShapeCylinder, 9000000, 3000000);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Spans(*doc->GetLayer(i)), (Spanlist{"0,1000000-9000000,1000000"}));
        EXPECT_EQ(doc->GetLayer(i)->GetRightBorder()->GetStart(), CPoint(9000000, 1000000));
        EXPECT_EQ(CheckChain(*doc->GetLayer(i)), "");
    }
}

TEST_F(Document, MaterialLengthKeepsAtLeastOneUnit) {
    auto doc = NewDocument();
    doc->ChangeSourceMaterial(kShapePrism, 0, 2000000);
    EXPECT_EQ(doc->GetLength(), 1);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Spans(*doc->GetLayer(i)), (Spanlist{"0,1000000-1,1000000"}));
        EXPECT_EQ(CheckChain(*doc->GetLayer(i)), "");
    }
}

TEST_F(Document, ALengthChangeIsOneUndoStepOfTheWholeDrawing) {
    auto doc = NewDocument();
    doc->GetActiveLayer()->AddLine(7000000, 500000, 8000000, 500000);
    doc->RecordUndo();
    const Spanlist before = Spans(*doc->GetActiveLayer());
    doc->SetModifiedFlag(false);
    doc->ChangeSourceMaterial(kShapePrism, 6000000, 2000000);
    EXPECT_TRUE(doc->IsModified()) << "closing must ask about the new length";
    ExpectSnapshotsMatchLayers(*doc);

    doc->GetActiveLayer()->AddLine(1000000, 900000, 2000000, 900000);
    doc->RecordUndo();
    doc->Undo();
    EXPECT_EQ(Spans(*doc->GetActiveLayer()), (Spanlist{"0,1000000-6000000,1000000"}));
    // The next undo is the length change: the old length and the cut elements come back, and
    // with them the history before the change.
    ASSERT_TRUE(doc->CanUndo());
    doc->Undo();
    EXPECT_EQ(doc->GetLength(), 9000000);
    EXPECT_EQ(Spans(*doc->GetActiveLayer()), before);
    EXPECT_EQ(doc->GetActiveLayer()->GetRightBorder()->GetStart().x, 9000000);
    ExpectSnapshotsMatchLayers(*doc);
    doc->Undo();
    EXPECT_EQ(Spans(*doc->GetActiveLayer()), (Spanlist{"0,1000000-9000000,1000000"}));
    EXPECT_FALSE(doc->CanUndo());

    doc->Redo();
    doc->Redo();
    EXPECT_EQ(doc->GetLength(), 6000000);
    doc->Redo();
    EXPECT_EQ(Spans(*doc->GetActiveLayer()),
              (Spanlist{"0,1000000-1000000,1000000", "1000000,900000-2000000,900000",
                        "2000000,1000000-6000000,1000000"}));
    ExpectSnapshotsMatchLayers(*doc);
}

TEST_F(Document, ALengthChangeWaitsWhileAnotherLayerHasItsOwnEditToUndo) {
    auto doc = NewDocument();
    doc->ChangeSourceMaterial(kShapePrism, 6000000, 2000000);
    doc->SetActiveLayer(1);
    doc->GetActiveLayer()->AddLine(1000000, 900000, 2000000, 900000);
    doc->RecordUndo();
    doc->SetActiveLayer(0);
    EXPECT_FALSE(doc->CanUndo()) << "undoing the change here would drop layer 2's edit";
    doc->Undo();
    EXPECT_EQ(doc->GetLength(), 6000000);
    EXPECT_EQ(doc->GetLayer(1)->GetPieces().size(), 3u);
}

TEST_F(Document, ShorteningThenUndoingGivesEveryLayerBackExactly) {
    // Random profiles on random layers, cut to a random length, then undone: the same bytes.
    std::mt19937 random(23);
    const auto bytes = [](const CKestrovelDoc& d) {
        std::vector<std::vector<uint8_t>> all;
        for (int i = 0; i < 6; ++i) {
            CArchive ar;
            d.GetLayer(i)->Serialize(ar);
            all.push_back(ar.GetBytes());
        }
        return all;
    };
    for (int round = 0; round < 60; ++round) {
        auto doc = NewDocument();
        for (int layer = 0; layer < 6; ++layer) {
            doc->SetActiveLayer(layer);
            int32_t z = 0;
            while (z < 8500000) {
                const int32_t next = z + 100000 + static_cast<int32_t>(random() % 1500000);
                const int32_t x = 200000 + static_cast<int32_t>(random() % 800000);
                doc->GetActiveLayer()->AddLine(z, x, std::min(next, 9000000), x);
                doc->RecordUndo();
                z = next;
            }
        }
        doc->SetActiveLayer(static_cast<int>(random() % 6));
        const auto before = bytes(*doc);
        const int32_t length = 10000 + static_cast<int32_t>(random() % 8990000);
        doc->ChangeSourceMaterial(kShapePrism, length, 2000000);
        ASSERT_TRUE(doc->CanUndo()) << "round " << round;
        doc->Undo();
        ASSERT_EQ(doc->GetLength(), 9000000) << "round " << round;
        ASSERT_EQ(bytes(*doc), before) << "round " << round << " length " << length;
        for (int i = 0; i < 6; ++i) {
            ASSERT_EQ(CheckChain(*doc->GetLayer(i)), "") << "round " << round;
            // The older snapshots were not cut either.
            const CLayerUndo& history = doc->GetUndo(i);
            for (int k = 0; k < history.GetCount(); ++k) {
                ASSERT_EQ(history.GetSnapshot(k)->GetRightBorder()->GetStart().x, 9000000)
                    << "round " << round;
            }
        }
    }
}

TEST_F(Document, SourceMaterialDrawing) {
    auto doc = NewDocument();
    CViewServices view;
    view.SetOrigin(CPoint(100, 300));
    doc->SetActiveView(&view);
    CRecordingSurface dc;
    doc->DrawSourceMaterial(dc);
    // k = trunc(1 000 000 x 0.707 + 0.5) = 707 000: rows 265 and 335.
    const std::vector<std::string> prism = {
        "Pen style=5 width=1 color=000000",    "Brush solid hatch=0 color=808080",
        "Rectangle 100,265,550,335",           "Pen style=0 width=1 color=000000",
        "Brush solid hatch=0 color=C0C0C0",    "Rectangle 100,250,550,265",
        "Rectangle 100,334,550,350",           "Brush null hatch=0 color=000000",
        "Rectangle 100,250,550,350",           "Pen style=0 width=1 color=000000",
        "Brush solid hatch=0 color=FFFFFF"};
    EXPECT_EQ(dc.GetLog(), prism);

    doc->SetSourceMaterial(kShapeCylinder, 9000000, 2000000);
    dc.ClearLog();
    doc->DrawSourceMaterial(dc);
    const std::vector<std::string> cylinder = {"Brush solid hatch=0 color=808080", "Rectangle 100,250,550,350",
                                               "Pen style=0 width=1 color=000000",
                                               "Brush solid hatch=0 color=FFFFFF"};
    EXPECT_EQ(dc.GetLog(), cylinder);
}

TEST_F(Document, MaxProfileHeightAndLayerCopies) {
    auto doc = NewDocument();
    doc->GetActiveLayer()->AddLine(1000000, 1500000, 2000000, 1500000);
    EXPECT_EQ(doc->GetMaxProfileHeight(), 1500000);
    auto copy = doc->CopyLayer(0);
    EXPECT_EQ(Spans(*copy), Spans(*doc->GetLayer(0)));
    EXPECT_NE(copy->GetPieces().front().get(), doc->GetLayer(0)->GetPieces().front().get());
}

TEST_F(Document, DebugCombinationChangesTheFirstTwoLayersOnly) {
    auto doc = NewDocument();
    doc->GetLayer(0)->AddLine(2000000, 800000, 3000000, 800000);
    doc->DebugCombineLayers();
    // Layer 1: borders as lines at both ends and step lines at both radial steps.
    const Spanlist first = Spans(*doc->GetLayer(0));
    EXPECT_EQ(first.front().rfind("-500000,1100000-", 0), 0u);
    EXPECT_EQ(first.back().substr(first.back().find('-')), "-9500000,1100000");
    EXPECT_GT(doc->GetLayer(1)->GetPieces().size(), 3u);
    EXPECT_EQ(doc->GetLayer(2)->GetPieces().size(), 1u);
}

TEST(DocumentTables, UnitsAndAccuracies) {
    const auto units = CUnit::BuildTable();
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(units[0].GetName(), "cm");
    EXPECT_EQ(units[2].GetName(), "inch");
    EXPECT_FLOAT_EQ(units[2].GetFactor(), 25.4f);
    const auto accuracies = CAccuracy::BuildTable();
    ASSERT_EQ(accuracies.size(), 4u);
    EXPECT_EQ(accuracies[1].GetName(), "teens [x 10 -1]");
    EXPECT_EQ(accuracies[3].GetName(), "thousandths [x 10 -3]");
    EXPECT_FLOAT_EQ(accuracies[0].GetFactor(), 10000.0f);
}

}  // namespace
