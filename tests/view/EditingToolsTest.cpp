// Editing by mouse: ranges into lines, fast and slow mode, OK and Back, handles, Mirror, Turn, Move.
#include "ViewFixture.h"
#include "elements/DoubleArc.h"
#include "elements/Linear.h"

namespace {
// 900 mm at 1 mm per pixel, with a lower step: 0-200 at 100 mm, 200-300 at 80 mm, 300-900 at 100 mm.
class EditingToolsTest : public ViewFixture {
protected:
    void SetUp() override {
        OpenSteppedProfile();
        ASSERT_EQ(Spans(), Stepped());
        m_nUndo = UndoCount();
    }
    static std::vector<CSpan> Stepped() {
        return {{0, 100, 200, 100}, {200, 80, 300, 80}, {300, 100, 900, 100}};
    }
    // Left click at 250 mm, right click at 350 mm: a range over the end of the step and what follows.
    void RangeGesture() {
        LeftClick(Px(250), 420);
        RightClick(Px(350));
    }
    int m_nUndo = 0;
};
}  // namespace

TEST_F(EditingToolsTest, FastLineGestureAppliesOneLineWithUndo) {
    Command(ID_MODE_FAST);
    Command(ID_TOOL_RANGE);
    Command(ID_TOOL_LINE);
    EXPECT_EQ(view->GetRange(), nullptr);
    RangeGesture();
    EXPECT_EQ(Spans(),
              (std::vector<CSpan>{
                  {0, 100, 200, 100}, {200, 80, 250, 80}, {250, 80, 350, 100}, {350, 100, 900, 100}}));
    const CPiece* line = Layer().FindAt(3000000);
    EXPECT_EQ(line->GetKind(), kKindLine);
    EXPECT_EQ(line->GetLock(kLockStartZ), 1);
    EXPECT_EQ(line->GetLock(kLockEndZ), 1);
    EXPECT_EQ(line->GetLock(kLockStartX), 0);
    EXPECT_EQ(UndoCount(), m_nUndo + 1);
    EXPECT_EQ(MouseMode(), kModeRange);
    EXPECT_EQ(view->GetRange(), nullptr);
    EXPECT_EQ(view->GetActiveElement(), nullptr);
    EXPECT_EQ(view->GetActiveTool(), kToolRange);
}

TEST_F(EditingToolsTest, SlowLineGestureWaitsForOk) {
    Command(ID_TOOL_RANGE);
    RangeGesture();
    ASSERT_NE(view->GetRange(), nullptr);
    EXPECT_TRUE(view->GetRange()->IsComplete());
    EXPECT_EQ(Spans(), Stepped());

    Command(ID_TOOL_LINE);
    EXPECT_EQ(view->GetRange(), nullptr);
    ASSERT_NE(view->GetActiveElement(), nullptr);
    EXPECT_EQ(view->GetActiveElement()->GetKind(), kKindLine);
    EXPECT_EQ(view->GetActiveElement()->GetLock(kLockStartZ), 1);
    EXPECT_EQ(view->GetActiveElement()->GetLock(kLockEndZ), 1);
    EXPECT_EQ(MouseMode(), kModeSelected);
    EXPECT_EQ(Spans(), Stepped());

    Command(ID_EDIT_OK);
    EXPECT_EQ(Spans().size(), 4u);
    EXPECT_EQ(UndoCount(), m_nUndo + 1);
    EXPECT_EQ(MouseMode(), kModeRange);
    EXPECT_EQ(view->GetActiveTool(), kToolRange);
}

TEST_F(EditingToolsTest, BackDiscardsTheWorkingLineAndReturnsToRangeMode) {
    Command(ID_TOOL_RANGE);
    RangeGesture();
    Command(ID_TOOL_LINE);
    ASSERT_NE(view->GetActiveElement(), nullptr);
    host.m_window.ClearLog();
    Command(ID_EDIT_BACK);
    EXPECT_EQ(view->GetActiveElement(), nullptr);
    EXPECT_EQ(MouseMode(), kModeRange);
    EXPECT_EQ(Spans(), Stepped());
    EXPECT_EQ(UndoCount(), m_nUndo);
    EXPECT_EQ(host.m_window.GetLog(), std::vector<std::string>{"BitBlt 0,0 1200x600 from picture 0,0"});
}

TEST_F(EditingToolsTest, OkIsRefusedWhileARangeIsBeingDefined) {
    Command(ID_TOOL_RANGE);
    RangeGesture();
    EXPECT_TRUE(view->GetCommandState(ID_EDIT_OK).bEnabled);
    Command(ID_EDIT_OK);
    EXPECT_NE(view->GetRange(), nullptr);
    EXPECT_EQ(view->GetActiveElement(), view->GetRange());
    EXPECT_EQ(Spans(), Stepped());
    EXPECT_EQ(UndoCount(), m_nUndo);
}

TEST_F(EditingToolsTest, HandleDropInSlowModeKeepsTheCopyUnapplied) {
    LeftClick(Px(500));
    ASSERT_EQ(MouseMode(), kModeSelected);
    Drag(CPoint(Px(300), Py(100)), CPoint(Px(320), Py(100)));
    EXPECT_EQ(MouseMode(), kModeSelected);
    ASSERT_NE(view->GetActiveElement(), nullptr);
    EXPECT_EQ(view->GetActiveElement()->GetStart(), CPoint(3200000, 1000000));
    EXPECT_EQ(Spans(), Stepped());
    EXPECT_EQ(host.m_ptCursor, CPoint(Px(300), Py(100)));
    EXPECT_EQ(host.m_nCursor, kCursorArrow);
}

TEST_F(EditingToolsTest, HandleDropInFastModeApplies) {
    Command(ID_MODE_FAST);
    LeftClick(Px(500));
    view->OnLButtonDown(kMouseLeft, CPoint(Px(300), Py(100)));
    EXPECT_EQ(MouseMode(), kModeHandleDrag);
    EXPECT_EQ(host.m_nCursor, kCursorGrab);
    EXPECT_TRUE(view->OnSetCursor());
    view->OnMouseMove(kMouseLeft, CPoint(Px(320), Py(100)));
    view->OnLButtonUp(0, CPoint(Px(320), Py(100)));
    EXPECT_EQ(MouseMode(), kModeIdle);
    EXPECT_EQ(view->GetActiveElement(), nullptr);
    EXPECT_EQ(Spans(),
              (std::vector<CSpan>{
                  {0, 100, 200, 100}, {200, 80, 300, 80}, {300, 100, 320, 100}, {320, 100, 900, 100}}));
    EXPECT_EQ(UndoCount(), m_nUndo + 1);
}

TEST_F(EditingToolsTest, ClickingAwayAfterALockChangeAppliesWithoutUndo) {
    LeftClick(Px(500));
    ASSERT_NE(view->GetActiveElement(), nullptr);
    view->EditState().m_bElementChanged = 1;
    view->GetActiveElement()->SetLock(kLockEndX, 1);
    LeftClick(Px(600), 200);
    EXPECT_EQ(view->GetActiveElement(), nullptr);
    EXPECT_EQ(MouseMode(), kModeIdle);
    EXPECT_EQ(Layer().FindAt(5000000)->GetLock(kLockEndX), 1);
    EXPECT_EQ(UndoCount(), m_nUndo);
    EXPECT_EQ(view->EditState().m_bElementChanged, 0);
}

TEST_F(EditingToolsTest, ClickingAwayWithoutChangeKeepsTheSelectionInSlowMode) {
    LeftClick(Px(500));
    LeftClick(Px(600), 200);
    EXPECT_EQ(MouseMode(), kModeSelected);
    ASSERT_NE(view->GetActiveElement(), nullptr);
    EXPECT_EQ(view->GetActiveElement()->GetStart().x, 3000000);

    Command(ID_MODE_FAST);
    LeftClick(Px(100), 200);  // selects the element under the click instead
    ASSERT_NE(view->GetActiveElement(), nullptr);
    EXPECT_EQ(view->GetActiveElement()->GetStart().x, 0);
}

TEST_F(EditingToolsTest, MirrorWithTheStartMarkerAtZeroDiscardsTheCopy) {
    Command(ID_TOOL_RANGE);  // the whole drawing: start marker at 0
    ASSERT_NE(view->GetRange(), nullptr);
    EXPECT_EQ(view->GetRange()->GetStart().x, 0);
    Command(ID_TOOL_MIRROR);
    EXPECT_EQ(view->GetRange(), nullptr);
    EXPECT_EQ(view->GetActiveElement(), nullptr);
    EXPECT_EQ(Spans(), Stepped());
    EXPECT_EQ(UndoCount(), m_nUndo);
}

TEST_F(EditingToolsTest, MirrorOfAStretchIsRecordedForUndo) {
    Command(ID_TOOL_RANGE);
    LeftClick(Px(300));
    RightClick(Px(400));
    Command(ID_TOOL_MIRROR);
    // 300-400 at 100 mm mirrored about 300 lands on 200-300.
    EXPECT_EQ(Spans(), (std::vector<CSpan>{{0, 100, 200, 100}, {200, 100, 300, 100}, {300, 100, 900, 100}}));
    EXPECT_EQ(UndoCount(), m_nUndo + 1);
    doc->Undo();
    EXPECT_EQ(Spans(), Stepped());
}

TEST_F(EditingToolsTest, TurnMirrorsAHundredUnitsAboutFifty) {
    Command(ID_MODE_FAST);
    Command(ID_TOOL_RANGE);
    CSelection* range = view->GetRange();
    ASSERT_NE(range, nullptr);
    range->PlaceMarker(view.get(), 0, 1000000, kMarkerStart);
    range->PlaceMarker(view.get(), 99, 1000000, kMarkerEnd);
    Command(ID_TOOL_TURN);
    const auto& pieces = Layer().GetPieces();
    ASSERT_EQ(pieces.size(), 5u);
    auto it = pieces.begin();
    EXPECT_EQ((*it)->GetEnd().x, 1);
    ++it;
    EXPECT_EQ((*it)->GetStart().x, 1);
    EXPECT_EQ((*it)->GetEnd().x, 100);
    // In fast mode the range stays: it is never handed to the layer as an element.
    EXPECT_EQ(view->GetRange(), range);
    EXPECT_EQ(view->GetActiveElement(), range);
    EXPECT_EQ(UndoCount(), m_nUndo + 1);
}

TEST_F(EditingToolsTest, MirrorAndTurnOfASingleElement) {
    Command(ID_MODE_FAST);
    Command(ID_TOOL_RANGE);
    Command(ID_TOOL_LINE);
    RangeGesture();  // a line 250-350 rising from 80 to 100 mm
    Command(ID_TOOL_SELECT);
    LeftClick(Px(300));
    Command(ID_TOOL_TURN);
    EXPECT_EQ(Layer().FindAt(3000000)->GetStart(), CPoint(2500000, 1000000));
    EXPECT_EQ(UndoCount(), m_nUndo + 2);

    Command(ID_MODE_SLOW);
    LeftClick(Px(300));
    Command(ID_TOOL_MIRROR);
    ASSERT_NE(view->GetActiveElement(), nullptr);
    EXPECT_EQ(view->GetActiveElement()->GetStart(), CPoint(2500000, 800000));
    EXPECT_EQ(Layer().FindAt(3000000)->GetStart(), CPoint(2500000, 1000000));
}

TEST_F(EditingToolsTest, MoveDragShiftsTheCopyAndAppliesInFastMode) {
    LeftClick(Px(250));
    Command(ID_TOOL_MOVE);
    EXPECT_EQ(MouseMode(), kModeMove);
    EXPECT_EQ(host.m_nCursor, kCursorMove);
    Drag(CPoint(Px(250), Py(80)), CPoint(Px(250), Py(90)));
    EXPECT_EQ(MouseMode(), kModeMove);
    EXPECT_EQ(view->GetActiveElement()->GetStart(), CPoint(2000000, 900000));
    EXPECT_EQ(Spans(), Stepped());

    Command(ID_MODE_FAST);
    Drag(CPoint(Px(250), Py(90)), CPoint(Px(250), Py(70)));
    EXPECT_EQ(view->GetActiveElement(), nullptr);
    EXPECT_EQ(Spans()[1], (CSpan{200, 70, 300, 70}));
    EXPECT_EQ(UndoCount(), m_nUndo + 1);
}

TEST_F(EditingToolsTest, MoveOutsideTheSpanDoesNotStart) {
    LeftClick(Px(250));
    Command(ID_TOOL_MOVE);
    ASSERT_NE(view->GetActiveElement(), nullptr);
    Drag(CPoint(Px(500), Py(80)), CPoint(Px(500), Py(90)));
    EXPECT_EQ(MouseMode(), kModeMove);
    ASSERT_NE(view->GetActiveElement(), nullptr);
    EXPECT_EQ(view->GetActiveElement()->GetStart(), CPoint(2000000, 800000));
    EXPECT_EQ(Spans(), Stepped());
}

TEST_F(EditingToolsTest, FastMoveOfTheRangeKeepsIt) {
    Command(ID_MODE_FAST);
    Command(ID_TOOL_RANGE);
    Command(ID_TOOL_LINE);
    LeftClick(Px(250), 420);  // a range 250-300: only the start marker placed
    ASSERT_NE(view->GetRange(), nullptr);
    Command(ID_TOOL_MOVE);
    Drag(CPoint(Px(280), 420), CPoint(Px(290), 420));
    ASSERT_NE(view->GetRange(), nullptr);
    EXPECT_EQ(view->GetRange()->GetStart().x, 2600000);
    EXPECT_EQ(view->GetRange()->GetEnd().x, 3100000);
    EXPECT_EQ(Spans(), Stepped());
    EXPECT_EQ(UndoCount(), m_nUndo);
}

TEST_F(EditingToolsTest, AxisSnapPullsTheStartMarkerOntoANearBoundary) {
    Command(ID_TOOL_RANGE);
    view->Aids().m_nSnapMain = 3;  // "5 points"
    view->OnLButtonDown(kMouseLeft, CPoint(Px(203), 420));
    EXPECT_EQ(view->GetRange()->GetStart(), CPoint(2000000, 1000000));
    view->OnLButtonUp(0, CPoint(Px(206), 420));
    EXPECT_EQ(view->GetRange()->GetStart(), CPoint(2060000, 800000));
    // Left of a boundary the marker goes to the start of the element on the right.
    view->OnLButtonDown(kMouseLeft, CPoint(Px(297), 420));
    EXPECT_EQ(view->GetRange()->GetStart(), CPoint(3000000, 1000000));
}

TEST_F(EditingToolsTest, MarkersFollowTheHeldButtonAndIgnoreOutsideTheDrawing) {
    Command(ID_TOOL_RANGE);
    view->OnMouseMove(kMouseLeft, CPoint(Px(120), 400));
    EXPECT_EQ(view->GetRange()->GetStart().x, 1200000);
    view->OnMouseMove(kMouseRight, CPoint(Px(700), 400));
    EXPECT_EQ(view->GetRange()->GetEnd().x, 7000000);
    view->OnMouseMove(kMouseLeft | kMouseShift, CPoint(Px(150), 400));
    EXPECT_EQ(view->GetRange()->GetStart().x, 1200000);
    view->OnMouseMove(kMouseLeft, CPoint(Px(-10), 400));
    view->OnMouseMove(kMouseRight, CPoint(Px(950), 400));
    EXPECT_EQ(view->GetRange()->GetStart().x, 1200000);
    EXPECT_EQ(view->GetRange()->GetEnd().x, 7000000);
}

TEST_F(EditingToolsTest, ClickLeftOfTheProfileFindsTheLeftBorder) {
    Command(ID_TOOL_RANGE);
    Command(ID_MODE_FAST);
    Command(ID_TOOL_LINE);
    RightClick(Px(-20));
    EXPECT_NE(view->GetRange(), nullptr);  // the left border under the click
    EXPECT_EQ(Spans(), Stepped());

    Command(ID_TOOL_SELECT);
    LeftClick(Px(-20));
    ASSERT_NE(view->GetActiveElement(), nullptr);
    EXPECT_EQ(view->GetActiveElement()->GetKind(), kKindBorder);
}

TEST_F(EditingToolsTest, CommandStatesFollowTheEditingState) {
    EXPECT_TRUE(view->GetCommandState(ID_TOOL_SELECT).bChecked);
    EXPECT_FALSE(view->GetCommandState(ID_TOOL_MIRROR).bEnabled);
    EXPECT_FALSE(view->GetCommandState(ID_TOOL_MOVE).bEnabled);
    EXPECT_FALSE(view->GetCommandState(ID_EDIT_OK).bEnabled);
    EXPECT_TRUE(view->GetCommandState(ID_MODE_SLOW).bChecked);
    EXPECT_TRUE(view->GetCommandState(ID_TOOL_K1).bEnabled);
    for (int id : {ID_TOOL_K2, ID_TOOL_K3, ID_TOOL_K4, ID_TOOL_CURVE}) {
        EXPECT_FALSE(view->GetCommandState(id).bEnabled) << id;
        EXPECT_FALSE(view->OnCommand(id)) << id;
    }
    EXPECT_TRUE(view->GetCommandState(ID_TOOL_DEBUG).bEnabled);

    LeftClick(Px(500));
    EXPECT_TRUE(view->GetCommandState(ID_TOOL_MIRROR).bEnabled);
    EXPECT_TRUE(view->GetCommandState(ID_EDIT_BACK).bEnabled);
    EXPECT_TRUE(view->GetCommandState(ID_TOOL_LINE).bChecked);  // the active element is a line
    Command(ID_MODE_FAST);
    EXPECT_FALSE(view->GetCommandState(ID_EDIT_OK).bEnabled);
    EXPECT_FALSE(view->GetCommandState(ID_EDIT_BACK).bEnabled);
    Command(ID_TOOL_RANGE);
    EXPECT_TRUE(view->GetCommandState(ID_TOOL_RANGE).bChecked);
    EXPECT_TRUE(view->GetCommandState(ID_TOOL_LINE).bChecked);  // range selection in fast mode
}

TEST_F(EditingToolsTest, ResetEditingReturnsToTheRememberedLayer) {
    Command(ID_TOOL_RANGE);
    doc->SetActiveLayer(3);
    view->ResetEditing();
    EXPECT_EQ(doc->GetActiveLayerIndex(), 0);
    EXPECT_EQ(view->GetActiveElement(), nullptr);
    EXPECT_EQ(MouseMode(), kModeRange);
    EXPECT_EQ(view->GetActiveTool(), kToolRange);

    Command(ID_TOOL_SELECT);
    view->SetRememberedLayer(2);
    view->ResetEditing();
    EXPECT_EQ(doc->GetActiveLayerIndex(), 2);
    EXPECT_EQ(MouseMode(), kModeIdle);
}

TEST_F(EditingToolsTest, RangeAttachedThroughUndoStillFollowsTheLayer) {
    Command(ID_TOOL_RANGE);
    LeftClick(Px(250), 420);
    doc->Undo();  // the active layer object is replaced
    view->OnRButtonDown(kMouseRight, CPoint(Px(350), 400));
    EXPECT_EQ(view->GetRange()->GetEnd(), CPoint(3500000, 1000000));
}

TEST_F(EditingToolsTest, K1TurnsTheRangeIntoATwoArcCurveThroughTheProfile) {
    Command(ID_TOOL_RANGE);
    RangeGesture();
    Command(ID_TOOL_K1);
    auto* curve = dynamic_cast<CDoubleArc*>(view->GetActiveElement());
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve->GetStart(), CPoint(2500000, 800000));
    EXPECT_EQ(curve->GetEnd(), CPoint(3500000, 1000000));
    EXPECT_EQ(curve->GetJunction(), CPoint(3000000, 1000000));
    EXPECT_EQ(curve->GetDirection().x, 2500000 - 100000);  // one tenth of the span left of the start
    EXPECT_EQ(curve->GetLock(kLockStartZ), 1);
    EXPECT_EQ(curve->GetLock(kLockEndZ), 1);
    EXPECT_EQ(MouseMode(), kModeSelected);
    EXPECT_TRUE(view->GetCommandState(ID_TOOL_K1).bChecked);

    // Its junction handle reshapes it before it is applied.
    const CPoint junction = view->ModelToScreen(curve->GetJunction());
    Drag(junction, CPoint(junction.x, junction.y - 5));
    EXPECT_EQ(MouseMode(), kModeSelected);
    EXPECT_NE(curve->GetJunction(), CPoint(3000000, 1000000));

    Command(ID_EDIT_OK);
    const CPiece* applied = Layer().FindAt(3000000);
    EXPECT_EQ(applied->GetKind(), kKindDoubleArc);
    EXPECT_EQ(applied->IsCompound(), 1);
    EXPECT_EQ(Spans().size(), 4u);
    EXPECT_EQ(UndoCount(), m_nUndo + 1);
}

TEST_F(EditingToolsTest, FastK1AppliesAndAShortRangeMakesNoCurve) {
    Command(ID_MODE_FAST);
    Command(ID_TOOL_RANGE);
    Command(ID_TOOL_K1);
    RangeGesture();
    EXPECT_EQ(Layer().FindAt(3000000)->GetKind(), kKindDoubleArc);
    EXPECT_EQ(MouseMode(), kModeRange);

    LeftClick(Px(600));
    RightClick(Px(600));  // both markers at one point
    EXPECT_NE(view->GetRange(), nullptr);
    EXPECT_EQ(UndoCount(), m_nUndo + 1);
}

TEST_F(EditingToolsTest, SlowK1OnATooShortRangeKeepsTheRangeAndItsMarkers) {
    Command(ID_TOOL_RANGE);
    LeftClick(Px(600));
    RightClick(Px(600));  // both markers at one point: no room for a curve
    Command(ID_TOOL_K1);
    EXPECT_EQ(MouseMode(), kModeRange);
    ASSERT_NE(view->GetRange(), nullptr);
    EXPECT_EQ(view->GetActiveElement(), view->GetRange());

    // Clicks still move the markers, and a longer range makes the curve.
    LeftClick(Px(500));
    EXPECT_EQ(view->GetRange()->GetStart().x, 5000000);
    Command(ID_TOOL_K1);
    ASSERT_NE(view->GetActiveElement(), nullptr);
    EXPECT_EQ(view->GetActiveElement()->GetKind(), kKindDoubleArc);
    EXPECT_EQ(MouseMode(), kModeSelected);
    EXPECT_EQ(Spans(), Stepped());
}
