// Program editing: starting, adding, inserting, re-editing and deleting commands, the note, the pool.
#include <gtest/gtest.h>

#include "platform/MemoryControlBar.h"
#include "platform/MemoryForm.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/Program.h"
#include "postprocessor/ProgramList.h"
#include "PostTestUtil.h"

namespace {

const char* kItems =
    "BeginItem\nName:   Feed\nMacro:Feed\nHelp\nSets the feed\nEndHelp\n\"Feed\"@<F>(YY>0)?100\nEnd\n"
    "BeginItem\nName:   Spindle\nMacro:Spindle\nHelp\nSpindle on\nEndHelp\n\"Speed\"@<S>(YN)?1200\n"
    "\"Dwell\"@<P>(NY)?\nEnd\nEndDefItems\n";

class ProgramEditing : public ::testing::Test {
protected:
    void SetUp() override {
        m_pp = posttest::MakePost(kItems, "", &m_messages);
        m_program.SetSelected(0);
        m_program.m_pPreProcesor = m_pp.get();
    }
    // Starts a command from template t, types the texts into its fields and adds it.
    int Add(int t, std::vector<std::string> texts = {}) {
        m_program.StartCommand(m_form, t);
        Type(texts);
        return m_program.AddCommand(&m_messages);
    }
    void Type(const std::vector<std::string>& texts) {
        const auto& params = m_program.GetCurrent()->GetParameters();
        for (size_t i = 0; i < texts.size() && i < params.size(); ++i) {
            params[i]->GetEdit()->SetText(texts[i]);
        }
    }
    std::vector<int> Indices() const {
        std::vector<int> v;
        for (const auto& c : m_program.GetCommands()) {
            v.push_back(c->GetIndex());
        }
        return v;
    }

    CRecordingMessages m_messages;
    std::unique_ptr<CPreProcesor> m_pp;
    CMemoryForm m_form;
    CProgram m_program{"P"};
};

}  // namespace

TEST_F(ProgramEditing, AddAppendsWithNextIndex) {
    EXPECT_EQ(Add(0), 1);
    EXPECT_EQ(Add(1, {"2000"}), 1);
    EXPECT_EQ(Indices(), (std::vector<int>{0, 1}));
    EXPECT_EQ(m_program.GetCommands()[1]->GetName(), "Spindle");
    EXPECT_EQ(m_program.GetCommands()[1]->GetParameters()[0]->GetRawValue(), 20000000);
    EXPECT_EQ(m_program.GetCurrent(), nullptr);
    EXPECT_TRUE(m_form.GetControls().empty());
    // Refused input keeps the command on the panel and adds nothing.
    m_program.StartCommand(m_form, 1);
    Type({"12.5"});
    EXPECT_EQ(m_program.AddCommand(&m_messages), 0);
    EXPECT_NE(m_program.GetCurrent(), nullptr);
    EXPECT_EQ(m_program.GetCommands().size(), 2u);
    EXPECT_EQ(m_messages.GetBoxes().back().strText, "This parameter allow only integer value.");
}

TEST_F(ProgramEditing, StartWithoutTemplateOrPostProcessorStartsNothing) {
    m_program.StartCommand(m_form, 7);
    EXPECT_EQ(m_program.GetCurrent(), nullptr);
    EXPECT_EQ(m_program.AddCommand(&m_messages), 0);
    CProgram unbound("U");
    unbound.StartCommand(m_form, 0);
    EXPECT_EQ(unbound.GetCurrent(), nullptr);
}

TEST_F(ProgramEditing, InsertShiftsLaterIndices) {
    Add(0);
    Add(0);
    Add(0);
    m_program.SetSelected(0);
    m_program.StartCommand(m_form, 1);
    EXPECT_EQ(m_program.InsertCommand(&m_messages), 1);
    EXPECT_EQ(Indices(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(m_program.GetCommands()[0]->GetName(), "Spindle");
    m_program.SetSelected(9);  // beyond the last row: appended
    m_program.StartCommand(m_form, 1);
    EXPECT_EQ(m_program.InsertCommand(&m_messages), 1);
    EXPECT_EQ(Indices(), (std::vector<int>{0, 1, 2, 3, 4}));
    CProgram empty("E");
    empty.m_pPreProcesor = m_pp.get();
    empty.SetSelected(3);
    empty.StartCommand(m_form, 0);
    EXPECT_EQ(empty.InsertCommand(&m_messages), 1);
    EXPECT_EQ(empty.GetCommands()[0]->GetIndex(), 0);
}

TEST_F(ProgramEditing, DeleteKeepsIndicesAndSelection) {
    Add(0);
    Add(0);
    Add(0);
    m_program.SetSelected(2);
    m_program.DeleteCommand(1);
    EXPECT_EQ(Indices(), (std::vector<int>{0, 2}));
    EXPECT_EQ(m_program.GetSelected(), 0);
    m_program.DeleteCommand(5);
    EXPECT_EQ(m_program.GetCommands().size(), 2u);
    // Inserting after a delete continues from the indices that are there.
    m_program.SetSelected(1);
    m_program.StartCommand(m_form, 0);
    m_program.InsertCommand(&m_messages);
    EXPECT_EQ(Indices(), (std::vector<int>{0, 2, 3}));
}

TEST_F(ProgramEditing, ReeditSavesOnlyValidatedValues) {
    Add(1, {"1500", "2"});
    m_program.ReeditCommand(m_form, 0);
    ASSERT_TRUE(m_program.IsReediting());
    ASSERT_NE(m_form.FindByText("Save Reedited Command"), nullptr);
    EXPECT_EQ(m_form.FindByText("Save Reedited Command")->GetSpec().nId, IDC_SAVE_REEDITED);
    EXPECT_EQ(m_program.AddCommand(&m_messages), 0);  // no add while a re-edit is open
    Type({"1800", "x"});
    EXPECT_EQ(m_program.SaveReedited(&m_messages), 0);
    // The refused save changed nothing in the program.
    const CCommand& c = *m_program.GetCommands()[0];
    EXPECT_EQ(c.GetParameters()[0]->GetRawValue(), 15000000);
    EXPECT_EQ(c.GetParameters()[1]->HasValue(), 1);
    EXPECT_EQ(c.GetParameters()[1]->GetRawValue(), 20000);
    Type({"1800", ""});
    EXPECT_EQ(m_program.SaveReedited(&m_messages), 1);
    EXPECT_EQ(c.GetParameters()[0]->GetRawValue(), 18000000);
    EXPECT_EQ(c.GetParameters()[1]->HasValue(), 0);
    EXPECT_FALSE(m_program.IsReediting());
    EXPECT_TRUE(m_form.GetControls().empty());
}

TEST_F(ProgramEditing, StartingEndsWhatIsOnThePanel) {
    Add(1, {"1500"});
    m_program.ReeditCommand(m_form, 0);
    Type({"3000"});
    m_program.StartCommand(m_form, 0);  // the re-edit ends with the last saved values
    EXPECT_FALSE(m_program.IsReediting());
    EXPECT_EQ(m_program.GetCommands()[0]->GetParameters()[0]->GetRawValue(), 15000000);
    EXPECT_EQ(m_program.GetCommands().size(), 1u);
    CCommand* unfinished = m_program.GetCurrent();
    ASSERT_NE(unfinished, nullptr);
    m_program.StartCommand(m_form, 1);  // the unfinished new command is discarded
    EXPECT_NE(m_program.GetCurrent(), nullptr);
    EXPECT_EQ(m_program.GetCurrent()->GetName(), "Spindle");
    EXPECT_EQ(m_program.GetCommands().size(), 1u);
    EXPECT_EQ(m_form.GetControls().size(), 1u + 4u + 2u);
}

TEST_F(ProgramEditing, DeletingTheReeditedCommandClosesItsPanel) {
    Add(0);
    Add(1);
    m_program.ReeditCommand(m_form, 1);
    m_program.DeleteCommand(1);
    EXPECT_EQ(m_program.GetCurrent(), nullptr);
    EXPECT_FALSE(m_program.IsReediting());
    EXPECT_TRUE(m_form.GetControls().empty());
    EXPECT_EQ(m_program.SaveReedited(&m_messages), 0);
}

TEST_F(ProgramEditing, NoteEditor) {
    m_program.SetNote("first");
    CMemoryForm narrow(CRect(0, 0, 400, 100));
    m_program.ShowNote(narrow);
    const auto controls = narrow.GetControls();
    ASSERT_EQ(controls.size(), 2u);
    EXPECT_EQ(controls[0]->GetText(), "Program note");
    EXPECT_EQ(controls[0]->GetSpec().rcBounds, CRect(380, 6, 480, 40));
    EXPECT_EQ(controls[1]->GetSpec().kind, FormControlKind::MultiLineEdit);
    EXPECT_EQ(controls[1]->GetSpec().rcBounds, CRect(380, 30, 480, 120));
    EXPECT_EQ(controls[1]->GetText(), "first");
    controls[1]->SetText("second");
    m_program.ShowNote(narrow);  // already shown: kept as typed
    EXPECT_EQ(narrow.GetControls().size(), 2u);
    m_program.SaveNote();
    EXPECT_EQ(m_program.GetNote(), "second");
    m_program.DestroyNote();
    EXPECT_TRUE(narrow.GetControls().empty());

    CMemoryForm wide(CRect(0, 0, 1000, 300));
    m_program.ShowNote(wide);
    EXPECT_EQ(wide.GetControls()[0]->GetSpec().rcBounds, CRect(640, 6, 740, 40));
    EXPECT_EQ(wide.GetControls()[1]->GetSpec().rcBounds, CRect(380, 30, 990, 290));
    m_program.StartCommand(wide, 0);  // the note makes way for the command
    EXPECT_EQ(m_program.GetNoteEdit(), nullptr);
}

TEST_F(ProgramEditing, ValuePoolAndProgramValues) {
    EXPECT_EQ(m_program.GetValue("program"), 10.0);
    EXPECT_EQ(m_program.GetValue("F"), 2000000.0);
    Add(0);
    EXPECT_DOUBLE_EQ(m_program.GetValue("F"), 100.0);  // from the commands
    CParameter empty("Feed", "F", 0, 50000, "N");
    m_program.SetPoolValue(empty);
    EXPECT_EQ(m_program.GetValue("F"), 1000000.0);  // the pool answers first: known but empty
    CParameter set("Feed", "F", 1, 70000, "N");
    m_program.SetPoolValue(set);
    ASSERT_EQ(m_program.GetPool().size(), 1u);
    EXPECT_DOUBLE_EQ(m_program.GetValue("F"), 7.0);
    // A later empty field does not wipe the value with its stale number.
    m_program.SetPoolValue(empty);
    EXPECT_DOUBLE_EQ(m_program.GetValue("F"), 7.0);
    EXPECT_EQ(m_program.GetPool()[0]->GetRawValue(), 70000);
}

TEST_F(ProgramEditing, ShowInFormFillsTheWindow) {
    CProgramList list;
    CProgram* program = list.AddProgram("Shown");
    program->SetNumber(42);
    CMemoryControlBar bar;
    bar.AddString(IDC_PROG_POST, "Other");
    program->ShowInForm(bar, m_form);
    EXPECT_EQ(bar.GetText(IDC_PROG_NAME), "Shown");
    EXPECT_EQ(bar.GetText(IDC_PROG_NUMBER_SPIN), "42");
    EXPECT_EQ(bar.GetEntries(IDC_PROG_POST), (std::vector<std::string>{"Other", "none"}));
    EXPECT_EQ(bar.GetCurSel(IDC_PROG_POST), 1);
    ASSERT_NE(m_form.FindByText("Program note"), nullptr);
    program->ShowInForm(bar, m_form);  // showing again does not duplicate the note
    EXPECT_EQ(m_form.GetControls().size(), 2u);
    EXPECT_EQ(bar.GetEntries(IDC_PROG_POST).size(), 2u);
}
