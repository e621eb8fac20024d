// The per-layer snapshot history: positions, the redo branch, the limit and copies.
#include <gtest/gtest.h>

#include "TestLayers.h"
#include "document/LayerUndo.h"

namespace {
std::unique_ptr<CLayer> Snapshot(int32_t height) {
    auto layer = std::make_unique<CLayer>();
    MakeFlatLayer(*layer, 1000000, height);
    return layer;
}

int32_t HeightOf(const CLayer& layer) { return layer.GetPieces().front()->GetStart().y; }

TEST(LayerUndo, OneEditThenUndoAndRedo) {
    CLayerUndo undo;
    undo.Push(Snapshot(10));
    EXPECT_EQ(undo.CanUndo(), 0);
    undo.Push(Snapshot(20));
    EXPECT_EQ(undo.GetCount(), 2);
    EXPECT_EQ(undo.CanUndo(), 1);
    auto back = undo.Undo();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(HeightOf(*back), 10);
    EXPECT_EQ(undo.GetPosition(), 1);
    EXPECT_EQ(undo.CanUndo(), 0);
    EXPECT_EQ(undo.CanRedo(), 1);
    // The caller owns a copy: changing it leaves the history intact.
    back->GetPieces().clear();
    auto forward = undo.Redo();
    ASSERT_NE(forward, nullptr);
    EXPECT_EQ(HeightOf(*forward), 20);
    EXPECT_EQ(undo.CanRedo(), 0);
    EXPECT_EQ(HeightOf(*undo.GetSnapshot(1)), 10);
    EXPECT_EQ(undo.GetSnapshot(1)->GetPieces().size(), 1u);
}

TEST(LayerUndo, NewEditDiscardsTheRedoBranch) {
    CLayerUndo undo;
    undo.Push(Snapshot(10));
    undo.Push(Snapshot(20));
    undo.Undo();
    undo.Push(Snapshot(30));
    EXPECT_EQ(undo.GetCount(), 2);
    EXPECT_EQ(undo.GetPosition(), 0);
    EXPECT_EQ(undo.CanRedo(), 0);
    EXPECT_EQ(HeightOf(*undo.GetSnapshot(0)), 30);
    EXPECT_EQ(HeightOf(*undo.GetSnapshot(1)), 10);
}

TEST(LayerUndo, HundredSnapshotsAndNinetyNineSteps) {
    CLayerUndo undo;
    for (int i = 0; i < 150; ++i) {
        undo.Push(Snapshot(i));
    }
    EXPECT_EQ(undo.GetCount(), CLayerUndo::MaxSnapshots);
    int steps = 0;
    while (undo.CanUndo()) {
        ASSERT_NE(undo.Undo(), nullptr);
        ++steps;
    }
    EXPECT_EQ(steps, 99);
    EXPECT_EQ(HeightOf(*undo.GetSnapshot(99)), 50);
}

TEST(LayerUndo, PastTheOldestNothingComesBackAndNothingIsRead) {
    CLayerUndo empty;
    EXPECT_EQ(empty.Undo(), nullptr);
    EXPECT_EQ(empty.GetPosition(), 0);
    EXPECT_EQ(empty.Redo(), nullptr);

    CLayerUndo undo;
    undo.Push(Snapshot(10));
    EXPECT_EQ(undo.Redo(), nullptr);
    EXPECT_EQ(undo.GetPosition(), 0);
    // The position moves past the list although no snapshot exists there.
    EXPECT_EQ(undo.Undo(), nullptr);
    EXPECT_EQ(undo.Undo(), nullptr);
    EXPECT_EQ(undo.GetPosition(), 2);
    EXPECT_EQ(undo.Redo(), nullptr);
    EXPECT_EQ(undo.GetPosition(), 1);
    auto back = undo.Redo();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(HeightOf(*back), 10);
    // A push after overshooting drops no more snapshots than exist.
    undo.Undo();
    undo.Undo();
    undo.Push(Snapshot(40));
    EXPECT_EQ(undo.GetCount(), 1);
    EXPECT_EQ(undo.GetPosition(), 0);
}

TEST(LayerCopy, DeepCopyClonesEverything) {
    CLayer layer;
    MakeFlatLayer(layer, 3000000, 100000);
    layer.AddPiece(std::make_unique<CLinear>(1000000, 5, 2000000, 5), 0);
    layer.SetIndex(4);
    layer.SetDirection(0);
    layer.SetVisible(3, 1);
    layer.GetStyle().m_nPenWidth = 3;
    CLayer copy(layer);
    EXPECT_EQ(Spans(copy), Spans(layer));
    EXPECT_EQ(CheckChain(copy), "");
    EXPECT_NE(copy.GetLeftBorder(), layer.GetLeftBorder());
    EXPECT_NE(copy.GetPieces().front().get(), layer.GetPieces().front().get());
    EXPECT_EQ(copy.GetIndex(), 4);
    EXPECT_EQ(copy.GetDirection(), 0);
    EXPECT_EQ(copy.IsVisible(3), 1);
    EXPECT_EQ(copy.GetStyle().m_nPenWidth, 3);
    EXPECT_EQ(copy.GetNextNumber(), 4);
}

}  // namespace
