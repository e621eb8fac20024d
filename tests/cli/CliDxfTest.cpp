// kestrovel-cli import-dxf and export-dxf: the sample shaft into the sample drawing, through LinuxCNC's
// rs274.
#include "../Rs274Serialized.h"
#include <nlohmann/json.hpp>

#include "CliRunner.h"

namespace {

using Json = nlohmann::json;

class CliDxf : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        std::filesystem::copy(std::string(KESTROVEL_SOURCE_DIR) + "/examples", m_dir / "examples",
                              std::filesystem::copy_options::recursive);
    }
    std::string File() const { return PathOf("examples/sample.kst"); }
    std::string Shaft() const { return PathOf("examples/shaft.dxf"); }
};

TEST_F(CliDxf, SampleShaftImportsIntoLayerOneAndCompilesForLinuxCnc) {
    CCliResult r = Run({"import-dxf", File(), Shaft(), "--layer", "1", "--dxf-layer", "CONTOUR"});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    EXPECT_EQ(r.strOut,
              "axis: the CENTER line on layer CENTER, horizontal\ntaken: 8 lines, 1 arcs\n"
              "Z 0: the part's end, 5.000 mm along the axis from its first point\n");
    const Json layer = Json::parse(Run({"dump", File()}).strOut)["layers"][0];
    ASSERT_EQ(layer["elements"].size(), 9u);
    EXPECT_EQ(layer["elements"][0]["start"], Json::parse("[0, 110000]"));
    EXPECT_EQ(layer["elements"][5]["kind"], "arc");
    EXPECT_EQ(layer["elements"][8]["end"], Json::parse("[1200000, 120000]"));

    const std::string post = PathOf("examples");
    ASSERT_EQ(Run({"program", File(), "--post", "LinuxCNC lathe", "--post-dir", post}).nExit, 0);
    for (std::vector<std::string> command :
         {std::vector<std::string>{"--template", "Tool change", "Tool=1"},
          {"--template", "Spindle on"},
          {"--template", "Finish left to right", "AppX=40", "AppZ=-2", "RetX=40", "Feed=150"}}) {
        std::vector<std::string> args{"command", File(), "--post-dir", post, "--program", "New Program1"};
        args.insert(args.end(), command.begin(), command.end());
        r = Run(args);
        ASSERT_EQ(r.nExit, 0) << r.strErr;
    }
    r = Run({"compile", File(), "--program", "New Program1", "--post-dir", post, "--output",
             PathOf("shaft.ngc")});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    if (!std::filesystem::exists("/usr/bin/rs274")) {
        GTEST_SKIP() << "rs274 (linuxcnc-uspace) is not installed";
    }
    std::ofstream(PathOf("tool.tbl")) << "T1 P1 X0 Z0 D0.4 Q3 ;finishing\n";
    const std::string command = std::string(kRs274Serialized) + "/usr/bin/rs274 -g -t " + Quote(PathOf("tool.tbl")) + " " +
                                Quote(PathOf("shaft.ngc")) + " " + Quote(PathOf("canon.txt")) +
                                " </dev/null >" + Quote(PathOf("log.txt")) + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0)
        << ReadText(PathOf("log.txt")) << ReadText(PathOf("shaft.ngc"));
    EXPECT_NE(ReadText(PathOf("canon.txt")).find("ARC_FEED"), std::string::npos);
}

TEST_F(CliDxf, JunkAndEmptyImportsLeaveTheFileAsItWas) {
    const std::string before = ReadText(File());
    std::ofstream(PathOf("zeros.dxf"), std::ios::binary) << std::string(5 * 1024 * 1024, '\0');
    std::ofstream(PathOf("short.dxf")) << "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n";
    std::ofstream(PathOf("text.dxf"))
        << "0\nSECTION\n2\nENTITIES\n0\nTEXT\n8\n0\n10\n0\n20\n0\n40\n1\n1\nA\n0\nENDSEC\n0\nEOF\n";
    for (const char* name : {"zeros.dxf", "short.dxf", "text.dxf"}) {
        const CCliResult r = Run({"import-dxf", File(), PathOf(name)});
        EXPECT_NE(r.nExit, 0) << name;
        EXPECT_EQ(LineCount(r.strErr), 1u) << r.strErr;
        EXPECT_NE(r.strErr.find("unchanged"), std::string::npos) << r.strErr;
        EXPECT_EQ(ReadText(File()), before) << name;
    }
}

// A lathe drawing's part below the axis at negative Z, with options written as --name=value.
TEST_F(CliDxf, OptionsTakeNameEqualsValueAndNothingTakenSaysWhyWithoutATakenLine) {
    std::ofstream(PathOf("below.dxf"))
        << "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nPART\n10\n-50\n20\n-5\n11\n0\n21\n-5\n"
           "0\nLINE\n8\nCL\n6\nCENTER\n10\n-60\n20\n0\n11\n10\n21\n0\n0\nENDSEC\n0\nEOF\n";
    const std::string before = ReadText(File());
    CCliResult r = Run({"import-dxf", File(), PathOf("below.dxf"), "--origin=10,0"});
    EXPECT_NE(r.nExit, 0);
    EXPECT_EQ(("\n" + r.strOut).find("\ntaken:"), std::string::npos) << r.strOut;
    EXPECT_NE(r.strErr.find("all geometry lies on the axis's other side of Z 0"), std::string::npos) << r.strErr;
    EXPECT_EQ(ReadText(File()), before);
    r = Run({"import-dxf", File(), PathOf("below.dxf"), "--dxf-layer=PART", "--origin=-40,0", "--axis=-60,0,10,0"});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    EXPECT_NE(r.strOut.find("axis: as given, from -60,0 to 10,0, horizontal"), std::string::npos) << r.strOut;
    const Json layer = Json::parse(Run({"dump", File()}).strOut)["layers"][0];
    EXPECT_EQ(layer["elements"][0]["start"], Json::parse("[0, 50000]"));
    EXPECT_EQ(layer["elements"][0]["end"], Json::parse("[400000, 50000]"));

    r = Run({"import-dxf", "--list-layers", PathOf("below.dxf")});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    EXPECT_EQ(r.strOut, "PART\t1 entity\tCONTINUOUS\nCL\t1 entity\tCONTINUOUS\n");
    r = Run({"import-dxf", File(), PathOf("below.dxf"), "--dxf-layer", "NONE"});
    EXPECT_NE(r.strErr.find("no layer \"NONE\"; its layers: PART, CL"), std::string::npos) << r.strErr;
}

// What --window leaves out is counted as such, not among the kinds not read or the centre and
// hidden lines; an entity it cuts is counted apart.
TEST_F(CliDxf, WindowNarrowsTheLeftOutCounts) {
    std::ofstream(PathOf("sheet.dxf"))
        << "0\nSECTION\n2\nENTITIES\n"
           "0\nLINE\n8\nPART\n10\n0\n20\n5\n11\n40\n21\n5\n"
           "0\nLWPOLYLINE\n8\nPART\n90\n3\n70\n0\n10\n40\n20\n5\n10\n60\n20\n5\n10\n100\n20\n5\n"
           "0\nLINE\n8\nCL\n6\nCENTER\n10\n-5\n20\n0\n11\n65\n21\n0\n"
           "0\nLINE\n8\nPART\n6\nHIDDEN\n10\n0\n20\n90\n11\n40\n21\n90\n"
           "0\nLWPOLYLINE\n8\nOTHER\n90\n3\n70\n0\n10\n0\n20\n100\n10\n40\n20\n100\n10\n40\n20\n105\n"
           "0\nTEXT\n8\nTITLE\n10\n200\n20\n-50\n40\n5\n1\nA\n0\nENDSEC\n0\nEOF\n";
    CCliResult r = Run({"import-dxf", File(), PathOf("sheet.dxf")});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    for (const char* line : {"not taken: centre line: 1", "not taken: hidden line: 1",
                             "not taken: entity kind not read: TEXT: 1"}) {
        EXPECT_NE(r.strOut.find(line), std::string::npos) << line << "\n" << r.strOut;
    }
    r = Run({"import-dxf", File(), PathOf("sheet.dxf"), "--window=-10,-10,70,20"});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    EXPECT_NE(r.strOut.find("\nnot taken: centre line: 1\n"), std::string::npos) << r.strOut;
    EXPECT_EQ(r.strOut.find("hidden line"), std::string::npos) << r.strOut;
    EXPECT_EQ(r.strOut.find("TEXT"), std::string::npos) << r.strOut;
    EXPECT_NE(r.strOut.find("\nnot taken: outside the window: 3\n"), std::string::npos) << r.strOut;
    EXPECT_NE(r.strOut.find("\nnot taken: cut by the window (the parts outside): 1\n"), std::string::npos)
        << r.strOut;
    EXPECT_NE(r.strOut.find("\ntaken: 2 lines, 0 arcs\n"), std::string::npos) << r.strOut;
}

TEST_F(CliDxf, NewFromDxfTakesTheStockFromThePartAndItsProfileIntoLayerOne) {
    const CCliResult r = Run({"new", PathOf("n.kst"), "--from-dxf", Shaft(), "--allowance=2"});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    EXPECT_NE(r.strOut.find("stock: 122.000 mm long, 46.000 mm base"), std::string::npos) << r.strOut;
    const Json drawing = Json::parse(Run({"dump", PathOf("n.kst")}).strOut);
    EXPECT_EQ(drawing["source"], Json::parse("[0, 230000, 1220000, 0]"));
    const Json& elements = drawing["layers"][0]["elements"];
    ASSERT_EQ(elements.size(), 10u);
    EXPECT_EQ(elements[0]["start"], Json::parse("[0, 110000]"));
    EXPECT_EQ(elements[8]["end"], Json::parse("[1200000, 120000]"));
    EXPECT_EQ(elements[9]["start"], Json::parse("[1200000, 230000]"));
}

TEST_F(CliDxf, ExportWritesAReadableFileAndRefusesAnUnwritablePath) {
    EXPECT_EQ(Run({"export-dxf", File(), PathOf("out.dxf"), "--mirrored"}).nExit, 0);
    const std::string text = ReadText(PathOf("out.dxf"));
    EXPECT_NE(text.find("Layer 6"), std::string::npos);
    EXPECT_NE(text.find("Stock"), std::string::npos);
    const CCliResult r = Run({"export-dxf", File(), PathOf("missing/out.dxf")});
    EXPECT_NE(r.nExit, 0);
    EXPECT_NE(r.strErr.find("cannot write"), std::string::npos);
}

}  // namespace
