// The document's program list: naming, switching, the window lists and re-reading definitions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/MemoryControlBar.h"
#include "platform/MemoryForm.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/ProgramList.h"
#include "PostTestUtil.h"

namespace {

// A start directory with a registry of two post-processors, the first with real files.
class ProgramListTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() / ("kestrovel_list_" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_dir / "Debug");
        std::ofstream(m_dir / "Debug" / "Post.ini")
            << "BeginPost\nheader\nName:    Alpha\nDefPath: \\alpha.*\nOutPath: \\alpha.nc\nSpare:   \\x\n--\n"
               "Name:    Beta\nDefPath: \\beta.*\nOutPath: \\beta.nc\nSpare:   \\x\n--\nEndPost\n";
        WriteItems("Move");
        std::ofstream(m_dir / "Debug" / "alpha.pos")
            << "BeginVar\nX>4.3\nEnd\nNumber\nY\nLetter\nN\nSequence_N\n1\n1\nFirst#?\nY\nLast#?\nY\n"
               "Incremental?\nN\nCtrIncremental?\nN\nDefOCI\nBeginObj\n0\nEndObj\n0\nDivideObj\nEnd\n"
               "BeginMacro\nNORMAL\nMove\nG0 X<X>\nEnd\nBeginMacro\nENDPOSTPROCESOR\n";
        m_list.ReadPostIni(m_dir.string());
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    void WriteItems(const std::string& name) {
        std::ofstream(m_dir / "Debug" / "alpha.itm")
            << "BeginItem\nName:   " << name << "\nMacro:Move\nHelp\nh\nEndHelp\n\"X\"@<X>(YY)?1\nEnd\nEndDefItems\n";
    }

    std::filesystem::path m_dir;
    CRecordingMessages m_messages;
    CProgramList m_list{&m_messages};
    CMemoryControlBar m_bar;
    CMemoryForm m_form;
};

}  // namespace

TEST_F(ProgramListTest, NewProgramsFillTheGapsInTheNames) {
    CProgram* first = m_list.NewProgram(m_bar, m_form);
    EXPECT_EQ(first->GetName(), "New Program1");
    EXPECT_EQ(first->GetIndex(), 0);
    EXPECT_EQ(m_list.GetActiveProgram(), first);
    m_list.NewProgram(m_bar, m_form)->SetName("New Program3");
    EXPECT_EQ(m_list.NewProgram(m_bar, m_form)->GetName(), "New Program2");
    EXPECT_EQ(m_list.GetPrograms().back()->GetIndex(), 2);
    EXPECT_EQ(m_bar.GetEntries(IDC_PROG_SELECT),
              (std::vector<std::string>{"New Program1", "New Program2", "New Program2"}));
    EXPECT_EQ(m_bar.GetText(IDC_PROG_NAME), "New Program2");
    EXPECT_EQ(m_form.GetControls().size(), 2u);  // only the new program's note is shown
}

TEST_F(ProgramListTest, SelectProgram) {
    m_list.SelectProgram("", m_bar, m_form);  // no programs: nothing happens
    EXPECT_EQ(m_list.GetActiveProgram(), nullptr);
    CProgram* a = m_list.AddProgram("Same");
    CProgram* b = m_list.AddProgram("Same");
    CProgram* c = m_list.AddProgram("Other");
    m_list.SetActiveProgram(nullptr);
    m_list.SelectProgram("", m_bar, m_form);
    EXPECT_EQ(m_list.GetActiveProgram(), a);
    m_list.SelectProgram("Same", m_bar, m_form);
    EXPECT_EQ(m_list.GetActiveProgram(), b);  // the last of that name
    m_list.SelectProgram("Nobody", m_bar, m_form);
    EXPECT_EQ(m_list.GetActiveProgram(), b);
    m_list.SelectProgram("Other", m_bar, m_form);
    EXPECT_EQ(m_list.GetActiveProgram(), c);
    EXPECT_EQ(m_form.GetControls().size(), 2u);  // the previous program's note went away
    m_list.FillProgramCombo(m_bar);
    EXPECT_EQ(m_bar.GetEntries(IDC_PROG_SELECT).size(), 3u);
    EXPECT_EQ(m_bar.GetCurSel(IDC_PROG_SELECT), 2);
}

TEST_F(ProgramListTest, BindingFillsTheTemplatesLazily) {
    m_list.FillPreProcesorList(m_bar);
    EXPECT_EQ(m_bar.GetEntries(IDC_PROG_POST), (std::vector<std::string>{"Alpha", "Beta"}));
    CProgram* program = m_list.NewProgram(m_bar, m_form);
    EXPECT_FALSE(m_list.FindPreProcesor("Alpha")->IsLoaded());
    program->SetPostProcessor("Alpha", m_bar);
    EXPECT_TRUE(m_list.FindPreProcesor("Alpha")->IsLoaded());
    EXPECT_EQ(program->GetPostName(), "Alpha");
    EXPECT_EQ(m_bar.GetEntries(IDC_PROG_TEMPLATES), (std::vector<std::string>{"Move"}));
    program->SetPostProcessor("Gamma", m_bar);  // unknown: stays bound to Alpha
    EXPECT_EQ(program->GetPostName(), "Alpha");
    // Beta's files do not exist: binding works, the list stays empty, traces name the files.
    program->SetPostProcessor("Beta", m_bar);
    EXPECT_TRUE(m_bar.GetEntries(IDC_PROG_TEMPLATES).empty());
    EXPECT_EQ(m_messages.GetTraces().size(), 2u);
}

TEST_F(ProgramListTest, ReactivateClearsCachedMacrosAndRereads) {
    CProgram* program = m_list.NewProgram(m_bar, m_form);
    program->SetPostProcessor("Alpha", m_bar);
    program->StartCommand(m_form, 0);
    ASSERT_EQ(program->AddCommand(&m_messages), 1);
    posttest::CTestContext context;
    program->Generate(context);
    EXPECT_EQ(program->GetCode(), "N1 G0 X1.000\n");
    ASSERT_NE(program->GetCommands()[0]->GetCachedMacro(), nullptr);
    WriteItems("Moved");
    m_list.ReactivatePreProcesor(m_bar);
    EXPECT_EQ(program->GetCommands()[0]->GetCachedMacro(), nullptr);
    EXPECT_EQ(m_bar.GetEntries(IDC_PROG_TEMPLATES), (std::vector<std::string>{"Moved"}));
    EXPECT_EQ(m_list.FindPreProcesor("Alpha")->GetTemplates().size(), 1u);
    program->Generate(context);
    EXPECT_EQ(program->GetCode(), "N1 G0 X1.000\n");
}
