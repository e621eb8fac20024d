// Insertion in one batch gives the chain that inserting piece by piece gives, numbered once at the end.
#include <gtest/gtest.h>

#include <random>

#include "document/Layer.h"
#include "elements/Linear.h"

namespace {

struct CElement {
    CPoint start;
    CPoint end;
    int number;
    bool operator==(const CElement&) const = default;
};

std::vector<CElement> Chain(const CLayer& layer) {
    std::vector<CElement> out;
    for (const auto& piece : layer.GetPieces()) {
        out.push_back({piece->GetStart(), piece->GetEnd(), piece->GetNumber()});
    }
    return out;
}

void Flat(CLayer& layer) {
    layer.CreateBorders(0, 500000, 9000000);
    layer.AddLine(0, 500000, 9000000, 500000);
}

TEST(LayerBatch, RandomInsertionsGiveTheSameChainAsOneByOne) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> at(-100000, 9100000);
    std::uniform_int_distribution<int32_t> height(100000, 900000);
    std::uniform_int_distribution<int> count(1, 60);
    for (int round = 0; round < 200; ++round) {
        CLayer one;
        CLayer batch;
        Flat(one);
        Flat(batch);
        batch.BeginInsertBatch();
        const int n = count(random);
        for (int i = 0; i < n; ++i) {
            const int32_t a = at(random);
            const int32_t b = at(random);
            const int32_t y1 = height(random);
            const int32_t y2 = height(random);
            one.AddPiece(std::make_unique<CLinear>(a, y1, b, y2), 0);
            batch.AddPiece(std::make_unique<CLinear>(a, y1, b, y2), 0);
        }
        batch.EndInsertBatch();
        const std::vector<CElement> chain = Chain(one);
        ASSERT_EQ(Chain(batch), chain) << "round " << round;
        for (size_t i = 0; i < chain.size(); ++i) {
            ASSERT_EQ(chain[i].number, static_cast<int>(i) + 1);
        }
        EXPECT_EQ(batch.GetNextNumber(), one.GetNextNumber());
    }
}

}  // namespace
