// The lathe operations of the sample posts: golden NC text in every dialect, run through rs274.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "PostTestUtil.h"
#include "Rs274Moves.h"
#include "platform/MemoryControlBar.h"
#include "platform/MemoryForm.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/ProgramList.h"

namespace fs = std::filesystem;

namespace {

const char* const kLinuxCnc = "LinuxCNC lathe";
const char* const kDiameter = "LinuxCNC lathe (diameter)";
const char* const kFanuc = "Fanuc-style lathe";

struct COperationCase {
    const char* pszCommand;
    std::map<std::string, std::string> fields;  // by key; feeds in mm/min (a thousandth in mm/rev)
    double dLowestX;                            // where the deepest cut ends (radius)
    double dLowestZ;
};

const std::vector<COperationCase>& Cases() {
    static const std::vector<COperationCase> cases = {
        {"Face",
         {{"OuterX", "22"},
          {"FaceZ", "100"},
          {"StockZ", "102.5"},
          {"Depth", "1"},
          {"Allowance", "0.2"},
          {"Feed", "120"},
          {"FinishFeed", "60"}},
         0.0,
         100.0},
        {"Groove",
         {{"GrooveZ", "40"},
          {"Width", "4"},
          {"TopX", "20"},
          {"Depth", "2"},
          {"ToolWidth", "3"},
          {"Peck", "1"},
          {"Allowance", "0.1"},
          {"Feed", "50"}},
         18.0,
         40.0},
        {"Part off",
         {{"PartZ", "0"},
          {"TopX", "20"},
          {"ToX", "-0.2"},
          {"SlowX", "3"},
          {"SlowFeed", "20"},
          {"Chamfer", "1"},
          {"Feed", "40"}},
         -0.2,
         0.0},
        {"Drill",
         {{"StartZ", "102"}, {"HoleZ", "80"}, {"Peck", "5"}, {"Dwell", "0.5"}, {"Feed", "80"}},
         0.0,
         80.0},
        {"Thread",
         {{"FromZ", "102"}, {"ToZ", "80"}, {"MajorX", "10"}, {"Pitch", "1.5"}, {"Speed", "800"}},
         9.0799,
         80.0},
        // 1/2 inch, 13 threads per inch.
        {"Thread passes",
         {{"FromZ", "102"},
          {"ToZ", "80"},
          {"MajorX", "6.35"},
          {"Pitch", "13"},
          {"PitchInch", "1"},
          {"Speed", "600"}},
         5.1515,
         80.0},
    };
    return cases;
}

std::string FileName(const std::string& post, const std::string& command) {
    std::string name = post == kLinuxCnc   ? "LinuxCncLathe"
                       : post == kDiameter ? "LinuxCncDiameter"
                                           : "FanucLathe";
    name += "-" + command + ".ngc";
    std::replace(name.begin(), name.end(), ' ', '-');
    return KESTROVEL_SOURCE_DIR "/tests/data/golden/operations/" + name;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The NC text of a program with the one command, its fields typed by key.
std::string Compile(const std::string& post, const COperationCase& c, CRecordingMessages& messages) {
    CProgramList list;
    list.ReadPostIni(KESTROVEL_SOURCE_DIR "/examples");
    CMemoryControlBar bar;
    CMemoryForm form;
    CProgram* program = list.NewProgram(bar, form);
    program->SetPostProcessor(post, bar);
    const auto& names = bar.GetEntries(IDC_PROG_TEMPLATES);
    // The threads cut at the spindle speed a "Spindle on" before them set.
    const auto speed = c.fields.find("Speed");
    if (speed != c.fields.end()) {
        program->StartCommand(form, static_cast<int>(std::find(names.begin(), names.end(), "Spindle on") -
                                                     names.begin()));
        program->GetCurrent()->GetParameters()[0]->GetEdit()->SetText(speed->second);
        EXPECT_EQ(program->AddCommand(&messages), 1);
    }
    const auto it = std::find(names.begin(), names.end(), c.pszCommand);
    EXPECT_NE(it, names.end()) << c.pszCommand;
    if (it == names.end()) {
        return "";
    }
    program->StartCommand(form, static_cast<int>(it - names.begin()));
    for (const auto& p : program->GetCurrent()->GetParameters()) {
        const auto field = c.fields.find(p->GetKey());
        if (field == c.fields.end()) {
            continue;
        }
        std::string text = field->second;
        if (post == kFanuc && p->GetKey().find("Feed") != std::string::npos) {
            text = std::to_string(std::stod(text) / 1000.0);
        }
        p->GetEdit()->SetText(text);
    }
    EXPECT_EQ(program->AddCommand(&messages), 1) << c.pszCommand;
    posttest::CTestContext context;
    EXPECT_EQ(program->Generate(context), 1);
    for (const auto& box : context.m_messages.GetBoxes()) {
        ADD_FAILURE() << box.strText;
    }
    return program->GetCode();
}

// The feed moves rs274 makes of the text; fails the test on any interpreter error.
std::vector<rs274::CMove> Interpret(const std::string& code, const fs::path& dir) {
    std::ofstream(dir / "op.ngc") << code;
    std::ofstream(dir / "tool.tbl") << "T1 P1 X0 Z0 D0.4 Q3\n";
    std::string log;
    const int rc =
        rs274::Run((dir / "tool.tbl").string(), (dir / "op.ngc").string(), (dir / "canon.txt").string(), log);
    EXPECT_EQ(rc, 0) << log << "\n" << code;
    EXPECT_EQ(log.find("rror"), std::string::npos) << log;
    return rs274::FeedMoves((dir / "canon.txt").string());
}

}  // namespace

// Every operation in every sample post writes exactly its golden text (KESTROVEL_UPDATE_GOLDEN=1
// writes the files anew, to be read and checked by hand).
TEST(OperationGolden, EveryCommandInEveryDialect) {
    const bool update = std::getenv("KESTROVEL_UPDATE_GOLDEN") != nullptr;
    for (const char* post : {kLinuxCnc, kDiameter, kFanuc}) {
        for (const COperationCase& c : Cases()) {
            CRecordingMessages messages;
            const std::string code = Compile(post, c, messages);
            const std::string path = FileName(post, c.pszCommand);
            if (update) {
                std::ofstream(path, std::ios::binary) << code;
            }
            EXPECT_EQ(code, ReadText(path)) << path;
        }
    }
}

// The interpreter accepts every LinuxCNC operation, cuts as deep as the operation asks, and the
// diameter post makes the same moves as the radius post (its cycle words stay radius values).
TEST(OperationGolden, LinuxCncOperationsRunInTheInterpreter) {
    if (!fs::exists(rs274::kPath)) {
        GTEST_SKIP() << "rs274 (Debian package linuxcnc-uspace) is not installed";
    }
    const fs::path dir = fs::temp_directory_path() / ("kestrovel_ops_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    for (const COperationCase& c : Cases()) {
        CRecordingMessages messages;
        const auto radius = Interpret(Compile(kLinuxCnc, c, messages), dir);
        const auto diameter = Interpret(Compile(kDiameter, c, messages), dir);
        ASSERT_FALSE(radius.empty()) << c.pszCommand;
        ASSERT_EQ(radius.size(), diameter.size()) << c.pszCommand;
        double lowestX = 1e9;
        double lowestZ = 1e9;
        for (size_t i = 0; i < radius.size(); ++i) {
            EXPECT_NEAR(radius[i].dX, diameter[i].dX, 0.001) << c.pszCommand << " move " << i;
            EXPECT_NEAR(radius[i].dZ, diameter[i].dZ, 0.001) << c.pszCommand << " move " << i;
            lowestX = std::min(lowestX, radius[i].dX);
            lowestZ = std::min(lowestZ, radius[i].dZ);
        }
        EXPECT_NEAR(lowestX, c.dLowestX, 0.001) << c.pszCommand;
        EXPECT_NEAR(lowestZ, c.dLowestZ, 0.001) << c.pszCommand;
    }
    fs::remove_all(dir);
}

// The written-out passes cut where LinuxCNC's own G76 cuts with the same values: the same depths
// (first cut x n^(1/1.5)), each pass moved forward along the 29.5 degree infeed, the spring pass.
TEST(OperationGolden, ThreadPassesEqualTheInterpretedCycle) {
    if (!fs::exists(rs274::kPath)) {
        GTEST_SKIP() << "rs274 (Debian package linuxcnc-uspace) is not installed";
    }
    const fs::path dir = fs::temp_directory_path() / ("kestrovel_thread_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    for (const char* pitch : {"1.5", "0.8"}) {
        std::map<std::string, std::string> fields = {
            {"FromZ", "102"}, {"ToZ", "80"}, {"MajorX", "10"}, {"Pitch", pitch}, {"Speed", "800"}, {"FirstCut", "0.2"}};
        CRecordingMessages messages;
        const auto cycle = Interpret(Compile(kLinuxCnc, {"Thread", fields, 0, 0}, messages), dir);
        const auto passes = Interpret(Compile(kLinuxCnc, {"Thread passes", fields, 0, 0}, messages), dir);
        ASSERT_EQ(cycle.size(), passes.size()) << pitch;
        ASSERT_GT(cycle.size(), 3u);
        for (size_t i = 0; i < cycle.size(); ++i) {
            EXPECT_NEAR(cycle[i].dX, passes[i].dX, 0.001) << pitch << " pass " << i;
            EXPECT_NEAR(cycle[i].dZ, passes[i].dZ, 0.001) << pitch << " pass " << i;
        }
    }
    fs::remove_all(dir);
}
