// kestrovel-cli verify: a program read back and measured, with right and deliberately wrong posts.
#include <algorithm>
#include <nlohmann/json.hpp>

#include "CliRunner.h"

namespace {

using Json = nlohmann::json;

class CliVerify : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        ASSERT_EQ(Run({"new", File()}).nExit, 0);
        // Layer 1: a step down to 15 mm at Z 20, an upper arc from Z 40 to 60, 15 mm again.
        ASSERT_EQ(Run({"add", File(), "--layer", "1", "line", "200000", "150000", "400000", "150000"}).nExit,
                  0);
        ASSERT_EQ(Run({"add", File(), "--layer", "1", "arc", "400000", "150000", "600000", "150000", "500000",
                       "200000"})
                      .nExit,
                  0);
        ASSERT_EQ(Run({"add", File(), "--layer", "1", "line", "600000", "150000", "800000", "150000"}).nExit,
                  0);
    }
    std::string File() const { return PathOf("part.kst"); }
    static std::string PostDir() { return KESTROVEL_SOURCE_DIR "/tests/data/toolpath"; }

    // A program "P" of one finishing pass over layer 1 with the named post-processor.
    void MakeProgram(const std::string& post) {
        ASSERT_EQ(Run({"program", File(), "--name", "P", "--post", post, "--post-dir", PostDir()}).nExit, 0);
        ASSERT_EQ(
            Run({"command", File(), "--program", "P", "--template", "Finish", "--post-dir", PostDir()}).nExit,
            0);
    }
    CCliResult Verify(std::vector<std::string> extra = {}) const {
        std::vector<std::string> args = {"verify", File(), "--program", "P", "--post-dir", PostDir()};
        args.insert(args.end(), extra.begin(), extra.end());
        return Run(args);
    }
    // The line (from 1) of the compiled text holding what.
    int LineOf(const std::string& what) const {
        const CCliResult r =
            Run({"compile", File(), "--program", "P", "--post-dir", PostDir(), "--output", PathOf("out.nc")});
        const size_t at = r.strOut.find(what);
        return at == std::string::npos
                   ? 0
                   : static_cast<int>(std::count(r.strOut.begin(), r.strOut.begin() + at, '\n')) + 1;
    }
};

}  // namespace

TEST_F(CliVerify, ARightPostPassesAndPrintsTheSummary) {
    MakeProgram("Right lathe");
    const CCliResult r = Verify();
    EXPECT_EQ(r.nExit, 0) << r.strOut << r.strErr;
    EXPECT_NE(r.strOut.find("largest deviation 0.0000 mm at Z "), std::string::npos) << r.strOut;
    EXPECT_NE(r.strOut.find("within the tolerance of 0.0100 mm"), std::string::npos);
}

TEST_F(CliVerify, SwappedArcsFailAtTheArcLineInTextAndJson) {
    MakeProgram("Swapped arcs");
    const CCliResult text = Verify();
    EXPECT_EQ(text.nExit, 1);
    EXPECT_NE(text.strOut.find("exceeds the tolerance"), std::string::npos) << text.strOut;
    const CCliResult r = Verify({"--json"});
    EXPECT_EQ(r.nExit, 1);
    const Json j = Json::parse(r.strOut, nullptr, false);
    ASSERT_FALSE(j.is_discarded()) << r.strOut;
    EXPECT_EQ(j["line"], LineOf(" G3 "));
    EXPECT_EQ(j["withinTolerance"], 0);
    EXPECT_EQ(j["layer"], 1);
    EXPECT_GT(j["largestDeviation"].get<double>(), 1.0);
    EXPECT_FALSE(j["uncovered"].empty());
}

TEST_F(CliVerify, TheToleranceDecidesTheExitCode) {
    MakeProgram("Right lathe");
    // Against the flat stock of layer 2 (100 mm) the pass at 15 mm is 85 mm off.
    const Json j = Json::parse(Verify({"--json", "--layer", "2"}).strOut, nullptr, false);
    EXPECT_NEAR(j["largestDeviation"].get<double>(), 85.0, 1e-6);
    EXPECT_EQ(Verify({"--layer", "2"}).nExit, 1);
    EXPECT_EQ(Verify({"--layer", "2", "--tolerance", "90"}).nExit, 0);
    EXPECT_NE(Verify({"--tolerance", "-1"}).nExit, 0);
}

TEST_F(CliVerify, AWrongSignFailsEvenWithinAWideTolerance) {
    MakeProgram("Wrong sign");
    // The arc then starts at X -15 and ends at 15: a control refuses it.
    const CCliResult r = Verify({"--json", "--tolerance", "1000"});
    EXPECT_EQ(r.nExit, 1);
    const Json j = Json::parse(r.strOut, nullptr, false);
    EXPECT_NEAR(j["largestDeviation"].get<double>(), 200.0, 1e-6);
    ASSERT_EQ(j["errors"].size(), 1u);
    EXPECT_EQ(j["errors"][0]["line"], LineOf(" G2 "));
}

TEST_F(CliVerify, ACycleThePreviewDoesNotExpandFailsAtItsLine) {
    MakeProgram("Tapping cycle");
    const CCliResult r = Verify();
    EXPECT_EQ(r.nExit, 1) << r.strOut;
    EXPECT_NE(r.strOut.find("line " + std::to_string(LineOf("G84")) + ": error: cycle G84 is not previewed"),
              std::string::npos)
        << r.strOut;
}

TEST_F(CliVerify, AProgramWithoutAPostFailsWithOneLine) {
    ASSERT_EQ(Run({"program", File(), "--name", "P", "--post", "Right lathe", "--post-dir", PostDir()}).nExit,
              0);
    const CCliResult r = Run({"verify", File(), "--program", "Q", "--post-dir", PostDir()});
    EXPECT_NE(r.nExit, 0);
    EXPECT_NE(r.strErr.find("kestrovel-cli: "), std::string::npos);
}

TEST_F(CliVerify, TheSampleProgramFollowsItsProfileButInTheInnerCorners) {
    namespace fs = std::filesystem;
    const fs::path source(KESTROVEL_SOURCE_DIR "/examples");
    fs::copy_file(source / "sample.kst", PathOf("sample.kst"));
    fs::create_directories(PathOf("posts"));
    fs::copy(source / "Debug", PathOf("posts") + "/Debug");
    // The finishing noses follow the finished contour (layer 1) exactly; the largest deviation is
    // the 0.4 mm nose's rounding in the inner corner at Z 35, which no sharper left-hand insert reaches.
    const CCliResult r = Run({"verify", PathOf("sample.kst"), "--program", "Shaft finish", "--layer", "1",
                              "--tolerance", "0.17", "--post-dir", PathOf("posts")});
    EXPECT_EQ(r.nExit, 0) << r.strOut << r.strErr;
    EXPECT_NE(r.strOut.find("largest deviation 0.1657 mm at Z 34.883"), std::string::npos) << r.strOut;
}
