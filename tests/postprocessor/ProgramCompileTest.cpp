// Program compilation: start and end code, command order, block numbers, the pool and the NC file.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/MemoryForm.h"
#include "postprocessor/Program.h"
#include "postprocessor/ProgramList.h"
#include "PostTestUtil.h"

namespace {

const char* kItems =
    "BeginItem\nName:   Feed\nMacro:Feed\nHelp\nh\nEndHelp\n\"Feed\"@<F>(NY)?100\nEnd\n"
    "BeginItem\nName:   Ghost\nMacro:Missing\nHelp\nh\nEndHelp\nEnd\n"
    "BeginItem\nName:   Silent\nMacro:\nHelp\nh\nEndHelp\n\"Feed\"@<F>(NY)?250\nEnd\nEndDefItems\n";
const char* kMacros =
    "START\nStartCode\nO<program>\nEnd\nBeginMacro\nEND\nEndCode\nG00 F<F>\nM30\nEnd\n"
    "BeginMacro\nNORMAL\nFeed\nG01 F<F>\nEnd\n";

std::string ReadFile(const std::filesystem::path& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    ReadFileBytes(path.string(), bytes, error);
    return std::string(bytes.begin(), bytes.end());
}

class ProgramCompile : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() / ("kestrovel_compile_" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_dir);
        m_pp = posttest::MakePost(kItems, kMacros, &m_context.m_messages);
        m_pp->m_strOutputPath = (m_dir / "out.nc").string();
        m_program.m_pPreProcesor = m_pp.get();
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    void Add(int t, const std::string& text = "") {
        m_program.StartCommand(m_form, t);
        if (!text.empty()) {
            m_program.GetCurrent()->GetParameters()[0]->GetEdit()->SetText(text);
        }
        ASSERT_EQ(m_program.AddCommand(&m_context.m_messages), 1);
    }

    std::filesystem::path m_dir;
    posttest::CTestContext m_context;
    std::unique_ptr<CPreProcesor> m_pp;
    CMemoryForm m_form;
    CProgram m_program{"P"};
    CMemoryTextWindow m_output;
};

}  // namespace

TEST_F(ProgramCompile, EmptyProgramIsStartAndEndCode) {
    CParameter feed("F", "F", 1, 20000, "N");
    m_program.SetPoolValue(feed);
    EXPECT_EQ(m_program.Compile(&m_output, m_context), 1);
    EXPECT_EQ(m_program.GetCode(), "N10 O10\nN20 G00 F2\nN30 M30\n");
    EXPECT_EQ(m_output.GetText(), m_program.GetCode());
    EXPECT_EQ(ReadFile(m_dir / "out.nc"), "N10 O10\r\nN20 G00 F2\r\nN30 M30\r\n");
    EXPECT_EQ(m_pp->GetCurrentProgram(), nullptr);
}

TEST_F(ProgramCompile, CommandsInOrderWithMissingMacroLine) {
    Add(0, "120");
    Add(1);
    Add(2);
    m_program.Compile(&m_output, m_context);
    EXPECT_EQ(m_program.GetCode(),
              "N10 O10\nN20 G01 F120\nFailed to find Macro for command: Ghost\nN30 G00 F250\nN40 M30\n");
    EXPECT_EQ(m_program.GetCommands()[0]->GetCachedMacro(), m_pp->FindMacro("Feed"));
}

TEST_F(ProgramCompile, CompilingTwiceRestartsNumbersAndKeepsThePool) {
    Add(2, "300");  // a command without macro still feeds the pool
    m_program.Compile(&m_output, m_context);
    const std::string first = m_program.GetCode();
    EXPECT_EQ(first, "N10 O10\nN20 G00 F300\nN30 M30\n");
    m_program.DeleteCommand(0);
    m_program.Compile(&m_output, m_context);
    EXPECT_EQ(m_program.GetCode(), first);  // the pool remembers F from the first compilation
    EXPECT_EQ(m_output.GetSetCount(), 2);
}

TEST_F(ProgramCompile, OutputPathCanBeGiven) {
    EXPECT_EQ(m_program.Compile(nullptr, m_context, (m_dir / "other.nc").string()), 1);
    EXPECT_EQ(ReadFile(m_dir / "other.nc"), "N10 O10\r\n");
    EXPECT_FALSE(std::filesystem::exists(m_dir / "out.nc"));
}

TEST_F(ProgramCompile, UnboundProgramDoesNothing) {
    CProgram unbound("U");
    EXPECT_EQ(unbound.Compile(&m_output, m_context), 0);
    EXPECT_EQ(m_output.GetSetCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "out.nc"));
}

TEST_F(ProgramCompile, UnwritableOutputLeavesTraceAndShowsCode) {
    m_pp->m_strOutputPath = (m_dir / "missing" / "out.nc").string();
    EXPECT_EQ(m_program.Compile(&m_output, m_context), 0);
    // The end code knows no F here, so it is left out; the start code still shows.
    EXPECT_EQ(m_output.GetText(), "N10 O10\n");
    const auto& traces = m_context.m_messages.GetTraces();
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_EQ(traces[0], "Can't open file " + m_pp->m_strOutputPath + ", error = 2\n");
}

TEST_F(ProgramCompile, FailedWriteKeepsThePreviousFile) {
    m_program.Compile(&m_output, m_context);
    const std::string before = ReadFile(m_dir / "out.nc");
    // A read-only output file is refused before anything is written.
    std::filesystem::permissions(m_dir / "out.nc", std::filesystem::perms(0444));
    Add(0, "5");
    EXPECT_EQ(m_program.Compile(&m_output, m_context), 0);
    EXPECT_EQ(ReadFile(m_dir / "out.nc"), before);
    const auto& traces = m_context.m_messages.GetTraces();
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_EQ(traces[0], "Can't open file " + (m_dir / "out.nc").string() + ", error = 13\n");
}

TEST(ProgramBinding, LoadedProgramFindsItsPostProcessorByName) {
    CProgramList list;
    CProgram* program = list.AddProgram("Loaded");
    program->m_strPostName = "Nowhere";
    posttest::CTestContext context;
    EXPECT_EQ(program->Generate(context), 0);  // no such post-processor

    // The second sample by its full name, whose prefix is the first's: bound, read and compiled.
    list.ReadPostIni(KESTROVEL_SOURCE_DIR "/examples");
    ASSERT_EQ(list.GetPreProcesors().size(), 3u);
    program->m_strPostName = "LinuxCNC lathe (diameter)";
    EXPECT_EQ(program->Generate(context), 1);
    EXPECT_EQ(program->GetPreProcesor(), list.GetPreProcesors()[1].get());
    EXPECT_TRUE(list.GetPreProcesors()[1]->IsLoaded());
    // Its start code switches to diameter mode, its end code ends the program.
    EXPECT_NE(program->GetCode().find("G18 G21 G90 G90.1 G7 G94"), std::string::npos) << program->GetCode();
    EXPECT_NE(program->GetCode().find("M30"), std::string::npos);
}
