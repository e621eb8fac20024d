// The range element: marker rules, moves, mirror and turn of a stretch, label, bar and record.
#include <gtest/gtest.h>

#include <vector>

#include "elements/Linear.h"
#include "elements/PieceChain.h"
#include "elements/Selection.h"
#include "elements/ViewServices.h"
#include "platform/ControlIds.h"
#include "platform/MemoryControlBar.h"
#include "platform/RecordingSurface.h"

namespace {
// A chain of lines with the layer's lookup rule; insertions are only recorded.
class CFakeChain : public CPieceChain {
public:
    std::vector<std::unique_ptr<CPiece>> m_pieces;
    std::vector<std::unique_ptr<CPiece>> m_added;
    std::vector<int> m_redraws;

    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        m_pieces.push_back(std::make_unique<CLinear>(x1, y1, x2, y2));
    }
    CPiece* FindAt(int32_t x) const override {
        CPiece* prev = nullptr;
        for (const auto& p : m_pieces) {
            if (p->GetStart().x >= x) {
                return p->GetStart().x == x || !prev ? p.get() : prev;
            }
            prev = p.get();
        }
        return prev;
    }
    int32_t GetYAt(int32_t x) const override {
        const CPiece* p = FindAt(x);
        return p ? p->GetYAt(x) : 0;
    }
    double GetSlopeAt(int32_t x) const override {
        const CPiece* p = FindAt(x);
        return p ? p->GetSlopeAt(x) : 0.0;
    }
    void AddPiece(std::unique_ptr<CPiece> piece, int redraw) override {
        m_added.push_back(std::move(piece));
        m_redraws.push_back(redraw);
    }
};

struct SelectionTest : ::testing::Test {
    CViewServices view;
    CFakeChain chain;
    SelectionTest() { view.SetDrawingLength(1000000); }
};
}  // namespace

TEST_F(SelectionTest, StartRefusedCloserThan100UnlessEndIsZero) {
    CSelection a(5000, 0, 0, 0);
    EXPECT_EQ(a.SetStart(4000, 10), 1);
    EXPECT_EQ(a.GetStart(), CPoint(4000, 10));

    CSelection b(0, 0, 20000, 0);
    EXPECT_EQ(b.SetStart(19950, 7), 0);
    EXPECT_EQ(b.GetStart(), CPoint(0, 0));
    EXPECT_EQ(b.SetStart(19900, -7), 1);
    EXPECT_EQ(b.GetStart(), CPoint(19900, 0));
}

TEST_F(SelectionTest, EndRefusedCloserThan100AndLocksHold) {
    CSelection s(1000, 0, 5000, 0);
    EXPECT_EQ(s.SetEnd(1099, 5), 0);
    EXPECT_EQ(s.GetEnd(), CPoint(5000, 0));
    EXPECT_EQ(s.SetEnd(1100, 5), 1);
    EXPECT_EQ(s.GetEnd(), CPoint(1100, 5));
    s.SetLock(kLockEndZ, 1);
    EXPECT_EQ(s.SetEnd(3000, 8), 1);
    EXPECT_EQ(s.GetEnd(), CPoint(1100, 8));
    EXPECT_EQ(s.GetLock(7), 0);
}

TEST_F(SelectionTest, MoveKeepsLengthInsideDrawingAndAboveAxis) {
    CSelection s(1000, 0, 9000, 0);
    s.Move(-3000, 0, &view);
    EXPECT_EQ(s.GetStart().x, 0);
    EXPECT_EQ(s.GetEnd().x, 8000);

    CSelection t(1000, 200, 9000, 800);
    t.Move(0, -500, &view);
    EXPECT_EQ(t.GetStart().y, 0);
    EXPECT_EQ(t.GetEnd().y, 600);

    CSelection u(990000, 0, 999000, 0);
    u.Move(5000, 0, &view);
    EXPECT_EQ(u.GetStart().x, 991000);
    EXPECT_EQ(u.GetEnd().x, 1000000);
}

TEST_F(SelectionTest, MoveLocksBlockBothPoints) {
    CSelection s(1000, 100, 9000, 100);
    s.SetLock(kLockStartZ, 1);
    s.Move(500, 0, &view);
    EXPECT_EQ(s.GetStart().x, 1000);
    EXPECT_EQ(s.GetEnd().x, 9000);
    s.SetLock(kLockEndX, 1);
    s.Move(0, 50, &view);
    EXPECT_EQ(s.GetStart().y, 100);
    EXPECT_EQ(s.GetEnd().y, 100);
    EXPECT_EQ(s.GetOldStart(), CPoint(1000, 100));
}

TEST_F(SelectionTest, PlaceMarkerClampsIntoDrawingAndFollowsProfile) {
    chain.Line(0, 4000, 500000, 4000);
    chain.Line(500000, 4000, 1000000, 9000);
    CSelection s(0, 0, 0, 0);
    s.SetAttachedLayer(&chain);
    s.PlaceMarker(&view, -700, 123, kMarkerStart);
    EXPECT_EQ(s.GetStart(), CPoint(0, 4000));
    EXPECT_FALSE(s.IsComplete());
    s.PlaceMarker(&view, 2000000, 1, kMarkerEnd);
    EXPECT_EQ(s.GetEnd(), CPoint(1000000, 9000));
    EXPECT_TRUE(s.IsComplete());
    EXPECT_EQ(s.GetOldEnd(), CPoint(0, 0));

    s.SetLock(kLockStartZ, 1);
    s.PlaceMarker(&view, 3000, 4000, kMarkerStart);
    EXPECT_EQ(s.GetStart(), CPoint(0, 4000));
}

TEST_F(SelectionTest, ConstructionFromElementCopiesAttributesButNotNumber) {
    CLinear line(100, 5, 900, 7);
    line.m_nNumber = 4;
    line.SetFeed(12);
    line.SetSpeed(34);
    line.SetLeave(56);
    line.SetLock(kLockEndX, 1);
    CSelection s(line);
    EXPECT_EQ(s.GetNumber(), 0);
    EXPECT_EQ(s.GetStart(), CPoint(100, 5));
    EXPECT_EQ(s.GetOldEnd(), CPoint(900, 7));
    EXPECT_EQ(s.GetFeed(), 12);
    EXPECT_EQ(s.GetSpeed(), 34);
    EXPECT_EQ(s.GetLeave(), 56);
    EXPECT_EQ(s.GetLock(kLockEndX), 1);
    EXPECT_EQ(s.GetKind(), kKindArc);
    EXPECT_EQ(s.GetAttachedLayer(), nullptr);
    EXPECT_EQ(s.GetYAt(5), 0);
}

TEST_F(SelectionTest, LabelTruncatesToCentimetres) {
    CSelection s(150000, 0, 1230000, 0);
    s.SetNumber(3);
    EXPECT_EQ(s.GetLabel(), "Selection 3 (1, 12)");
}

TEST_F(SelectionTest, TurnOfAHundredUnitsMirrorsAboutFifty) {
    chain.Line(0, 100, 99, 100);
    chain.Line(99, 100, 1000000, 100);
    CSelection s(0, 100, 99, 100);
    s.SetAttachedLayer(&chain);
    s.Turn(&view);
    ASSERT_EQ(chain.m_added.size(), 1u);
    EXPECT_EQ(chain.m_added[0]->GetStart().x, 1);
    EXPECT_EQ(chain.m_added[0]->GetEnd().x, 100);
    EXPECT_EQ(chain.m_redraws, std::vector<int>{1});
}

TEST_F(SelectionTest, TurnReversesAStretchOverSeveralElements) {
    chain.Line(0, 1000, 100000, 1000);
    chain.Line(100000, 1000, 200000, 3000);
    chain.Line(200000, 3000, 1000000, 3000);
    CSelection s(50000, 1000, 250001, 3000);
    s.SetAttachedLayer(&chain);
    s.Turn(&view);
    ASSERT_EQ(chain.m_added.size(), 3u);
    // mid = (200001 + 1) / 2 + 50000 = 150001
    EXPECT_EQ(chain.m_added[0]->GetStart(), CPoint(200002, 1000));
    EXPECT_EQ(chain.m_added[0]->GetEnd(), CPoint(250002, 1000));
    EXPECT_EQ(chain.m_added[1]->GetStart(), CPoint(100002, 3000));
    EXPECT_EQ(chain.m_added[1]->GetEnd(), CPoint(200002, 1000));
    EXPECT_EQ(chain.m_added[2]->GetStart(), CPoint(50001, 3000));
    EXPECT_EQ(chain.m_added[2]->GetEnd(), CPoint(100002, 3000));
}

TEST_F(SelectionTest, MirrorCopiesTheStretchLeftOfTheStartMarker) {
    chain.Line(0, 1000, 400000, 1000);
    chain.Line(400000, 1000, 600000, 5000);
    chain.Line(600000, 5000, 1000000, 5000);
    CSelection s(500000, 3000, 700000, 5000);
    s.SetAttachedLayer(&chain);
    s.Mirror(&view);
    ASSERT_EQ(chain.m_added.size(), 2u);
    EXPECT_EQ(chain.m_added[0]->GetStart(), CPoint(400000, 5000));
    EXPECT_EQ(chain.m_added[0]->GetEnd(), CPoint(500000, 3000));
    EXPECT_EQ(chain.m_added[1]->GetStart(), CPoint(300000, 5000));
    EXPECT_EQ(chain.m_added[1]->GetEnd(), CPoint(400000, 5000));
    EXPECT_EQ(chain.m_redraws, (std::vector<int>{0, 1}));
}

TEST_F(SelectionTest, MirrorFromZeroDiscardsEverythingAndEqualMarkersDoNothing) {
    chain.Line(0, 1000, 400000, 1000);
    chain.Line(400000, 1000, 1000000, 5000);
    CSelection s(0, 1000, 600000, 2000);
    s.SetAttachedLayer(&chain);
    s.Mirror(&view);
    EXPECT_TRUE(chain.m_added.empty());

    CSelection same(300000, 1000, 300000, 1000);
    same.SetAttachedLayer(&chain);
    same.Mirror(&view);
    same.Turn(&view);
    EXPECT_TRUE(chain.m_added.empty());
}

TEST_F(SelectionTest, MirrorWithEndLeftOfStartGoesRightAndIsClipped) {
    chain.Line(0, 1000, 1000000, 1000);
    CSelection s(900000, 1000, 700000, 1000);
    s.SetAttachedLayer(&chain);
    s.Mirror(&view);
    ASSERT_EQ(chain.m_added.size(), 1u);
    EXPECT_EQ(chain.m_added[0]->GetStart().x, 900000);
    EXPECT_EQ(chain.m_added[0]->GetEnd().x, 1000000);
}

TEST_F(SelectionTest, WalkStopsOnAChainThatDoesNotAdvance) {
    chain.Line(0, 1000, 100000, 1000);
    chain.m_pieces.push_back(std::make_unique<CLinear>(100000, 1000, 100000, 2000));
    CSelection s(0, 1000, 500000, 1000);
    s.SetAttachedLayer(&chain);
    s.Turn(&view);  // must return
    EXPECT_LE(chain.m_added.size(), 2u);
}

TEST_F(SelectionTest, CloneKeepsLayerAndLocksButNotPlacedFlags) {
    CSelection s(10, 1, 5000, 2);
    s.SetAttachedLayer(&chain);
    s.SetLock(kLockStartX, 1);
    s.PlaceMarker(&view, 100, 1, kMarkerStart);
    s.PlaceMarker(&view, 4000, 1, kMarkerEnd);
    auto c = s.Clone();
    auto* cs = dynamic_cast<CSelection*>(c.get());
    ASSERT_NE(cs, nullptr);
    EXPECT_EQ(cs->GetAttachedLayer(), &chain);
    EXPECT_EQ(cs->GetLock(kLockStartX), 1);
    EXPECT_FALSE(cs->IsComplete());
    EXPECT_EQ(cs->GetEnd(), CPoint(4000, 1));
}

TEST_F(SelectionTest, FillPropertyBarReplacesAnEarlierSelectionEntry) {
    CMemoryControlBar bar;
    view.SetObjectBar(&bar);
    for (const char* e : {"No selection", "Border 0", "Linear 1 (0, 10)", "Selection 0 (0, 1)"}) {
        bar.AddString(IDC_OBJECT, e);
    }
    for (const char* e : {"Default", "Set"}) {
        bar.AddString(IDC_VELOCITY, e);
        bar.AddString(IDC_FEED, e);
    }
    for (const char* e : {"None", "Current", "Custom"}) {
        bar.AddString(IDC_LEAVE, e);
    }
    for (const char* e : {"Undefined", "Linear", "Arc", "Selection", "DoubleArc"}) {
        bar.AddString(IDC_TYPE, e);
    }
    bar.SetCheck(IDC_LOCK_RADIUS, 1);
    CSelection s(0, 20000, 250000, 30000);
    s.SetSpeed(1200);
    s.SetFeed(-2);
    s.SetLock(kLockEndZ, 1);
    s.FillPropertyBar(&view);
    EXPECT_EQ(bar.GetText(IDC_START_X), "  2");
    EXPECT_EQ(bar.GetText(IDC_END_Z), " 25");
    EXPECT_EQ(bar.GetCurSel(IDC_TYPE), 3);
    EXPECT_EQ(bar.GetCheck(IDC_LOCK_END_Z), 1);
    EXPECT_EQ(bar.GetCheck(IDC_LOCK_RADIUS), 0);
    EXPECT_EQ(bar.GetEntry(IDC_VELOCITY, bar.GetCurSel(IDC_VELOCITY)), "1200");
    EXPECT_EQ(bar.GetCurSel(IDC_FEED), 1);
    EXPECT_EQ(bar.GetCurSel(IDC_LEAVE), 0);
    EXPECT_EQ(bar.GetCount(IDC_OBJECT), 4);
    EXPECT_EQ(bar.GetEntry(IDC_OBJECT, 3), "Selection 0 (0, 2)");
    EXPECT_EQ(bar.GetCurSel(IDC_OBJECT), 3);
}

TEST_F(SelectionTest, RecordIsWrittenWithItsTags) {
    CSelection s(1, 2, 3, 4);
    s.SetLock(kLockEndZ, 1);
    CArchive ar;
    s.Serialize(ar);
    CArchive in(ar.GetBytes());
    EXPECT_EQ(in.ReadString(), "SELECTION");
    EXPECT_EQ(in.ReadString(), "Zacatek Selekce");
    EXPECT_EQ(in.ReadInt(), 1);  // end Z lock first
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(in.ReadInt(), 0);
    }
    EXPECT_EQ(in.ReadInt(), kLeaveNone);
    EXPECT_EQ(in.ReadInt(), -1);
    EXPECT_EQ(in.ReadInt(), -1);
    EXPECT_EQ(in.ReadInt(), 0);
    EXPECT_EQ(in.ReadPoint(), CPoint(1, 2));
    EXPECT_EQ(in.ReadPoint(), CPoint(3, 4));
    EXPECT_EQ(in.ReadString(), "Konec Selekce");
    EXPECT_TRUE(in.AtEnd());
}

TEST_F(SelectionTest, DrawSelectedComposesMarkersAndCopiesOnce) {
    CRecordingSurface window(200, 100);
    view.CreatePictures(window, 200, 100);
    view.SetOrigin(CPoint(10, 50));
    CSelection s(0, 0, 200000, 0);  // pixels 10 and 20
    s.DrawSelected(window, &view, 0, 0, 200, 100);
    EXPECT_EQ(window.GetLog(), std::vector<std::string>{"BitBlt 0,0 200x100 from picture 0,0"});
    auto* comp = dynamic_cast<CRecordingSurface*>(view.GetCompositionSurface());
    ASSERT_NE(comp, nullptr);
    EXPECT_EQ(comp->Find("Ellipse").size(), 2u);
    EXPECT_EQ(comp->Find("Text ").size(), 5u);
}

TEST_F(SelectionTest, RedrawCopiesOnlyStripes) {
    CRecordingSurface window(200, 100);
    view.CreatePictures(window, 200, 100);
    view.SetOrigin(CPoint(10, 50));
    CSelection s(0, 0, 200000, 0);
    s.PlaceMarker(&view, 400000, 0, kMarkerEnd);
    s.DrawDragFeedback(window, &view, 0, 0, 200, 100, nullptr);
    for (const std::string& l : window.GetLog()) {
        EXPECT_NE(l, "BitBlt 0,0 200x100 from picture 0,0");
    }
    EXPECT_FALSE(window.Find("BitBlt").empty());
}
