// kestrovel-cli read-nc, and the refusals every command shares: numbers that are not finite,
// and one line of the tool's own for a refused element.
#include <nlohmann/json.hpp>

#include "CliRunner.h"

namespace {

using Json = nlohmann::json;

class CliReadNc : public CliTest {
protected:
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(PathOf(name), std::ios::binary) << text;
        return PathOf(name);
    }
};

}  // namespace

TEST_F(CliReadNc, MovesThenNotesAndErrorsInTextAndJson) {
    const std::string file = Write("p.ngc",
                                   "G18 G21 G90 G7\nN10 G0 X20 Z5 F100\nG2 X20 Z-5 K-5\n#1 = 2\nG1 X10 I3\n"
                                   "G0 X40\nM5 M30\nG0 X99\n");
    const CCliResult text = Run({"read-nc", file});
    EXPECT_EQ(text.nExit, 1) << text.strErr;
    EXPECT_NE(text.strOut.find("line 2 N10: rapid line to Z 5.0000 X 10.0000\n"), std::string::npos)
        << text.strOut;
    EXPECT_NE(text.strOut.find("line 3: feed arc to Z -5.0000 X 10.0000 cw about Z 0.0000 X 10.0000\n"),
              std::string::npos);
    EXPECT_NE(text.strOut.find("line 4: error: parameters and expressions are not previewed\n"),
              std::string::npos);
    EXPECT_NE(text.strOut.find("line 5: error: I or K without an arc (G2, G3)\n"), std::string::npos);
    EXPECT_NE(text.strOut.find("4 moves, 0 notes, 2 errors in 8 lines\n"), std::string::npos);
    // The same text read as diameters from the start, as JSON.
    const CCliResult json = Run({"read-nc", file, "--diameter", "--json"});
    const Json j = Json::parse(json.strOut, nullptr, false);
    ASSERT_FALSE(j.is_discarded()) << json.strOut;
    ASSERT_EQ(j["moves"].size(), 4u);
    EXPECT_EQ(j["moves"][1]["kind"], "arc");
    EXPECT_EQ(j["moves"][1]["direction"], "cw");
    EXPECT_EQ(j["moves"][1]["centre"], Json::array({0.0, 10.0}));
    EXPECT_EQ(j["moves"][0]["block"], "N10");
    EXPECT_EQ(j["errorCount"], 2);
    EXPECT_EQ(Run({"read-nc", Write("ok.ngc", "G0 X1 Z1\nM30\n")}).nExit, 0);
    // A cut synchronised with the spindle carries its lead.
    const Json thread = Json::parse(Run({"read-nc", Write("t.ngc", "G0 X1 Z1\nG33 Z-5 K1.5\n"), "--json"}).strOut);
    EXPECT_FALSE(thread["moves"][0].contains("lead"));
    EXPECT_EQ(thread["moves"][1]["lead"], 1.5);
}

// Megabytes of junk give the first notes, a count and an end, not millions of lines.
TEST_F(CliReadNc, JunkGivesBoundedOutput) {
    std::string junk(3000000, '?');
    for (size_t i = 100; i < junk.size(); i += 101) {
        junk[i] = '\n';
    }
    const CCliResult r = Run({"read-nc", Write("junk.ngc", junk + "\n" + std::string(5000000, '!'))});
    EXPECT_EQ(r.nExit, 1);
    EXPECT_LT(LineCount(r.strOut), 1010u);
    EXPECT_NE(r.strOut.find("more errors not listed"), std::string::npos);
    EXPECT_NE(r.strOut.find("errors in 29704 lines"), std::string::npos)
        << r.strOut.substr(r.strOut.size() - 200);
}

TEST_F(CliReadNc, NumbersThatAreNotFiniteAreRefusedInEveryOption) {
    ASSERT_EQ(Run({"new", PathOf("d.kst")}).nExit, 0);
    const std::string before = ReadText(PathOf("d.kst"));
    for (const char* bad : {"nan", "inf", "-inf", "NaN", "1e999"}) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"new", PathOf("n.kst"), "--length", bad},
              {"new", PathOf("n.kst"), "--base", bad},
              {"verify", PathOf("d.kst"), "--program", "P", "--tolerance", bad}}) {
            const CCliResult r = Run(args);
            EXPECT_EQ(r.nExit, 2) << args[2] << " " << bad;
            EXPECT_NE(r.strErr.find("is not a finite number"), std::string::npos) << r.strErr;
            EXPECT_EQ(LineCount(r.strErr), 1u) << r.strErr;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(PathOf("n.kst")));
    EXPECT_EQ(ReadText(PathOf("d.kst")), before);
}

TEST_F(CliReadNc, ARefusedElementIsOneLineOfOurs) {
    ASSERT_EQ(Run({"new", PathOf("d.kst")}).nExit, 0);
    const std::string before = ReadText(PathOf("d.kst"));
    const CCliResult r =
        Run({"add", PathOf("d.kst"), "--layer", "1", "line", "2147483647", "0", "-2147483648", "5"});
    EXPECT_EQ(r.nExit, 1);
    EXPECT_EQ(LineCount(r.strErr), 1u) << r.strErr;
    EXPECT_EQ(r.strErr.rfind("kestrovel-cli: the layer refused the element", 0), 0u) << r.strErr;
    EXPECT_EQ(ReadText(PathOf("d.kst")), before);
}

// The guide's finishing pass: the feed move from the approach point onto the face is not
// measured against the profile, the pass along it is.
TEST_F(CliReadNc, VerifyLeavesTheEntryFromTheApproachPointOut) {
    const std::string file = PathOf("guide.kst");
    const std::string posts = KESTROVEL_SOURCE_DIR "/examples";
    ASSERT_EQ(Run({"new", file, "--length", "300", "--base", "80", "--shape", "cylinder"}).nExit, 0);
    ASSERT_EQ(Run({"add", file, "--layer", "1", "line", "0", "300000", "1000000", "300000"}).nExit, 0);
    ASSERT_EQ(Run({"program", file, "--name", "P", "--post", "LinuxCNC lathe", "--post-dir", posts}).nExit,
              0);
    ASSERT_EQ(Run({"command", file, "--program", "P", "--template", "Finish left to right", "layer=1",
                   "AppX=45", "AppZ=5", "RetX=45", "Feed=100", "--post-dir", posts})
                  .nExit,
              0);
    const CCliResult r = Run({"verify", file, "--program", "P", "--post-dir", posts});
    EXPECT_EQ(r.nExit, 0) << r.strOut << r.strErr;
    EXPECT_NE(r.strOut.find("largest deviation 0.0000 mm"), std::string::npos) << r.strOut;
}
