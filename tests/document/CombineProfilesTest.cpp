// Combining two long profiles: every element of the walked layer finds its partner boundary.
#include <gtest/gtest.h>

#include <random>

#include "document/Layer.h"
#include "elements/Arc.h"
#include "elements/Linear.h"

namespace {

// Lines and arcs of random lengths and heights, joined by radial steps, made ready for a pass
// as the combined macro makes its copies ready.
void FillRandom(CLayer& layer, std::mt19937& random, int count, int32_t length) {
    std::uniform_int_distribution<int32_t> height(400000, 900000);
    std::uniform_int_distribution<int> kind(0, 3);
    auto& pieces = layer.GetPieces();
    const int32_t step = length / count;
    for (int i = 0; i < count; ++i) {
        const int32_t z = i * step;
        const int32_t y = height(random);
        const int k = kind(random);
        if (k < 2) {
            pieces.push_back(std::make_unique<CLinear>(z, y, z + step, y + (k == 0 ? 0 : 3000)));
        } else {
            const int32_t bulge = (k == 2 ? 1 : -1) * step / 4;
            pieces.push_back(
                std::make_unique<CArc>(CPoint(z, y), CPoint(z + step, y), CPoint(z + step / 2, y + bulge)));
        }
    }
    layer.CreateBorders(0, pieces.front()->GetStart().y, pieces.back()->GetEnd().x);
    layer.ConnectBorders();
    layer.Renumber();
}

void Prepare(CLayer& layer, int forward) {
    layer.ExpandCompound();
    layer.InsertStepLines(forward);
    layer.AddBordersAsLines();
}

}  // namespace

// The rule the combined pass relies on: after combining, every element of the walked layer
// starts, shifted by the offset, exactly where an element of the other layer starts, and both
// chains stay contiguous.
TEST(CombineProfiles, EveryShiftedStartIsABoundaryOfTheOtherLayer) {
    std::mt19937 random(1616);
    for (int round = 0; round < 12; ++round) {
        const int forward = round % 2;
        const int32_t offset = round % 3 == 0 ? 0 : 20000;
        CLayer layer;
        CLayer other;
        FillRandom(layer, random, 300, 8000000);
        FillRandom(other, random, 1200, 8000000);
        Prepare(layer, forward);
        Prepare(other, forward);
        layer.CombineProfiles(other, offset, forward, 30000, 30000);
        // The pair before the closing border line is not cut: the walk ends there.
        const int32_t lastStart = other.GetPieces().back()->GetStart().x;
        int checked = 0;
        for (const auto& piece : layer.GetPieces()) {
            const int32_t x = piece->GetStart().x + offset;
            if (piece->GetEnd().x == piece->GetStart().x || x <= 0 || x >= lastStart - 100000) {
                continue;
            }
            const CPiece* partner = other.FindAtStrict(x);
            ASSERT_NE(partner, nullptr) << "round " << round << " at " << x;
            EXPECT_EQ(partner->GetStart().x, x) << "round " << round;
            ++checked;
        }
        EXPECT_GT(checked, 300);
        // Both chains stay contiguous: a cut on the wrong element would leave a gap or overlap.
        for (const CLayer* chain : {&layer, &other}) {
            const CPiece* prev = nullptr;
            for (const auto& piece : chain->GetPieces()) {
                if (prev) {
                    ASSERT_EQ(prev->GetEnd().x, piece->GetStart().x) << "round " << round;
                }
                prev = piece.get();
            }
        }
    }
}
