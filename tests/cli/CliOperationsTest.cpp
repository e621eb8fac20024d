// kestrovel-cli builds a program with every lathe operation in each sample post and compiles it;
// LinuxCNC output goes through rs274.
#include <filesystem>

#include "../Rs274Serialized.h"
#include "CliRunner.h"

namespace {

struct CPostCase {
    const char* pszPost;
    const char* pszOutput;
    const char* pszFeed;                // in the post's feed unit
    std::vector<const char*> expected;  // words only these commands write
};

class CliOperations : public CliTest, public ::testing::WithParamInterface<CPostCase> {
protected:
    void SetUp() override {
        CliTest::SetUp();
        std::filesystem::copy(std::string(KESTROVEL_SOURCE_DIR) + "/examples", m_dir / "examples",
                              std::filesystem::copy_options::recursive);
        ASSERT_EQ(Run({"new", File(), "--length", "100", "--base", "40"}).nExit, 0);
    }
    std::string File() const { return PathOf("shaft.kst"); }
    CCliResult Command(const std::string& name, std::vector<std::string> fields) const {
        std::vector<std::string> args = {"command",   File(),         "--post-dir", PathOf("examples"),
                                         "--program", "New Program1", "--template", name};
        args.insert(args.end(), fields.begin(), fields.end());
        return Run(args);
    }
};

}  // namespace

TEST_P(CliOperations, ProgramWithEveryOperationCompiles) {
    const CPostCase& post = GetParam();
    ASSERT_EQ(Run({"program", File(), "--post", post.pszPost, "--post-dir", PathOf("examples")}).nExit, 0);
    const std::string feed = std::string("Feed=") + post.pszFeed;
    const std::vector<std::pair<std::string, std::vector<std::string>>> commands = {
        {"Tool change", {}},
        {"Spindle on", {"Speed=1000"}},
        {"Face", {"OuterX=22", "FaceZ=100", "StockZ=101", feed}},
        {"Drill", {"StartZ=102", "HoleZ=95", "Peck=2", "Dwell=0.3", feed}},
        {"Groove", {"GrooveZ=60", "TopX=20", "Width=3", "ToolWidth=3", "Depth=1.5", feed}},
        {"Thread", {"FromZ=102", "ToZ=85", "MajorX=10", "Pitch=1.5"}},
        {"Thread passes", {"FromZ=102", "ToZ=85", "MajorX=10", "Pitch=20", "PitchInch=1"}},
        {"Part off", {"PartZ=0", "TopX=20", "Chamfer=0.5", "SlowX=2", feed, std::string("Slow") + feed}},
    };
    for (const auto& [name, fields] : commands) {
        const CCliResult r = Command(name, fields);
        ASSERT_EQ(r.nExit, 0) << name << ": " << r.strErr;
    }
    const CCliResult r =
        Run({"compile", File(), "--program", "New Program1", "--post-dir", PathOf("examples")});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    for (const char* word : post.expected) {
        EXPECT_NE(r.strOut.find(word), std::string::npos) << word << "\n" << r.strOut;
    }
    EXPECT_EQ(r.strErr, "");
    if (std::string(post.pszOutput).find(".ngc") != std::string::npos &&
        std::filesystem::exists("/usr/bin/rs274")) {
        std::ofstream(PathOf("tool.tbl")) << "T1 P1 X0 Z0 D0.4 Q3\n";
        const std::string command = std::string(kRs274Serialized) + "/usr/bin/rs274 -g -t " +
                                    PathOf("tool.tbl") + " " +
                                    PathOf(std::string("examples/Debug/") + post.pszOutput) + " " +
                                    PathOf("canon.txt") + " </dev/null >" + PathOf("log.txt") + " 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << ReadText(PathOf("log.txt"));
    }
}

TEST_F(CliTest, ThreadAboveTheZFeedLimitIsRefusedAtCompile) {
    std::filesystem::copy(std::string(KESTROVEL_SOURCE_DIR) + "/examples", m_dir / "examples",
                          std::filesystem::copy_options::recursive);
    const std::string file = PathOf("t.kst");
    const std::string dir = PathOf("examples");
    ASSERT_EQ(Run({"new", file}).nExit, 0);
    ASSERT_EQ(Run({"program", file, "--post", "LinuxCNC lathe", "--post-dir", dir}).nExit, 0);
    for (const std::vector<std::string>& fields :
         {std::vector<std::string>{"Spindle on", "Speed=2000"}, {"Thread", "MajorX=10", "Pitch=3"}}) {
        std::vector<std::string> args = {"command", file, "--post-dir", dir, "--program", "New Program1", "--template"};
        args.insert(args.end(), fields.begin(), fields.end());
        ASSERT_EQ(Run(args).nExit, 0) << fields[0];
    }
    const CCliResult r = Run({"compile", file, "--program", "New Program1", "--post-dir", dir});
    EXPECT_NE(r.strErr.find("6000 mm/min along Z, above the machine's limit of 5000 mm/min"),
              std::string::npos)
        << r.strErr;
    EXPECT_EQ(r.strOut.find("G76"), std::string::npos) << r.strOut;
}

INSTANTIATE_TEST_SUITE_P(
    SamplePosts, CliOperations,
    ::testing::Values(
        CPostCase{"LinuxCNC lathe", "LinuxCncLathe.ngc", "100", {"G76 P1.5000", "K0.9201 ", "G33 Z", "G4 P0.3000"}},
        CPostCase{"LinuxCNC lathe (diameter)", "LinuxCncDiameter.ngc", "100", {"G8\n", "G33 Z", "G7\n"}},
        CPostCase{"Fanuc-style lathe", "FanucLathe.nc", "0.1", {"G76 P10060", "G32 Z", "G04 U0.300"}}),
    [](const ::testing::TestParamInfo<CPostCase>& info) { return std::to_string(info.index); });

// The sample shaft of examples/: its operations program compiles to the NC file kept beside it,
// the interpreter accepts that file, and the turning program verifies clean against the profile.
TEST_F(CliTest, ThreadedShaftSampleIsCurrent) {
    std::filesystem::copy(std::string(KESTROVEL_SOURCE_DIR) + "/examples", m_dir / "examples",
                          std::filesystem::copy_options::recursive);
    const std::string file = PathOf("examples/threaded-shaft.kst");
    const std::string dir = PathOf("examples");
    const CCliResult r = Run({"compile", file, "--program", "Shaft operations", "--post-dir", dir, "--output",
                              PathOf("shaft.ngc")});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    const std::string kept = ReadText(PathOf("examples/threaded-shaft.ngc"));
    EXPECT_EQ(ReadText(PathOf("shaft.ngc")), kept);
    for (const char* word : {"G76 ", "G4 P", "G0 X"}) {
        EXPECT_NE(kept.find(word), std::string::npos) << word;
    }
    if (std::filesystem::exists("/usr/bin/rs274")) {
        // The library's tools the program changes to, in the interpreter's table.
        std::ofstream(PathOf("tools.tbl")) << "T1 P1 D0.8 Q2\nT3 P3 D1.6 Q2\nT7 P7 D0.4 Q2\nT8 P8 D0.3 Q6\n"
                                              "T9 P9 D8 Q7\nT10 P10 D0.4 Q1\n";
        const std::string command = std::string(kRs274Serialized) + "/usr/bin/rs274 -g -t " + PathOf("tools.tbl") +
                                    " " + PathOf("examples/threaded-shaft.ngc") + " " + PathOf("canon.txt") +
                                    " </dev/null >" + PathOf("log.txt") + " 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << ReadText(PathOf("log.txt"));
    }
    const CCliResult verify =
        Run({"verify", file, "--program", "Shaft turning", "--post-dir", dir, "--layer", "2"});
    EXPECT_EQ(verify.nExit, 0) << verify.strOut << verify.strErr;
}

// From the raw stock, the turning program leaves its layer and the whole program the finished part
// (teeth, groove, chamfer, centre hole) with no gouge, rapid through material or material left.
TEST_F(CliTest, ThreadedShaftSampleSimulatesClean) {
    std::filesystem::copy(std::string(KESTROVEL_SOURCE_DIR) + "/examples", m_dir / "examples",
                          std::filesystem::copy_options::recursive);
    const std::string file = PathOf("examples/threaded-shaft.kst");
    const std::string dir = PathOf("examples");
    for (const std::vector<std::string>& part :
         {std::vector<std::string>{"Shaft operations", "--layer", "1", "--bore-layer", "3"},
          {"Shaft turning", "--layer", "2"}}) {
        std::vector<std::string> args = {"simulate", file, "--post-dir", dir, "--allowance", "0", "--program"};
        args.insert(args.end(), part.begin(), part.end());
        const CCliResult r = Run(args);
        EXPECT_EQ(r.nExit, 0) << r.strOut << r.strErr;
        EXPECT_EQ(r.strOut.find("line "), std::string::npos) << r.strOut;
    }
}
