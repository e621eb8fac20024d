// The object bar on the active element: object choice, locks, point fields, velocity, feed, 3D leave.
#include "BarsFixture.h"
#include "view/WholeNumberReader.h"

TEST(WholeNumberReader, ReadsDigitsSkipsSpacesAndStopsAtThePoint) {
    EXPECT_EQ(ReadWholeNumber("12.9", 0, 99999), 12);
    EXPECT_EQ(ReadWholeNumber("1 200", 0, 99999), 1200);
    EXPECT_EQ(ReadWholeNumber(" 7 ", 0, 99999), 7);
    EXPECT_EQ(ReadWholeNumber("5.x", 0, 99999), 5);
    EXPECT_EQ(ReadWholeNumber("", 0, 99999), 0);
    EXPECT_EQ(ReadWholeNumber("99999", 0, 99999), 99999);
}

TEST(WholeNumberReader, AnswersMaxPlusOneForWrongOrOutOfRangeText) {
    EXPECT_EQ(ReadWholeNumber("12a", 0, 99999), 100000);
    EXPECT_EQ(ReadWholeNumber("-3", 0, 99999), 100000);
    EXPECT_EQ(ReadWholeNumber("100000", 0, 99999), 100000);
    EXPECT_EQ(ReadWholeNumber("3", 5, 10), 11);
    // Far more digits than any integer holds.
    EXPECT_EQ(ReadWholeNumber("123456789012345678901234567890", 0, 99999), 100000);
    EXPECT_TRUE(IsInvalidWholeNumber(100000, 99999));
}

namespace {
// A line 0-900 mm at 100 mm, the second element 200-300 mm at 80 mm; the middle one is selected.
class ObjectBarTest : public BarsFixture {
protected:
    void SetUp() override {
        OpenSteppedProfile();
        m_nUndo = UndoCount();
        SelectObject(2);
        ASSERT_NE(Active(), nullptr);
    }
    CPiece* Active() { return view->GetActiveElement(); }
    // Velocity or Feed: "Set", then the typed text.
    void TypeRate(int id, const std::string& text) {
        Choose(objectBar, id, 1);
        objectBar.SetText(id, text);
    }
    std::vector<std::string> Errors() {
        std::vector<std::string> out;
        for (const auto& box : messages.GetBoxes()) {
            EXPECT_EQ(box.strCaption, "Error");
            EXPECT_EQ(box.buttons, MessageButtons::Ok);
            out.push_back(box.strText);
        }
        return out;
    }
    int m_nUndo = 0;
};
}  // namespace

TEST_F(ObjectBarTest, ChoosingAnObjectMakesAWorkingCopyAndFillsTheBar) {
    EXPECT_EQ(MouseMode(), kModeSelected);
    EXPECT_EQ(Active()->GetStart(), CPoint(2000000, 800000));
    EXPECT_EQ(objectBar.GetText(IDC_START_Z), "200");
    EXPECT_EQ(objectBar.GetText(IDC_END_X), " 80");
    EXPECT_EQ(objectBar.GetCurSel(IDC_TYPE), 1);
    EXPECT_NE(Active(), Layer().FindByNumber(2));

    // Entry 1 is the left border, an entry past the elements the right border.
    SelectObject(0);
    EXPECT_EQ(Active()->GetKind(), kKindBorder);
    EXPECT_EQ(Active()->GetEnd(), CPoint(0, 1000000));
    // "No selection" lets the element go, and the bar shows nothing of it.
    Choose(objectBar, IDC_OBJECT, 0);
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(objectBar.GetText(IDC_END_X), "");
    EXPECT_FALSE(objectBar.IsEnabled(IDC_END_X));
}

TEST_F(ObjectBarTest, ChoosingAnObjectLeavesTheRangeModeWithTheNormalCursor) {
    Command(ID_TOOL_RANGE);
    ASSERT_EQ(MouseMode(), kModeRange);
    SelectObject(3);
    EXPECT_EQ(MouseMode(), kModeSelected);
    EXPECT_EQ(view->GetRange(), nullptr);
    EXPECT_EQ(view->GetEditState().m_nPrevMouseMode, kModeIdle);
    EXPECT_EQ(host.m_nCursor, kCursorArrow);
    EXPECT_EQ(Active()->GetStart(), CPoint(3000000, 1000000));
}

TEST_F(ObjectBarTest, VelocityReadsWholeNumbersAndRejectsOtherText) {
    TypeRate(IDC_VELOCITY, "12.9");
    ReadValues();
    EXPECT_EQ(Active()->GetSpeed(), 12);
    TypeRate(IDC_VELOCITY, "1 200");
    ReadValues();
    EXPECT_EQ(Active()->GetSpeed(), 1200);
    EXPECT_TRUE(Errors().empty());

    // A wrong text keeps the value the element had; the message is shown once.
    TypeRate(IDC_VELOCITY, "12a");
    ReadValues();
    EXPECT_EQ(Errors(), std::vector<std::string>{"You have suplied wrong velocity data"});
    EXPECT_EQ(Active()->GetSpeed(), 1200);
}

TEST_F(ObjectBarTest, WrongFeedAndLeaveTextsAreReportedAndTheOtherValuesStillRead) {
    TypeRate(IDC_VELOCITY, "300");
    TypeRate(IDC_FEED, "fast");
    Choose(objectBar, IDC_LEAVE, 2);
    objectBar.SetText(IDC_LEAVE, "1,5");
    Type(objectBar, IDC_END_X, "90");
    ReadValues();
    EXPECT_EQ(Errors(), (std::vector<std::string>{"You have suplied wrong feed data",
                                                  "You have suplied wrong 3D Leave data"}));
    EXPECT_EQ(Active()->GetSpeed(), 300);
    EXPECT_EQ(Active()->GetFeed(), -1);
    EXPECT_EQ(Active()->GetLeave(), kLeaveNone);
    EXPECT_EQ(Active()->GetEnd(), CPoint(3000000, 900000));
}

TEST_F(ObjectBarTest, LeaveIsConvertedFromTheViewUnits) {
    Choose(aidsBar, IDC_UNITS, 0);
    Choose(objectBar, IDC_LEAVE, 2);
    EXPECT_EQ(objectBar.GetCurSel(IDC_LEAVE), 3);
    objectBar.SetText(IDC_LEAVE, "2.5");
    ReadValues();
    EXPECT_EQ(Active()->GetLeave(), 250000);
    Choose(objectBar, IDC_LEAVE, 1);
    EXPECT_EQ(Active()->GetLeave(), kLeaveCurrent);
    ReadValues();
    EXPECT_EQ(Active()->GetLeave(), kLeaveCurrent);
    Choose(objectBar, IDC_LEAVE, 0);
    EXPECT_EQ(Active()->GetLeave(), kLeaveNone);
}

TEST_F(ObjectBarTest, SetTwiceAppendsASecondEmptyEntryAndTheEditTextIsRead) {
    Choose(objectBar, IDC_VELOCITY, 1);
    Choose(objectBar, IDC_VELOCITY, 1);
    EXPECT_EQ(objectBar.GetEntries(IDC_VELOCITY), (std::vector<std::string>{"Default", "Set", "", ""}));
    EXPECT_EQ(objectBar.GetCurSel(IDC_VELOCITY), 2);
    objectBar.SetText(IDC_VELOCITY, "450");
    ReadValues();
    EXPECT_EQ(Active()->GetSpeed(), 450);
    EXPECT_EQ(view->GetEditState().m_bElementChanged, 1);

    Choose(objectBar, IDC_VELOCITY, 0);
    EXPECT_EQ(Active()->GetSpeed(), -1);
}

TEST_F(ObjectBarTest, ReadValuesWithoutAChangeDoesNothing) {
    objectBar.SetText(IDC_VELOCITY, "abc");
    objectBar.SetText(IDC_END_X, "50");
    objectBar.SetCurSel(IDC_VELOCITY, 2);
    ReadValues();
    EXPECT_TRUE(messages.GetBoxes().empty());
    EXPECT_EQ(Active()->GetEnd(), CPoint(3000000, 800000));
    EXPECT_EQ(Active()->GetSpeed(), -1);

    // Once read, the pending values are gone: a second press reads nothing again.
    Type(objectBar, IDC_END_X, "50");
    ReadValues();
    EXPECT_EQ(Errors(), std::vector<std::string>{"You have suplied wrong velocity data"});
    ReadValues();
    EXPECT_EQ(messages.GetBoxes().size(), 1u);
    EXPECT_EQ(Active()->GetEnd(), CPoint(3000000, 500000));
}

TEST_F(ObjectBarTest, SlowModeRepaintsTheOverlayAndFastModeApplies) {
    Type(objectBar, IDC_END_X, "60");
    host.m_window.ClearLog();
    ReadValues();
    EXPECT_FALSE(host.m_window.GetLog().empty());
    EXPECT_EQ(host.m_window.GetLog().front(), "BitBlt 0,0 1200x600 from picture 0,0");
    EXPECT_EQ(Spans()[1], (CSpan{200, 80, 300, 80}));

    Command(ID_MODE_FAST);
    Type(objectBar, IDC_START_X, "70");
    ReadValues();
    EXPECT_EQ(view->GetActiveElement(), nullptr);
    EXPECT_EQ(Spans()[1], (CSpan{200, 70, 300, 60}));
    EXPECT_EQ(UndoCount(), m_nUndo + 1);
}

TEST_F(ObjectBarTest, LockBoxesSetTheLocksOfTheWorkingCopy) {
    Click(objectBar, IDC_LOCK_END_X, 1);
    EXPECT_EQ(Active()->GetLock(kLockEndX), 1);
    EXPECT_EQ(view->GetEditState().m_bElementChanged, 1);
    EXPECT_EQ(view->GetEditState().m_bValuesPending, 0);
    Click(objectBar, IDC_LOCK_END_X, 0);
    EXPECT_EQ(Active()->GetLock(kLockEndX), 0);
    EXPECT_EQ(Layer().FindByNumber(2)->GetLock(kLockEndX), 0);
}

TEST_F(ObjectBarTest, WithoutAnActiveElementTheBarChangesNothing) {
    Command(ID_TOOL_SELECT);
    ASSERT_EQ(Active(), nullptr);
    Click(objectBar, IDC_LOCK_START_Z, 1);
    Type(objectBar, IDC_START_X, "10");
    Choose(objectBar, IDC_VELOCITY, 1);
    Choose(objectBar, IDC_LEAVE, 2);
    ReadValues();
    EXPECT_EQ(view->GetEditState().m_bValuesPending, 0);
    EXPECT_EQ(view->GetEditState().m_bElementChanged, 0);
    EXPECT_EQ(objectBar.GetCount(IDC_VELOCITY), 2);
    EXPECT_TRUE(messages.GetBoxes().empty());
    EXPECT_EQ(UndoCount(), m_nUndo);
}

// Bar edits belong to the working copy they were made on.

TEST_F(ObjectBarTest, ALockAppliedWithOkDoesNotCommitTheNextSlowEdit) {
    SelectObject(3);  // line A, 300-900 mm
    Click(objectBar, IDC_LOCK_START_Z, 1);
    Command(ID_EDIT_OK);
    ASSERT_EQ(UndoCount(), m_nUndo + 1);
    const std::vector<CSpan> afterOk = Spans();

    LeftClick(Px(250));  // line B, 200-300 mm at 80 mm; its end dragged down to 60 mm
    Drag(CPoint(Px(300), Py(80)), CPoint(Px(300), Py(60)));
    ASSERT_EQ(Active()->GetEnd(), CPoint(3000000, 600000));
    LeftClick(Px(600), 200);  // away from the handles
    EXPECT_EQ(Spans(), afterOk) << "nothing reaches the layer without OK";
    EXPECT_EQ(UndoCount(), m_nUndo + 1);
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->GetEnd(), CPoint(3000000, 600000));

    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Layer().FindAt(5000000)->GetLock(kLockStartZ), 0);
    Command(ID_EDIT_REDO);
    EXPECT_EQ(Layer().FindAt(5000000)->GetLock(kLockStartZ), 1);
    EXPECT_EQ(Spans(), afterOk);
}

TEST_F(ObjectBarTest, BackAndANewSelectionForgetTheBarEdits) {
    Click(objectBar, IDC_LOCK_END_X, 1);
    Type(objectBar, IDC_END_X, "50");
    Command(ID_EDIT_BACK);
    EXPECT_EQ(view->GetEditState().m_bElementChanged, 0);
    EXPECT_EQ(view->GetEditState().m_bValuesPending, 0);

    SelectObject(2);
    Click(objectBar, IDC_LOCK_END_X, 1);
    SelectObject(3);
    EXPECT_EQ(view->GetEditState().m_bElementChanged, 0);
    LeftClick(Px(600), 200);
    EXPECT_EQ(Layer().FindByNumber(2)->GetLock(kLockEndX), 0);
    EXPECT_EQ(UndoCount(), m_nUndo);
}

TEST_F(ObjectBarTest, ATypedFieldIsReadOnceAndNotAgainAfterAUnitsChange) {
    Type(objectBar, IDC_END_X, "95.4");
    ReadValues();
    ASSERT_EQ(Active()->GetEnd(), CPoint(3000000, 954000));
    Choose(aidsBar, IDC_UNITS, 0);
    ASSERT_EQ(objectBar.GetText(IDC_END_X), " 10");
    TypeRate(IDC_VELOCITY, "150");
    ReadValues();
    EXPECT_EQ(Active()->GetSpeed(), 150);
    EXPECT_EQ(Active()->GetEnd(), CPoint(3000000, 954000));
}
