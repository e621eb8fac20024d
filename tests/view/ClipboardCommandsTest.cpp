// Copy, Cut and Paste of elements and stretches, the shared clipboard, undo and redo, command states.
#include "BarsFixture.h"
#include "elements/Linear.h"
#include "view/EditingTools.h"

namespace {
// 900 mm at 1 mm per pixel with a step: 0-200 at 100 mm, 200-300 at 80 mm, 300-900 at 100 mm.
class ClipboardTest : public BarsFixture {
protected:
    void SetUp() override {
        OpenSteppedProfile();
        m_nUndo = UndoCount();
    }
    static std::vector<CSpan> Stepped() {
        return {{0, 100, 200, 100}, {200, 80, 300, 80}, {300, 100, 900, 100}};
    }
    // A range from z1 to z2 (model units) on the active layer.
    void MarkRange(int32_t z1, int32_t z2) {
        Command(ID_TOOL_RANGE);
        CSelection* range = view->GetRange();
        ASSERT_NE(range, nullptr);
        range->PlaceMarker(view.get(), z1, Layer().GetYAt(z1), kMarkerStart);
        range->PlaceMarker(view.get(), z2, Layer().GetYAt(z2), kMarkerEnd);
    }
    std::vector<CSpan> Clipped() {
        std::vector<CSpan> out;
        for (const auto& p : view->Clipboard().GetPieces()) {
            out.push_back({p->GetStart().x / 10000, p->GetStart().y / 10000, p->GetEnd().x / 10000,
                           p->GetEnd().y / 10000});
        }
        return out;
    }
    bool Enabled(int id) { return view->GetCommandState(id).bEnabled; }
    int m_nUndo = 0;
};
}  // namespace

TEST_F(ClipboardTest, CopyOfARangeTakesTheStretchCutToTheMarkers) {
    MarkRange(3500000, 1500000);
    Command(ID_EDIT_COPY);
    EXPECT_EQ(Clipped(),
              (std::vector<CSpan>{{150, 100, 200, 100}, {200, 80, 300, 80}, {300, 100, 350, 100}}));
    EXPECT_EQ(Spans(), Stepped());
    EXPECT_EQ(UndoCount(), m_nUndo);
}

TEST_F(ClipboardTest, CopyOfAZeroLengthRangeLeavesTheClipboardEmpty) {
    SelectObject(1);
    Command(ID_EDIT_COPY);
    ASSERT_FALSE(view->Clipboard().IsEmpty());
    Command(ID_TOOL_SELECT);
    MarkRange(2500000, 2500000);
    Command(ID_EDIT_COPY);
    EXPECT_TRUE(view->Clipboard().IsEmpty());
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));

    Command(ID_EDIT_CUT);
    EXPECT_TRUE(view->Clipboard().IsEmpty());
    EXPECT_EQ(Spans(), Stepped());
    EXPECT_EQ(UndoCount(), m_nUndo);
}

TEST_F(ClipboardTest, CutOfASingleLineLeavesALineAtTheMaterialTop) {
    Layer().AddLine(0, 500000, 100000, 500000);
    SelectObject(1);
    ASSERT_EQ(view->GetActiveElement()->GetEnd().x, 100000);
    Command(ID_EDIT_CUT);

    ASSERT_EQ(view->Clipboard().GetCount(), 1);
    const CPiece& copy = *view->Clipboard().GetPieces().front();
    EXPECT_EQ(copy.GetStart(), CPoint(0, 500000));
    EXPECT_EQ(copy.GetEnd(), CPoint(100000, 500000));
    const CPiece& first = *Layer().GetPieces().front();
    EXPECT_EQ(first.GetStart(), CPoint(0, 1000000));
    EXPECT_EQ(first.GetEnd(), CPoint(100000, 1000000));
    EXPECT_EQ(Layer().GetLeftBorder()->GetEnd(), CPoint(0, 1000000));
    EXPECT_EQ(UndoCount(), m_nUndo + 1);
}

TEST_F(ClipboardTest, PasteTwicePutsTheSameStretchBackAtTheSamePlace) {
    MarkRange(2000000, 3000000);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(Spans(), (std::vector<CSpan>{{0, 100, 200, 100}, {200, 100, 300, 100}, {300, 100, 900, 100}}));
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Spans(), Stepped());
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Spans(), Stepped());
    EXPECT_EQ(view->Clipboard().GetCount(), 1);
    EXPECT_EQ(UndoCount(), m_nUndo + 3);

    Command(ID_EDIT_UNDO);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Spans(), (std::vector<CSpan>{{0, 100, 200, 100}, {200, 100, 300, 100}, {300, 100, 900, 100}}));
    Command(ID_EDIT_REDO);
    EXPECT_EQ(Spans(), Stepped());
}

TEST_F(ClipboardTest, PasteIntoAShorterDrawingDropsAndCutsWhatLiesBeyondIt) {
    MarkRange(1500000, 3500000);
    Command(ID_EDIT_COPY);
    CElementClipboard shared;
    for (const auto& piece : view->Clipboard().GetPieces()) {
        shared.Add(piece->Clone());
    }
    // A 250 mm drawing: 150-200 fits, 200-300 is cut at 250, 300-350 lies beyond it.
    CAcceptPropertiesPrompt prompt(CDrawingProperties{2500000, 2000000, 0, 1, 0});
    CDocServices services = doc->GetServices();
    services.pPropertiesPrompt = &prompt;
    CKestrovelDoc other(services);
    ASSERT_TRUE(other.OnNewDocument());
    CFakeViewHost window;
    auto second = MakeView(window, &other, &shared);
    ASSERT_TRUE(second->OnCommand(ID_EDIT_PASTE));

    std::vector<CSpan> spans;
    for (const auto& p : other.GetActiveLayer()->GetPieces()) {
        spans.push_back(
            {p->GetStart().x / 10000, p->GetStart().y / 10000, p->GetEnd().x / 10000, p->GetEnd().y / 10000});
    }
    EXPECT_EQ(spans, (std::vector<CSpan>{{0, 100, 150, 100}, {150, 100, 200, 100}, {200, 80, 250, 80}}));
    EXPECT_EQ(shared.GetCount(), 3);
    EXPECT_EQ(other.GetUndo(0).GetCount(), 2);
}

TEST_F(ClipboardTest, TheApplicationClipboardIsSharedByAllViews) {
    CElementClipboard shared;
    CFakeViewHost window1, window2;
    auto first = MakeView(window1, doc.get(), &shared);
    auto second = MakeView(window2, doc.get(), &shared);
    EXPECT_FALSE(second->GetCommandState(ID_EDIT_PASTE).bEnabled);
    first->Tools().SetActive(Layer().FindByNumber(2)->Clone());
    ASSERT_TRUE(first->OnCommand(ID_EDIT_COPY));
    EXPECT_EQ(shared.GetCount(), 1);
    EXPECT_EQ(&second->Clipboard(), &shared);
    EXPECT_TRUE(second->GetCommandState(ID_EDIT_PASTE).bEnabled);
    // The fixture's view was made without one and keeps its own.
    EXPECT_TRUE(view->Clipboard().IsEmpty());
}

TEST_F(ClipboardTest, CommandStatesFollowTheActiveElementClipboardAndHistory) {
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(ID_EDIT_CUT));
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
    EXPECT_TRUE(Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(Enabled(ID_EDIT_REDO));
    Command(ID_EDIT_COPY);
    Command(ID_EDIT_CUT);
    EXPECT_TRUE(view->Clipboard().IsEmpty());
    EXPECT_EQ(UndoCount(), m_nUndo);
    SelectObject(2);
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    EXPECT_TRUE(Enabled(ID_EDIT_CUT));
    Command(ID_EDIT_COPY);
    EXPECT_TRUE(Enabled(ID_EDIT_PASTE));
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Spans(), (std::vector<CSpan>{{0, 100, 900, 100}}));
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    EXPECT_TRUE(Enabled(ID_EDIT_REDO));
    // Nothing further back: the layer and its views stay as they are.
    const CLayer* before = &Layer();
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(&Layer(), before);
}

TEST_F(ClipboardTest, CutOfABorderCopiesItButReplacesNothing) {
    SelectObject(0);
    ASSERT_EQ(view->GetActiveElement()->GetKind(), kKindBorder);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(view->Clipboard().GetCount(), 1);
    EXPECT_TRUE(messages.GetBoxes().empty());
    EXPECT_EQ(Spans(), Stepped());
    EXPECT_EQ(UndoCount(), m_nUndo);
    // Pasting a border back is dropped as lying outside the drawing.
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Spans(), Stepped());
    EXPECT_EQ(Layer().GetLeftBorder()->GetEnd(), CPoint(0, 1000000));
}
