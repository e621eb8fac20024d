// The post-processor's operations on a layer copy: walks, compounds, step lines, splits, corners.
#include <gtest/gtest.h>

#include "TestLayers.h"
#include "elements/DoubleArc.h"

namespace {
using Spanlist = std::vector<std::string>;

void Push(CLayer& layer, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t feed = -1) {
    auto line = std::make_unique<CLinear>(x1, y1, x2, y2);
    line->SetFeed(feed);
    layer.GetPieces().push_back(std::move(line));
}

// Three elements with radial steps towards the second element and the right border.
struct StepLayer : ::testing::Test {
    void SetUp() override {
        layer.CreateBorders(0, 100000, 3000000);
        Push(layer, 0, 100000, 1000000, 100000, 5);
        Push(layer, 1000000, 300000, 2000000, 300000, 7);
        Push(layer, 2000000, 300000, 3000000, 200000, 9);
    }
    CLayer layer;
};

TEST_F(StepLayer, WalksGoBothWaysAndStopOnTheOtherDirection) {
    EXPECT_EQ(layer.BeginWalk(1), layer.GetLeftBorder());
    EXPECT_EQ(layer.NextInWalk(1)->GetFeed(), 5);
    EXPECT_EQ(layer.NextInWalk(0), nullptr);
    EXPECT_EQ(layer.NextInWalk(1)->GetFeed(), 7);
    EXPECT_EQ(layer.NextInWalk(1)->GetFeed(), 9);
    EXPECT_EQ(layer.NextInWalk(1), nullptr);
    EXPECT_EQ(layer.GetWalkEndBorder(1), layer.GetRightBorder());
    EXPECT_EQ(layer.GetWalkEndBorder(0), nullptr);

    EXPECT_EQ(layer.BeginWalk(0), layer.GetRightBorder());
    EXPECT_EQ(layer.NextInWalk(0)->GetFeed(), 9);
    EXPECT_EQ(layer.NextInWalk(0)->GetFeed(), 7);
    EXPECT_EQ(layer.NextInWalk(0)->GetFeed(), 5);
    EXPECT_EQ(layer.NextInWalk(0), nullptr);
    EXPECT_EQ(layer.GetWalkEndBorder(0), layer.GetLeftBorder());

    CLayer empty;
    EXPECT_EQ(empty.BeginWalk(0), nullptr);
    EXPECT_EQ(empty.NextInWalk(0), nullptr);
}

TEST_F(StepLayer, StepLinesFromTheLeftItemsEndInBothDirections) {
    const Spanlist expected = {"0,100000-1000000,100000",      "1000000,100000-1000000,300000",
                               "1000000,300000-2000000,300000", "2000000,300000-3000000,200000",
                               "3000000,200000-3000000,100000"};
    CLayer backward(layer);
    layer.InsertStepLines(1);
    EXPECT_EQ(Spans(layer), expected);
    backward.InsertStepLines(0);
    EXPECT_EQ(Spans(backward), expected);
    for (const CLayer* l : {&layer, &backward}) {
        auto it = l->GetPieces().begin();
        EXPECT_EQ((*std::next(it, 1))->GetFeed(), 5);
        EXPECT_EQ((*std::next(it, 4))->GetFeed(), 9);
    }
}

TEST_F(StepLayer, BordersBecomeLinesAtBothEnds) {
    layer.AddBordersAsLines();
    const auto& pieces = layer.GetPieces();
    ASSERT_EQ(pieces.size(), 5u);
    EXPECT_EQ(pieces.front()->GetKind(), kKindLine);
    EXPECT_EQ(pieces.front()->GetStart(), CPoint(-500000, 200000));
    EXPECT_EQ(pieces.back()->GetKind(), kKindLine);
    EXPECT_EQ(pieces.back()->GetEnd(), CPoint(3500000, 200000));
}

TEST_F(StepLayer, SplitAtCutsTheOwningElementInTwo) {
    layer.SplitAt(500000);
    EXPECT_EQ(Spans(layer)[0], "0,100000-500000,100000");
    EXPECT_EQ(Spans(layer)[1], "500000,100000-1000000,100000");
    EXPECT_EQ((*std::next(layer.GetPieces().begin()))->GetFeed(), 5);
    layer.SplitAt(4000000);  // outside: nothing
    EXPECT_EQ(layer.GetPieces().size(), 4u);
}

// A compound element of two lines meeting at the middle.
class CTwoLines : public CLinear {
public:
    CTwoLines(int32_t x1, int32_t x2, int32_t partEnd) : CLinear(x1, 10, x2, 10), m_nPartEnd(partEnd) {}
    int IsCompound() const override { return 1; }
    std::unique_ptr<CPiece> GetPart(int index) const override {
        const int32_t mid = (m_ptStart.x + m_ptEnd.x) / 2;
        if (index == 1) {
            return std::make_unique<CLinear>(m_ptStart.x, 10, mid, 20);
        }
        if (index == 2) {
            return std::make_unique<CLinear>(mid, 20, m_nPartEnd, 10);
        }
        return nullptr;
    }

private:
    int32_t m_nPartEnd;
};

TEST(LayerCompound, ExpandedOnlyWhenThePartsCoverTheElement) {
    CLayer layer;
    layer.GetPieces().push_back(std::make_unique<CTwoLines>(0, 1000, 1000));
    layer.GetPieces().push_back(std::make_unique<CTwoLines>(1000, 2000, 1900));
    layer.ExpandCompound();
    EXPECT_EQ(Spans(layer), (Spanlist{"0,10-500,20", "500,20-1000,10", "1000,10-2000,10"}));
}

TEST(LayerCompound, DoubleArcBecomesItsTwoArcs) {
    CLayer layer;
    MakeFlatLayer(layer);
    layer.AddPiece(std::make_unique<CDoubleArc>(CPoint(2000000, 1000000), CPoint(2500000, 1200000),
                                                CPoint(3000000, 1000000), CPoint(2000000, 1300000)),
                   0);
    layer.ExpandCompound();
    const Spanlist spans = Spans(layer);
    ASSERT_EQ(spans.size(), 4u);
    auto it = std::next(layer.GetPieces().begin());
    EXPECT_EQ((*it)->GetKind(), kKindArc);
    EXPECT_EQ((*it)->GetStart(), CPoint(2000000, 1000000));
    EXPECT_EQ((*std::next(it))->GetKind(), kKindArc);
    EXPECT_EQ((*std::next(it))->GetEnd(), CPoint(3000000, 1000000));
    EXPECT_EQ((*it)->GetEnd(), (*std::next(it))->GetStart());
}

TEST(LayerCorner, CutCornerShortensTheRequestedLengthsAtTheElementEnds) {
    CLayer other;
    Push(other, 0, 50000, 5000000, 50000, 77);
    EXPECT_EQ(other.CutCorner(50000, 100000, 100000, 0), (CCornerCut{50000, 100000}));
    EXPECT_EQ(Spans(other), (Spanlist{"0,50000-50000,50000", "50000,50000-150000,50000",
                                      "150000,50000-5000000,50000"}));
    EXPECT_EQ(other.CutCorner(4950000, 100, 100000, 1), (CCornerCut{100, 50000}));
    EXPECT_EQ(Spans(other), (Spanlist{"0,50000-50000,50000", "50000,50000-150000,50000",
                                      "150000,50000-4949900,50000", "4949900,50000-4950000,50000",
                                      "4950000,50000-5000000,50000"}));
    for (const auto& p : other.GetPieces()) {
        EXPECT_EQ(p->GetFeed(), 77);
    }
    EXPECT_EQ(other.CutCorner(6000000, 10, 10, 0), CCornerCut{});
}

// At an existing boundary the corner's two lines come from the two neighbours; a step line
// between them stays, and no side is given a line of no length.
TEST(LayerCorner, CutCornerAtABoundaryCutsBothNeighbours) {
    CLayer other;
    Push(other, 0, 50000, 1000000, 50000, 11);
    Push(other, 1000000, 50000, 1000000, 60000, 11);
    Push(other, 1000000, 60000, 3000000, 60000, 22);
    EXPECT_EQ(other.CutCorner(1000000, 100000, 200000, 1), (CCornerCut{100000, 200000}));
    EXPECT_EQ(Spans(other), (Spanlist{"0,50000-900000,50000", "900000,50000-1000000,50000",
                                      "1000000,50000-1000000,60000", "1000000,60000-1200000,60000",
                                      "1200000,60000-3000000,60000"}));
    const std::vector<int> feeds = {11, 11, 11, 22, 22};
    std::vector<int> seen;
    for (const auto& p : other.GetPieces()) {
        seen.push_back(p->GetFeed());
    }
    EXPECT_EQ(seen, feeds);

    // At the ends of the chain only the side with length is cut.
    EXPECT_EQ(other.CutCorner(3000000, 100000, 100000, 0), (CCornerCut{100000, 0}));
    EXPECT_EQ(Spans(other).back(), "2900000,60000-3000000,60000");
    EXPECT_EQ(other.CutCorner(0, 100000, 100000, 0), (CCornerCut{0, 100000}));
    EXPECT_EQ(Spans(other).front(), "0,50000-100000,50000");
    for (const auto& p : other.GetPieces()) {
        EXPECT_NE(p->GetStart(), p->GetEnd());
    }
}

TEST_F(StepLayer, SplitAtABoundaryOrOutsideChangesNothing) {
    const Spanlist before = Spans(layer);
    for (const int32_t x : {-1, 0, 1000000, 2000000, 3000000, 3000001}) {
        layer.SplitAt(x);
    }
    EXPECT_EQ(Spans(layer), before);
}

// A short element between two corners: the second corner lies on the boundary the first one
// made in the other layer.
TEST(LayerCombine, ShortElementBetweenCornersLeavesNoEmptyElement) {
    for (const int forward : {1, 0}) {
        CLayer layer;
        CLayer other;
        Push(layer, 0, 100000, 2000000, 100000);
        Push(layer, 2000000, 100000, 2015000, 115000);
        Push(layer, 2015000, 115000, 4000000, 115000);
        Push(other, 0, 50000, 5000000, 50000);
        layer.CombineProfiles(other, 0, forward, 100000, 100000);
        EXPECT_EQ(Spans(layer), (Spanlist{"0,100000-1900000,100000", "1900000,100000-2000000,100000",
                                          "2000000,100000-2015000,115000", "2015000,115000-2115000,115000",
                                          "2115000,115000-4000000,115000"}))
            << "forward " << forward;
        EXPECT_EQ(Spans(other), (Spanlist{"0,50000-1900000,50000", "1900000,50000-2000000,50000",
                                          "2000000,50000-2015000,50000", "2015000,50000-2115000,50000",
                                          "2115000,50000-5000000,50000"}))
            << "forward " << forward;
    }
}

// This layer: a corner at 1 mm x 100, a smooth joint at 2, a radial step at 3; the other layer
// is one flat line. Both come out with corresponding boundaries.
struct Combine : ::testing::Test {
    void SetUp() override {
        Push(layer, 0, 100000, 1000000, 100000);
        Push(layer, 1000000, 100000, 2000000, 200000);
        Push(layer, 2000000, 200000, 3000000, 300000);
        Push(layer, 3000000, 300000, 3000000, 500000);
        Push(layer, 3000000, 500000, 4000000, 500000);
        Push(other, 0, 50000, 5000000, 50000, 77);
    }
    CLayer layer;
    CLayer other;
    const Spanlist expectedLayer = {
        "0,100000-900000,100000",       "900000,100000-1000000,100000", "1000000,100000-1100000,110000",
        "1100000,110000-2000000,200000", "2000000,200000-2900000,290000", "2900000,290000-3000000,300000",
        "3000000,300000-3000000,500000", "3000000,500000-3100000,500000", "3100000,500000-4000000,500000"};
    const Spanlist expectedOther = {
        "0,50000-900000,50000",       "900000,50000-1000000,50000",  "1000000,50000-1100000,50000",
        "1100000,50000-2000000,50000", "2000000,50000-2900000,50000", "2900000,50000-3000000,50000",
        "3000000,50000-3100000,50000", "3100000,50000-5000000,50000"};
};

TEST_F(Combine, ForwardCutsCornerStepAndSplitsAtTheSmoothJoint) {
    layer.CombineProfiles(other, 0, 1, 100000, 100000);
    EXPECT_EQ(Spans(layer), expectedLayer);
    EXPECT_EQ(Spans(other), expectedOther);
}

TEST_F(Combine, BackwardGivesTheSameBoundaries) {
    layer.CombineProfiles(other, 0, 0, 100000, 100000);
    EXPECT_EQ(Spans(layer), expectedLayer);
    EXPECT_EQ(Spans(other), expectedOther);
}

TEST_F(Combine, OffsetShiftsThePartnerPositions) {
    other.GetPieces().clear();
    Push(other, 0, 50000, 6000000, 50000);
    layer.CombineProfiles(other, 1000000, 1, 100000, 100000);
    EXPECT_EQ(Spans(layer), expectedLayer);
    EXPECT_EQ(Spans(other)[0], "0,50000-1900000,50000");
    EXPECT_EQ(Spans(other)[3], "2100000,50000-3000000,50000");
}

TEST_F(Combine, NothingToCutOnTheOtherLayerLeavesBothAlone) {
    const Spanlist before = Spans(layer);
    layer.CombineProfiles(other, 10000000, 1, 100000, 100000);
    EXPECT_EQ(Spans(layer), before);
    EXPECT_EQ(other.GetPieces().size(), 1u);
    layer.CombineProfiles(layer, 0, 1, 100000, 100000);
    EXPECT_EQ(Spans(layer), before);
}

}  // namespace
