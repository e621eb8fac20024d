// kestrovel-cli simulate: the sample clean, faulty posts and programs found at their line.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "../Rs274Serialized.h"

namespace {

using Json = nlohmann::json;

class CliSimulate : public CliTest {
protected:
    std::string File() const { return PathOf("part.kst"); }
    static std::string TestPosts() { return KESTROVEL_SOURCE_DIR "/tests/data/toolpath"; }

    // A drawing with a step down to 15 mm at Z 20, an upper arc from Z 40 to 60, 15 mm again,
    // and a program "P" of one finishing pass over it with the named post-processor.
    void MakePart(const std::string& post) {
        ASSERT_EQ(Run({"new", File()}).nExit, 0);
        for (const std::vector<std::string>& add :
             {std::vector<std::string>{"line", "200000", "150000", "400000", "150000"},
              {"arc", "400000", "150000", "600000", "150000", "500000", "200000"},
              {"line", "600000", "150000", "800000", "150000"}}) {
            std::vector<std::string> args{"add", File(), "--layer", "1"};
            args.insert(args.end(), add.begin(), add.end());
            ASSERT_EQ(Run(args).nExit, 0);
        }
        ASSERT_EQ(Run({"program", File(), "--name", "P", "--post", post, "--post-dir", TestPosts()}).nExit,
                  0);
        ASSERT_EQ(
            Run({"command", File(), "--program", "P", "--template", "Finish", "--post-dir", TestPosts()})
                .nExit,
            0);
    }
    CCliResult Simulate(const std::string& file, const std::string& program, const std::string& postDir,
                        std::vector<std::string> extra = {}) const {
        std::vector<std::string> args = {"simulate", file, "--program", program, "--post-dir", postDir};
        args.insert(args.end(), extra.begin(), extra.end());
        return Run(args);
    }
    Json SimulateJson(const std::string& file, const std::string& program, const std::string& postDir,
                      std::vector<std::string> extra = {}) const {
        extra.push_back("--json");
        return Json::parse(Simulate(file, program, postDir, extra).strOut, nullptr, false);
    }
    // The line (from 1) of P's compiled text holding what.
    int LineOf(const std::string& what) const {
        const CCliResult r = Run(
            {"compile", File(), "--program", "P", "--post-dir", TestPosts(), "--output", PathOf("out.nc")});
        const size_t at = r.strOut.find(what);
        return at == std::string::npos
                   ? 0
                   : static_cast<int>(std::count(r.strOut.begin(), r.strOut.begin() + at, '\n')) + 1;
    }
    // A copy of the sample drawing and its post-processors; returns the post folder.
    std::string CopySample() const {
        namespace fs = std::filesystem;
        const fs::path source(KESTROVEL_SOURCE_DIR "/examples");
        fs::copy_file(source / "sample.kst", PathOf("sample.kst"));
        fs::create_directories(PathOf("posts"));
        fs::copy(source / "Debug", PathOf("posts") + "/Debug");
        return PathOf("posts");
    }
};

}  // namespace

TEST_F(CliSimulate, TheSampleIsCleanAndItsRoughingLeavesTheAllowance) {
    const std::string posts = CopySample();
    const std::string sample = PathOf("sample.kst");
    // The sample's tools from its library: roughing, the pocket, both finishing passes.
    const CCliResult text = Simulate(sample, "Shaft finish", posts, {"--layer", "1"});
    EXPECT_EQ(text.nExit, 0) << text.strOut << text.strErr;
    const Json j = SimulateJson(sample, "Shaft finish", posts, {"--layer", "1", "--allowance", "0.005"});
    ASSERT_FALSE(j.is_discarded());
    EXPECT_TRUE(j["gouges"].empty()) << j.dump(1);
    EXPECT_TRUE(j["rapids_through_material"].empty()) << j.dump(1);
    EXPECT_TRUE(j["not_simulated"].empty()) << j.dump(1);
    // Only the inner corners keep what the finishing noses (0.4 and 0.2 mm) cannot reach.
    EXPECT_EQ(j["left_over"].size(), 3u) << j.dump(1);
    for (const Json& range : j["left_over"]) {
        EXPECT_LT(range["thickness_mm"].get<double>(), 0.4 * (std::sqrt(2.0) - 1.0) + 0.001) << range.dump();
        const double z = range["z_from"].get<double>();
        EXPECT_TRUE(std::fabs(z - 34.65) < 0.2 || std::fabs(z - 60) < 0.01 || std::fabs(z - 95) < 0.01) << z;
    }
    EXPECT_GT(j["air_cutting_share"].get<double>(), 0.0);
    EXPECT_LT(j["air_cutting_share"].get<double>(), 0.5);

    // Its roughing alone (the left-hand cycle, the pocket from the right and the groove with the
    // 35 deg insert kept 0.5 mm off the profile) leaves the 0.5 mm allowance and no more.
    ASSERT_EQ(Run({"program", sample, "--name", "Roughing", "--post", "LinuxCNC lathe", "--post-dir", posts}).nExit, 0);
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"Tool change", "Tool=5"},
          {"Rough cycle", "layer=3", "AppX=32", "Clear=2", "Depth=2", "Allow=0.5", "Retract=0.5", "RetX=35", "Feed=200"},
          {"Tool change", "Tool=3"},
          {"Rapid to point", "X=35", "Z=123"},
          {"Finish right to left, compensated", "layer=4", "AppX=16", "AppZ=123", "RetX=35", "Feed=150"},
          {"Tool change", "Tool=2"},
          {"Rapid to point", "X=35", "Z=123"},
          {"Rough right to left, compensated", "layer=6", "AppX=15", "AppZ=123", "RetX=35", "Allow=0.5",
           "Feed=150"}}) {
        std::vector<std::string> args{"command", sample, "--program", "Roughing", "--post-dir", posts, "--template"};
        args.insert(args.end(), command.begin(), command.end());
        ASSERT_EQ(Run(args).nExit, 0) << command[0];
    }
    const CCliResult roughing = Simulate(sample, "Roughing", posts, {"--layer", "1", "--allowance", "0.55"});
    EXPECT_EQ(roughing.nExit, 0) << roughing.strOut << roughing.strErr;
    const Json cut = SimulateJson(sample, "Roughing", posts, {"--layer", "1", "--allowance", "0.55"});
    EXPECT_TRUE(cut["gouges"].empty()) << cut.dump(1);
    EXPECT_TRUE(cut["rapids_through_material"].empty()) << cut.dump(1);
    EXPECT_TRUE(cut["left_over"].empty()) << cut.dump(1);

    // Without a library every tool is a point: a pass along layer 2 (the contour lifted by 1 mm)
    // leaves the 1 mm allowance over layer 1, and no more.
    std::filesystem::remove(posts + "/Debug/Tools.ini");
    // A roughing pass along layer 2 leaves the 1 mm allowance over layer 1, and no more.
    ASSERT_EQ(
        Run({"program", sample, "--name", "Rough", "--post", "LinuxCNC lathe", "--post-dir", posts}).nExit,
        0);
    ASSERT_EQ(Run({"command", sample, "--program", "Rough", "--template", "Rapid to point", "X=35", "Z=-2",
                   "--post-dir", posts})
                  .nExit,
              0);
    ASSERT_EQ(Run({"command", sample, "--program", "Rough", "--template", "Finish left to right", "layer=2",
                   "AppX=35", "AppZ=-2", "RetX=45", "Feed=200", "--post-dir", posts})
                  .nExit,
              0);
    EXPECT_EQ(Simulate(sample, "Rough", posts, {"--layer", "1", "--allowance", "1"}).nExit, 0);
    const CCliResult tight =
        Simulate(sample, "Rough", posts, {"--layer", "1", "--allowance", "0.5", "--json"});
    EXPECT_EQ(tight.nExit, 1);
    const Json rough = Json::parse(tight.strOut, nullptr, false);
    ASSERT_FALSE(rough["left_over"].empty()) << tight.strOut;
    double thickest = 0.0;
    for (const Json& range : rough["left_over"]) {
        thickest = std::max(thickest, range["thickness_mm"].get<double>());
        EXPECT_LT(range["z_from"].get<double>(), range["z_to"].get<double>());
        EXPECT_GT(range["line"].get<int>(), 0);
    }
    EXPECT_NEAR(thickest, 1.0, 0.01);
    // Without --allowance the material left is listed but does not fail the run; without --layer
    // the part is layer 1, not the roughing contour the program walks.
    EXPECT_EQ(Simulate(sample, "Rough", posts, {"--layer", "1"}).nExit, 0);
    EXPECT_NE(Simulate(sample, "Rough", posts).strOut.find("program \"Rough\", layer 1:"), std::string::npos);
}

TEST_F(CliSimulate, TheSampleProgramRunsInTheInterpreter) {
    const std::string posts = CopySample();
    ASSERT_EQ(Run({"compile", PathOf("sample.kst"), "--program", "Shaft finish", "--post-dir", posts, "--output",
                   PathOf("sample.ngc")})
                  .nExit,
              0);
    // The library's tools in the interpreter's table (nose diameters and orientations).
    std::ofstream(PathOf("tools.tbl")) << "T1 P1 D0.8 Q2\nT2 P2 D0.4 Q2\nT3 P3 D1.6 Q2\nT4 P4 D6 Q9\n"
                                          "T5 P5 D1.6 Q1\nT6 P6 D0.8 Q1\n";
    const std::string command = std::string(kRs274Serialized) + "/usr/bin/rs274 -g -t " + PathOf("tools.tbl") +
                                " " + PathOf("sample.ngc") + " > " + PathOf("canon.txt") + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << ReadText(PathOf("canon.txt"));
    const std::string canon = ReadText(PathOf("canon.txt"));
    EXPECT_NE(canon.find("STRAIGHT_FEED"), std::string::npos);
    EXPECT_NE(canon.find("PROGRAM_END"), std::string::npos) << canon;
}

TEST_F(CliSimulate, ArcsTurnedTheWrongWayGougeAtTheirLine) {
    MakePart("Swapped arcs");
    const CCliResult r = Simulate(File(), "P", TestPosts(), {"--json"});
    EXPECT_EQ(r.nExit, 1);
    const Json j = Json::parse(r.strOut, nullptr, false);
    ASSERT_FALSE(j.is_discarded()) << r.strOut;
    ASSERT_EQ(j["gouges"].size(), 1u) << r.strOut;
    EXPECT_EQ(j["gouges"][0]["line"], LineOf(" G3 "));
    EXPECT_GT(j["gouges"][0]["depth_mm"].get<double>(), 1.0);
    EXPECT_GT(j["gouges"][0]["area_mm2"].get<double>(), 1.0);
    EXPECT_EQ(j["layer"], 1);
    // The right post cuts the same part cleanly.
    std::filesystem::remove(File());
    MakePart("Right lathe");
    EXPECT_EQ(Simulate(File(), "P", TestPosts()).nExit, 0);
}

TEST_F(CliSimulate, ABlockItCannotFollowIsListedAndFails) {
    MakePart("Wrong sign");
    const CCliResult r = Simulate(File(), "P", TestPosts(), {"--json"});
    EXPECT_EQ(r.nExit, 1);
    const Json j = Json::parse(r.strOut, nullptr, false);
    ASSERT_EQ(j["not_simulated"].size(), 1u) << r.strOut;
    EXPECT_EQ(j["not_simulated"][0]["line"], LineOf(" G2 "));
    const CCliResult text = Simulate(File(), "P", TestPosts());
    EXPECT_NE(text.strOut.find("not simulated"), std::string::npos) << text.strOut;
    // A cycle the reader does not expand is the reader's error, listed once at its line.
    std::filesystem::remove(File());
    MakePart("Tapping cycle");
    const Json cycle = SimulateJson(File(), "P", TestPosts());
    ASSERT_EQ(cycle["not_simulated"].size(), 1u) << cycle.dump(1);
    EXPECT_EQ(cycle["not_simulated"][0]["line"], LineOf("G84"));
    EXPECT_EQ(cycle["not_simulated"][0]["text"], "cycle G84 is not previewed");
    EXPECT_EQ(Simulate(File(), "P", TestPosts()).nExit, 1);
}

TEST_F(CliSimulate, ARapidAcrossTheStockIsFoundAtItsLine) {
    const std::string posts = CopySample();
    const std::string sample = PathOf("sample.kst");
    ASSERT_EQ(
        Run({"program", sample, "--name", "Bad", "--post", "LinuxCNC lathe", "--post-dir", posts}).nExit, 0);
    for (const char* z : {"Z=-2", "Z=60"}) {
        ASSERT_EQ(Run({"command", sample, "--program", "Bad", "--template", "Rapid to point", "X=29", z,
                       "--post-dir", posts})
                      .nExit,
                  0);
    }
    const CCliResult r = Simulate(sample, "Bad", posts, {"--layer", "1", "--json"});
    EXPECT_EQ(r.nExit, 1);
    const Json j = Json::parse(r.strOut, nullptr, false);
    ASSERT_EQ(j["rapids_through_material"].size(), 1u) << r.strOut;
    const Json& rapid = j["rapids_through_material"][0];
    // From Z 0 to 60 the stock stands 1 mm above X 29.
    EXPECT_NEAR(rapid["area_mm2"].get<double>(), 60.0, 1e-6);
    const CCliResult nc = Run({"compile", sample, "--program", "Bad", "--post-dir", posts});
    const size_t at = nc.strOut.find("Z60.0000");
    ASSERT_NE(at, std::string::npos) << nc.strOut;
    EXPECT_EQ(rapid["line"], std::count(nc.strOut.begin(), nc.strOut.begin() + at, '\n') + 1);
    EXPECT_EQ(rapid["block"].get<std::string>().substr(0, 1), "N");
    EXPECT_TRUE(j["gouges"].empty());
}

// Tool 1 of the sample library (0.4 mm nose, tip at the lower left) finishing a 10 mm taper from
// X 20 down to X 15: written for its imaginary tip, the nose leaves the taper short of the profile.
TEST_F(CliSimulate, TheBoundToolCutsTheCompensatedTaperCleanAndTheUncompensatedOneShort) {
    const std::string posts = CopySample();
    auto simulateTaper = [&](const std::string& finish) {
        std::filesystem::remove(File());
        EXPECT_EQ(Run({"new", File(), "--length", "50", "--base", "41"}).nExit, 0);
        for (const std::vector<std::string>& add :
             {std::vector<std::string>{"line", "0", "200000", "300000", "200000"},
              {"line", "300000", "200000", "400000", "150000"},
              {"line", "400000", "150000", "500000", "150000"}}) {
            std::vector<std::string> args{"add", File(), "--layer", "1"};
            args.insert(args.end(), add.begin(), add.end());
            EXPECT_EQ(Run(args).nExit, 0);
        }
        EXPECT_EQ(Run({"program", File(), "--name", "P", "--post", "LinuxCNC lathe", "--post-dir", posts}).nExit, 0);
        EXPECT_EQ(Run({"command", File(), "--program", "P", "--template", "Tool change", "Tool=1", "--post-dir",
                       posts})
                      .nExit,
                  0);
        EXPECT_EQ(Run({"command", File(), "--program", "P", "--template", finish, "layer=1", "AppX=21",
                       "AppZ=-2", "RetX=25", "Feed=100", "--post-dir", posts})
                      .nExit,
                  0);
        return SimulateJson(File(), "P", posts, {"--allowance", "0.05"});
    };
    const Json comp = simulateTaper("Finish left to right, compensated");
    ASSERT_FALSE(comp.is_discarded());
    EXPECT_TRUE(comp["gouges"].empty()) << comp.dump();
    EXPECT_TRUE(comp["rapids_through_material"].empty()) << comp.dump();
    EXPECT_TRUE(comp["left_over"].empty()) << comp.dump();

    const Json plain = simulateTaper("Finish left to right");
    ASSERT_FALSE(plain.is_discarded());
    EXPECT_TRUE(plain["gouges"].empty()) << plain.dump();
    // Besides the corner at the start the nose cannot reach, the taper: the nose centre stands
    // 0.4 mm off in Z and X, 0.537 mm from the taper, so 0.137 mm short of it.
    const auto taper = std::find_if(plain["left_over"].begin(), plain["left_over"].end(),
                                    [](const Json& l) { return l["z_to"].get<double>() > 35.0; });
    ASSERT_NE(taper, plain["left_over"].end()) << plain.dump();
    EXPECT_NEAR((*taper)["thickness_mm"].get<double>(), 0.137, 0.01);
    EXPECT_GT((*taper)["z_from"].get<double>(), 29.5);
    EXPECT_LT((*taper)["z_to"].get<double>(), 40.5);
}
