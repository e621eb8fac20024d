// A whole editing session by mouse gestures: lines and an arc, handle edits, a mirror, undo and redo.
#include "ViewFixture.h"
#include "elements/Arc.h"

namespace {
class ScriptedEditingTest : public ViewFixture {
protected:
    void SetUp() override {
        OpenWindow();
        UseMillimetrePixels();
    }
    // In range mode with a creating tool: the start marker by a left click, the end by a right one.
    void RangeGesture(int fromMm, int toMm) {
        LeftClick(Px(fromMm));
        RightClick(Px(toMm));
    }
};
}  // namespace

TEST_F(ScriptedEditingTest, DrawEditMirrorUndoRedo) {
    const int undo0 = UndoCount();
    Command(ID_MODE_FAST);

    // A line over 200-400 mm.
    Command(ID_TOOL_RANGE);
    Command(ID_TOOL_LINE);
    RangeGesture(200, 400);
    ASSERT_EQ(Spans(), (std::vector<CSpan>{{0, 100, 200, 100}, {200, 100, 400, 100}, {400, 100, 900, 100}}));

    // Its end handle dragged down to 60 mm; the span stays locked.
    Command(ID_TOOL_SELECT);
    LeftClick(Px(300));
    Drag(CPoint(Px(400), Py(100)), CPoint(Px(430), Py(60)));
    ASSERT_EQ(Spans(), (std::vector<CSpan>{{0, 100, 200, 100}, {200, 100, 400, 60}, {400, 100, 900, 100}}));

    // An arc over 300-500 mm through the profile's point at 400 mm.
    Command(ID_TOOL_RANGE);
    Command(ID_TOOL_CIRCLE);
    RangeGesture(300, 500);
    const std::vector<CSpan> beforeMirror{
        {0, 100, 200, 100}, {200, 100, 300, 80}, {300, 80, 500, 100}, {500, 100, 900, 100}};
    ASSERT_EQ(Spans(), beforeMirror);
    const CPiece* arc = Layer().FindAt(4000000);
    EXPECT_EQ(arc->GetKind(), kKindArc);
    EXPECT_EQ(arc->GetYAt(4000000), 1000000);
    EXPECT_EQ(arc->GetLock(kLockStartZ), 1);

    // Its mid-point handle pulled up to 110 mm at 400 mm.
    Command(ID_TOOL_SELECT);
    LeftClick(Px(400));
    ASSERT_NE(dynamic_cast<CArc*>(view->GetActiveElement()), nullptr);
    const CPoint mid = view->ModelToScreen(dynamic_cast<CArc*>(view->GetActiveElement())->GetMid());
    Drag(mid, CPoint(Px(400), Py(110)));
    ASSERT_EQ(Spans(), beforeMirror);
    EXPECT_NEAR(Layer().FindAt(4000000)->GetYAt(4000000), 1100000, 1);

    // The falling stretch 200-300 mirrored to its left, in slow mode.
    Command(ID_MODE_SLOW);
    Command(ID_TOOL_RANGE);
    RangeGesture(200, 300);
    Command(ID_TOOL_MIRROR);
    const std::vector<CSpan> mirrored{{0, 100, 100, 100},
                                      {100, 80, 200, 100},
                                      {200, 100, 300, 80},
                                      {300, 80, 500, 100},
                                      {500, 100, 900, 100}};
    EXPECT_EQ(Spans(), mirrored);
    EXPECT_EQ(UndoCount(), undo0 + 5);

    doc->Undo();
    EXPECT_EQ(Spans(), beforeMirror);
    doc->Undo();
    EXPECT_EQ(Spans(), beforeMirror);
    EXPECT_EQ(Layer().FindAt(4000000)->GetYAt(4000000), 1000000);
    doc->Undo();
    EXPECT_EQ(Spans(), (std::vector<CSpan>{{0, 100, 200, 100}, {200, 100, 400, 60}, {400, 100, 900, 100}}));
    for (int i = 0; i < 3; ++i) {
        doc->Redo();
    }
    EXPECT_EQ(Spans(), mirrored);
    EXPECT_EQ(Layer().FindAt(4000000)->GetKind(), kKindArc);
    EXPECT_NEAR(Layer().FindAt(4000000)->GetYAt(4000000), 1100000, 1);
}
