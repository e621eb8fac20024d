// Insertion into a layer: the start and end cases, refusals, borders, numbering and lookups.
#include <gtest/gtest.h>

#include <random>

#include "TestLayers.h"
#include "document/KestrovelDoc.h"
#include "elements/ViewServices.h"
#include "platform/Messages.h"

namespace {
using Spanlist = std::vector<std::string>;

// A layer of five lines 0-2-4-6-8-9 mm x 100 000 at heights 10, 20, 30, 40, 50 mm, with a view
// for its messages.
struct SteppedLayer : ::testing::Test {
    void SetUp() override {
        view.SetMessages(&messages);
        layer.SetView(&view);
        layer.CreateBorders(0, 100000, 9000000);
        const int32_t cuts[] = {0, 2000000, 4000000, 6000000, 8000000, 9000000};
        for (int i = 0; i < 5; ++i) {
            layer.GetPieces().push_back(
                std::make_unique<CLinear>(cuts[i], 100000 * (i + 1), cuts[i + 1], 100000 * (i + 1)));
        }
        layer.AddPiece(nullptr, 0);
        layer.ConnectBorders();
        layer.Renumber();
    }
    void Add(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        layer.AddPiece(std::make_unique<CLinear>(x1, y1, x2, y2), 0);
    }
    CRecordingMessages messages;
    CViewServices view;
    CLayer layer;
};

TEST(LayerInsert, LineInsideTheOnlyElementSplitsIt) {
    CLayer layer;
    MakeFlatLayer(layer);
    layer.AddPiece(std::make_unique<CLinear>(2000000, 800000, 3000000, 800000), 0);
    EXPECT_EQ(Spans(layer), (Spanlist{"0,1000000-2000000,1000000", "2000000,800000-3000000,800000",
                                      "3000000,1000000-9000000,1000000"}));
    std::vector<int> numbers;
    for (const auto& p : layer.GetPieces()) {
        numbers.push_back(p->GetNumber());
    }
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(layer.GetNextNumber(), 4);
    EXPECT_EQ(CheckChain(layer), "");
}

TEST_F(SteppedLayer, SpanningExactlyTwoElementsReplacesThem) {
    Add(2000000, 7, 6000000, 9);
    EXPECT_EQ(Spans(layer), (Spanlist{"0,100000-2000000,100000", "2000000,7-6000000,9",
                                      "6000000,400000-8000000,400000", "8000000,500000-9000000,500000"}));
    EXPECT_EQ(CheckChain(layer), "");
    EXPECT_TRUE(messages.GetBoxes().empty());
}

TEST_F(SteppedLayer, StartAtTheHeadRemovesCoveredElements) {
    Add(0, 5, 5000000, 5);
    EXPECT_EQ(Spans(layer), (Spanlist{"0,5-5000000,5", "5000000,300000-6000000,300000",
                                      "6000000,400000-8000000,400000", "8000000,500000-9000000,500000"}));
    // The left border follows the new first element's height.
    EXPECT_EQ(layer.GetLeftBorder()->GetEnd(), CPoint(0, 5));
    EXPECT_EQ(CheckChain(layer), "");
}

TEST_F(SteppedLayer, WholeChainReplacedByOneLine) {
    Add(0, 1, 9000000, 2);
    EXPECT_EQ(Spans(layer), (Spanlist{"0,1-9000000,2"}));
    EXPECT_EQ(layer.GetRightBorder()->GetStart(), CPoint(9000000, 2));
    EXPECT_EQ(CheckChain(layer), "");
}

TEST_F(SteppedLayer, InsideOneElementToInsideAnotherCutsBoth) {
    Add(3000000, 1, 7000000, 1);
    EXPECT_EQ(Spans(layer), (Spanlist{"0,100000-2000000,100000", "2000000,200000-3000000,200000",
                                      "3000000,1-7000000,1", "7000000,400000-8000000,400000",
                                      "8000000,500000-9000000,500000"}));
    EXPECT_EQ(CheckChain(layer), "");
}

TEST_F(SteppedLayer, ReversedPieceIsNormalisedByItsOwnSetters) {
    // The line's SetStart keeps 100 units before the old end, so the start lands at e - 100.
    Add(5000000, 9, 3000000, 8);
    EXPECT_EQ(Spans(layer)[2], "2999900,9-5000000,8");
    EXPECT_EQ(CheckChain(layer), "");
}

TEST_F(SteppedLayer, RefusalsLeaveTheChainUnchanged) {
    const Spanlist before = Spans(layer);
    Add(8500000, 1, 9500000, 1);  // beyond the last element's end
    ASSERT_EQ(messages.GetBoxes().size(), 1u);
    EXPECT_EQ(messages.GetBoxes()[0].strText, "pravystav je nula");
    EXPECT_EQ(messages.GetBoxes()[0].strCaption, "chyba");
    EXPECT_EQ(messages.GetBoxes()[0].icon, MessageIcon::Error);
    Add(9000000, 1, 9500000, 1);  // starting at the very end: case D never finds an end
    EXPECT_EQ(messages.GetBoxes().back().strText, "pravystav je nula");
    layer.GetPieces().front()->SetStart(100000, 100000);
    layer.AddPiece(nullptr, 0);
    const Spanlist shifted = Spans(layer);
    Add(50000, 1, 1000000, 1);  // before the first element, not at its start
    ASSERT_EQ(messages.GetBoxes().size(), 3u);
    EXPECT_EQ(messages.GetBoxes()[2].strText, "levystav je nula");
    EXPECT_EQ(Spans(layer), shifted);
    EXPECT_EQ(before.size(), shifted.size());
}

TEST_F(SteppedLayer, ZeroLengthPieceIsDropped) {
    const Spanlist before = Spans(layer);
    Add(3000000, 1, 3000000, 5);
    EXPECT_EQ(Spans(layer), before);
    EXPECT_TRUE(messages.GetBoxes().empty());
}

TEST_F(SteppedLayer, BorderPiecesReplaceTheBorderOnTheirSide) {
    layer.AddPiece(std::make_unique<CBorder>(CPoint(-300000, 5), CPoint(0, 100000), 1), 0);
    EXPECT_EQ(layer.GetLeftBorder()->GetStart(), CPoint(-300000, 5));
    layer.AddPiece(std::make_unique<CBorder>(CPoint(9000000, 500000), CPoint(9100000, 7), 0), 0);
    EXPECT_EQ(layer.GetRightBorder()->GetEnd(), CPoint(9100000, 7));
    EXPECT_EQ(Spans(layer).size(), 5u);
}

TEST_F(SteppedLayer, FindAtOwnsEveryAxialPosition) {
    EXPECT_EQ(layer.FindAt(-1), layer.GetLeftBorder());
    EXPECT_EQ(layer.FindAt(9000001), layer.GetRightBorder());
    EXPECT_EQ(layer.FindAt(0)->GetNumber(), 1);
    EXPECT_EQ(layer.FindAt(2000000)->GetNumber(), 2);  // a boundary belongs to the element starting there
    EXPECT_EQ(layer.FindAt(1999999)->GetNumber(), 1);
    EXPECT_EQ(layer.FindAt(8500000)->GetNumber(), 5);
    EXPECT_EQ(layer.FindAt(9000000)->GetNumber(), 5);
    EXPECT_EQ(layer.GetYAt(4500000), 300000);
    EXPECT_DOUBLE_EQ(layer.GetSlopeAt(4500000), 0.0);
    EXPECT_EQ(layer.GetMaxY(), 500000);
}

TEST_F(SteppedLayer, FindAtStrictNeverGivesABorder) {
    EXPECT_EQ(layer.FindAtStrict(-1), nullptr);
    EXPECT_EQ(layer.FindAtStrict(9000001), nullptr);
    EXPECT_EQ(layer.FindAtStrict(9000000)->GetNumber(), 5);
    EXPECT_EQ(layer.FindAtStrict(6000000)->GetNumber(), 4);
    // x inside the element before the last one: that element, not the last.
    EXPECT_EQ(layer.FindAtStrict(7000000)->GetNumber(), 4);
    EXPECT_EQ(layer.FindAtStrict(100)->GetNumber(), 1);
}

TEST_F(SteppedLayer, FindByNumberFallsBackToTheRightBorder) {
    EXPECT_EQ(layer.FindByNumber(0), layer.GetLeftBorder());
    EXPECT_EQ(layer.FindByNumber(3)->GetStart().x, 4000000);
    EXPECT_EQ(layer.FindByNumber(-1), layer.GetRightBorder());
    EXPECT_EQ(layer.FindByNumber(99), layer.GetRightBorder());
    CLayer empty;
    EXPECT_EQ(empty.FindByNumber(0), nullptr);
    EXPECT_EQ(empty.FindAt(5), nullptr);
    EXPECT_EQ(empty.FindAtStrict(5), nullptr);
}

TEST(LayerLength, LongerAppendsAndShorterCuts) {
    CLayer layer;
    MakeFlatLayer(layer, 4000000, 500000);
    layer.ChangeLength(6000000, 4000000, 700000);
    EXPECT_EQ(Spans(layer), (Spanlist{"0,500000-4000000,500000", "4000000,700000-6000000,700000"}));
    EXPECT_EQ(layer.GetRightBorder()->GetStart(), CPoint(6000000, 700000));
    EXPECT_EQ(CheckChain(layer), "");
    layer.ChangeLength(3000000, 6000000, 700000);
    EXPECT_EQ(Spans(layer), (Spanlist{"0,500000-3000000,500000"}));
    EXPECT_EQ(layer.GetRightBorder()->GetStart(), CPoint(3000000, 500000));
    EXPECT_EQ(CheckChain(layer), "");
}

TEST(LayerLength, ShorterToAnElementBoundaryKeepsNoEmptyElement) {
    CLayer layer;
    MakeFlatLayer(layer, 9000000, 1000000);
    layer.AddLine(2000000, 800000, 3000000, 800000);
    layer.ChangeLength(10000000, 9000000, 1500000);
    // Back to where the added tail starts: the tail goes, the flat profile meets the border.
    layer.ChangeLength(9000000, 10000000, 1500000);
    EXPECT_EQ(Spans(layer), (Spanlist{"0,1000000-2000000,1000000", "2000000,800000-3000000,800000",
                                      "3000000,1000000-9000000,1000000"}));
    EXPECT_EQ(layer.GetRightBorder()->GetStart(), CPoint(9000000, 1000000));
    EXPECT_EQ(CheckChain(layer), "");
    // To an inner boundary: the element ending there is the last one.
    layer.ChangeLength(3000000, 9000000, 1500000);
    EXPECT_EQ(Spans(layer), (Spanlist{"0,1000000-2000000,1000000", "2000000,800000-3000000,800000"}));
    EXPECT_EQ(layer.GetRightBorder()->GetStart(), CPoint(3000000, 800000));
    EXPECT_EQ(CheckChain(layer), "");
}

TEST(LayerLength, ClipToLengthCutsOrDropsPastedPieces) {
    CLayer layer;
    MakeFlatLayer(layer, 4000000, 500000);
    std::unique_ptr<CPiece> outside = std::make_unique<CLinear>(4000000, 1, 5000000, 1);
    EXPECT_FALSE(layer.ClipToLength(outside, nullptr));
    EXPECT_EQ(outside, nullptr);
    std::unique_ptr<CPiece> left = std::make_unique<CLinear>(-1000000, 1, 0, 1);
    EXPECT_FALSE(layer.ClipToLength(left, nullptr));
    std::unique_ptr<CPiece> across = std::make_unique<CLinear>(-1000000, 0, 5000000, 600000);
    EXPECT_TRUE(layer.ClipToLength(across, nullptr));
    EXPECT_EQ(across->GetStart().x, 0);
    EXPECT_EQ(across->GetEnd().x, 4000000);
}

// Thousands of random lines, inside single elements and across many, must keep every chain
// invariant after each insertion.
TEST(LayerInsertProperty, RandomLinesKeepTheChainSound) {
    constexpr int32_t kLength = 9000000;
    CLayer layer;
    MakeFlatLayer(layer, kLength);
    CRecordingMessages messages;
    CViewServices view;
    view.SetMessages(&messages);
    layer.SetView(&view);
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int32_t> height(0, 2000000);
    std::uniform_int_distribution<int> mode(0, 99);
    size_t largest = 0;
    for (int i = 0; i < 4000; ++i) {
        const auto& pieces = layer.GetPieces();
        int32_t x1;
        int32_t x2;
        const int m = mode(rng);
        if (m < 20 && pieces.size() > 1) {
            // Exactly on existing boundaries, to reach the B and B' cases often.
            std::vector<int32_t> cuts;
            for (const auto& p : pieces) {
                cuts.push_back(p->GetStart().x);
            }
            cuts.push_back(kLength);
            std::uniform_int_distribution<size_t> pick(0, cuts.size() - 2);
            const size_t first = pick(rng);
            x1 = cuts[first];
            x2 = cuts[std::min(cuts.size() - 1, first + 1 + static_cast<size_t>(mode(rng) / 4))];
        } else {
            const int32_t span = m < 97 ? 200000 : kLength;
            std::uniform_int_distribution<int32_t> at(0, kLength);
            x1 = at(rng);
            x2 = std::clamp(x1 + std::uniform_int_distribution<int32_t>(-span, span)(rng), 0, kLength);
        }
        if (std::abs(x2 - x1) < 200) {
            continue;
        }
        layer.AddPiece(std::make_unique<CLinear>(x1, height(rng), x2, height(rng)), 0);
        ASSERT_EQ(CheckChain(layer), "") << "after insertion " << i << " of " << x1 << ".." << x2;
        ASSERT_EQ(pieces.front()->GetStart().x, 0);
        ASSERT_EQ(pieces.back()->GetEnd().x, kLength);
        largest = std::max(largest, pieces.size());
    }
    EXPECT_GT(largest, 40u);
    // Every random line lies inside the drawing, so no insertion may be refused.
    EXPECT_TRUE(messages.GetBoxes().empty());
}

}  // namespace
