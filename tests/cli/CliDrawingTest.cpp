// kestrovel-cli new, dump and add, run as a program: the file, the JSON and the refusals.
#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "document/KestrovelDoc.h"
#include "elements/DoubleArc.h"
#include "postprocessor/DocumentFile.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"

namespace {

using Json = nlohmann::json;

class CliDrawing : public CliTest {
protected:
    Json Dump(const std::string& file) const {
        const CCliResult r = Run({"dump", file});
        EXPECT_EQ(r.nExit, 0) << r.strErr;
        return Json::parse(r.strOut, nullptr, false);
    }
    std::string File() const { return PathOf("part.kst"); }
};

TEST_F(CliDrawing, HelpForTheToolAndEveryCommand) {
    const CCliResult top = Run({"--help"});
    EXPECT_EQ(top.nExit, 0);
    for (const char* command : {"new", "dump", "add", "program", "command", "compile"}) {
        EXPECT_NE(top.strOut.find(command), std::string::npos) << command;
        const CCliResult sub = Run({command, "--help"});
        EXPECT_EQ(sub.nExit, 0) << command;
        EXPECT_NE(sub.strOut.find("FILE"), std::string::npos) << command;
    }
    EXPECT_NE(Run({"compile", "--help"}).strOut.find("--output"), std::string::npos);
    EXPECT_NE(Run({"command", "--help"}).strOut.find("--template"), std::string::npos);
}

TEST_F(CliDrawing, UsageErrorsExitNonZeroWithOneLine) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"frobnicate"},
                                                 {"new"},
                                                 {"new", "x.kst", "--units", "yard"},
                                                 {"new", "x.kst", "--accuracy", "4"},
                                                 {"add", "x.kst", "line", "1", "2", "3", "4"}}) {
        const CCliResult r = Run(args);
        EXPECT_NE(r.nExit, 0);
        EXPECT_EQ(LineCount(r.strErr), 1u) << r.strErr;
    }
    EXPECT_FALSE(std::filesystem::exists(PathOf("x.kst")));
}

TEST_F(CliDrawing, NewWithBuiltInValuesIsTheNewDocumentProcedure) {
    const CCliResult r = Run({"new", File()});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    auto doc = CProgramDocument::Create();
    ASSERT_TRUE(doc->OnNewDocument());
    const auto expected = CDocumentFile::Write(*doc);
    const std::string bytes = ReadText(File());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), expected);

    const Json j = Dump(File());
    EXPECT_EQ(j["source"], Json::parse("[0, 1000000, 9000000, 0]"));
    EXPECT_EQ(j["shape"], 1);
    EXPECT_EQ(j["accuracy"], 0);
    EXPECT_EQ(j["units"], 1);
    EXPECT_EQ(j["activeLayer"], 0);
    EXPECT_EQ(j["activeProgram"], -1);
    EXPECT_EQ(j["programs"].size(), 0u);
    ASSERT_EQ(j["layers"].size(), 6u);
    const Json& first = j["layers"][0];
    EXPECT_EQ(first["index"], 0);
    EXPECT_EQ(first["direction"], 1);
    EXPECT_EQ(first["visible"], Json::parse("[1,1,0,0,0,0,0]"));
    EXPECT_EQ(first["style"], Json::parse(R"({"drawEdges": 1, "brushNull": 0, "brushSolid": 0, "brushType": 2,
        "brushColor": 255, "penColor": 0, "penStyle": 0, "penWidth": 1})"));
    EXPECT_EQ(first["leftBorder"], Json::parse(R"({"kind": "border", "number": 0, "start": [-500000, 1100000],
        "end": [0, 1000000], "locks": [0,0,0,0], "feed": -1, "speed": -1, "leave": -5, "left": 1})"));
    EXPECT_EQ(first["rightBorder"]["left"], 0);
    EXPECT_EQ(first["rightBorder"]["number"], -1);
    ASSERT_EQ(first["elements"].size(), 1u);
    EXPECT_EQ(first["elements"][0], Json::parse(R"({"kind": "line", "number": 1, "start": [0, 1000000],
        "end": [9000000, 1000000], "locks": [0,0,0,0], "feed": -1, "speed": -1, "leave": -5})"));
    EXPECT_EQ(j["layers"][3]["style"]["penColor"], 0x008080);
}

TEST_F(CliDrawing, NewTakesLengthsInMillimetresShapeUnitsAndAccuracy) {
    const CCliResult r = Run({"new", File(), "--length", "500", "--base", "100.5", "--shape", "cylinder",
                              "--units", "inch", "--accuracy", "2"});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    const Json j = Dump(File());
    EXPECT_EQ(j["source"], Json::parse("[0, 502500, 5000000, 0]"));
    EXPECT_EQ(j["shape"], 0);
    EXPECT_EQ(j["units"], 2);
    EXPECT_EQ(j["accuracy"], 2);
    EXPECT_EQ(j["layers"][5]["elements"][0]["end"], Json::parse("[5000000, 502500]"));
}

TEST_F(CliDrawing, NewRefusesSourceMaterialTheDialogRefuses) {
    for (const std::vector<std::string>& extra : {std::vector<std::string>{"--length", "0"},
                                                  {"--length", "5000.01"},
                                                  {"--base", "2000.01"},
                                                  {"--base", "-1"}}) {
        std::vector<std::string> args = {"new", File()};
        args.insert(args.end(), extra.begin(), extra.end());
        const CCliResult r = Run(args);
        EXPECT_NE(r.nExit, 0) << extra[1];
        EXPECT_EQ(LineCount(r.strErr), 1u) << r.strErr;
    }
    EXPECT_FALSE(std::filesystem::exists(File()));
    EXPECT_EQ(Run({"new", File(), "--length", "5000", "--base", "2000"}).nExit, 0);
}

TEST_F(CliDrawing, AddInsertsLinesAndArcsThroughTheLayer) {
    ASSERT_EQ(Run({"new", File()}).nExit, 0);
    CCliResult r = Run({"add", File(), "--layer", "2", "line", "2000000", "800000", "3000000", "800000"});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    r = Run({"add", File(), "--layer", "2", "arc", "4000000", "1000000", "6000000", "1000000", "5000000",
             "1400000"});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    const Json j = Dump(File());
    const Json& elements = j["layers"][1]["elements"];
    ASSERT_EQ(elements.size(), 5u);
    EXPECT_EQ(elements[0]["end"], Json::parse("[2000000, 1000000]"));
    EXPECT_EQ(elements[1]["start"], Json::parse("[2000000, 800000]"));
    EXPECT_EQ(elements[1]["number"], 2);
    const Json& arc = elements[3];
    EXPECT_EQ(arc["kind"], "arc");
    EXPECT_EQ(arc["start"], Json::parse("[4000000, 1000000]"));
    EXPECT_EQ(arc["end"], Json::parse("[6000000, 1000000]"));
    EXPECT_EQ(arc["mid"], Json::parse("[5000000, 1400000]"));
    // The circle through (4 000 000, 1 000 000), (6 000 000, 1 000 000) and (5 000 000, 1 400 000).
    EXPECT_EQ(arc["center"], Json::parse("[5000000, -50000]"));
    EXPECT_EQ(arc["radius"], 1450000);
    EXPECT_NEAR(arc["dRadius"].get<double>(), 1450000.0, 1e-6);
    EXPECT_NEAR(arc["dCenterX"].get<double>(), 5000000.0, 1e-6);
    EXPECT_NEAR(arc["dCenterY"].get<double>(), -50000.0, 1e-6);
    for (const char* key :
         {"ccw", "lockCenterX", "lockCenterY", "lockRadius", "locks", "feed", "speed", "leave"}) {
        EXPECT_TRUE(arc.contains(key)) << key;
    }
    EXPECT_EQ(j["layers"][0]["elements"].size(), 1u);
}

// A border's free end moves through "add border Z X"; the side follows from Z, the joint stays.
TEST_F(CliDrawing, AddBorderMovesTheFreeEndOfTheBorderOnThatSide) {
    ASSERT_EQ(Run({"new", File()}).nExit, 0);
    CCliResult r = Run({"add", File(), "--layer", "3", "border", "9000001", "0"});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    r = Run({"add", File(), "--layer", "3", "border", "-200000", "1000000"});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    const Json layer = Dump(File())["layers"][2];
    EXPECT_EQ(layer["rightBorder"]["start"], Json::parse("[9000000, 1000000]"));
    EXPECT_EQ(layer["rightBorder"]["end"], Json::parse("[9000001, 0]"));
    EXPECT_EQ(layer["rightBorder"]["number"], -1);
    EXPECT_EQ(layer["leftBorder"]["start"], Json::parse("[-200000, 1000000]"));
    EXPECT_EQ(layer["leftBorder"]["end"], Json::parse("[0, 1000000]"));
    EXPECT_EQ(layer["elements"].size(), 1u);
    const std::string before = ReadText(File());
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"4000000", "0"}, {"9000000", "0"}, {"-1", "-5"}, {"9500000"}}) {
        std::vector<std::string> full = {"add", File(), "--layer", "3", "border"};
        full.insert(full.end(), args.begin(), args.end());
        r = Run(full);
        EXPECT_NE(r.nExit, 0) << args[0];
        EXPECT_EQ(LineCount(r.strErr), 1u) << r.strErr;
    }
    EXPECT_EQ(ReadText(File()), before);
}

// Either end may be named first: the element starts at the smaller Z, and an arc keeps the half
// of its circle that passes through the third point.
TEST_F(CliDrawing, AddTakesTheEndsInEitherOrder) {
    ASSERT_EQ(Run({"new", File()}).nExit, 0);
    CCliResult r = Run({"add", File(), "--layer", "2", "line", "3000000", "800000", "2000000", "700000"});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    r = Run({"add", File(), "--layer", "2", "arc", "6000000", "1000000", "4000000", "1000000", "5000000",
             "1400000"});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    const Json elements = Dump(File())["layers"][1]["elements"];
    ASSERT_EQ(elements.size(), 5u);
    EXPECT_EQ(elements[1]["start"], Json::parse("[2000000, 700000]"));
    EXPECT_EQ(elements[1]["end"], Json::parse("[3000000, 800000]"));
    const Json& arc = elements[3];
    EXPECT_EQ(arc["start"], Json::parse("[4000000, 1000000]"));
    EXPECT_EQ(arc["end"], Json::parse("[6000000, 1000000]"));
    EXPECT_EQ(arc["mid"], Json::parse("[5000000, 1400000]"));
    EXPECT_EQ(arc["center"], Json::parse("[5000000, -50000]"));
    const CCliResult help = Run({"add", "--help"});
    EXPECT_NE(help.strOut.find("INT x 6 (arc)"), std::string::npos) << help.strOut;
    EXPECT_NE(help.strOut.find("COORDINATES(4x, 6x or 2x)"), std::string::npos) << help.strOut;
}

TEST_F(CliDrawing, UnknownTagsAreReportedWithTheirOddBytesEscaped) {
    ASSERT_EQ(Run({"new", File()}).nExit, 0);
    std::string bytes = ReadText(File());
    const size_t at = bytes.find("LINEAR");
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 6, "LI\xf2\x1b\\R");
    std::ofstream(File(), std::ios::binary | std::ios::trunc) << bytes;
    const CCliResult r = Run({"dump", File()});
    EXPECT_NE(r.nExit, 0);
    EXPECT_NE(r.strErr.find("\"LI\\xf2\\x1b\\x5cR\" at byte " + std::to_string(at - 1)), std::string::npos)
        << r.strErr;
    for (const char c : r.strErr) {
        EXPECT_TRUE(c == '\n' || (c >= 0x20 && c <= 0x7E)) << static_cast<int>(static_cast<unsigned char>(c));
    }
}

TEST_F(CliDrawing, DumpShowsEveryFieldOfADoubleArc) {
    auto doc = CProgramDocument::Create();
    ASSERT_TRUE(doc->OnNewDocument());
    auto curve = std::make_unique<CDoubleArc>(CPoint{2000000, 1000000}, CPoint{3000000, 1200000},
                                              CPoint{4000000, 1000000}, CPoint{1500000, 900000});
    curve->SetLock(kLockDirection, 1);
    curve->SetFeed(300);
    const double r1 = curve->m_dRadius1, z1 = curve->m_dCenter1Z, x1 = curve->m_dCenter1X;
    const int upper2 = curve->m_bUpper2;
    doc->GetLayer(0)->AddPiece(std::move(curve), 0);
    std::string error;
    ASSERT_TRUE(doc->OnSaveDocument(File(), error)) << error;
    const Json arc = Dump(File())["layers"][0]["elements"][1];
    EXPECT_EQ(arc["kind"], "doublearc");
    EXPECT_EQ(arc["number"], 2);
    EXPECT_EQ(arc["start"], Json::parse("[2000000, 1000000]"));
    EXPECT_EQ(arc["end"], Json::parse("[4000000, 1000000]"));
    EXPECT_EQ(arc["junction"], Json::parse("[3000000, 1200000]"));
    EXPECT_EQ(arc["feed"], 300);
    EXPECT_EQ(arc["lockDirection"], 1);
    EXPECT_EQ(arc["lockJunctionZ"], 0);
    EXPECT_EQ(arc["lockJunctionX"], 0);
    EXPECT_DOUBLE_EQ(arc["radius1"].get<double>(), r1);
    EXPECT_DOUBLE_EQ(arc["center1"][0].get<double>(), z1);
    EXPECT_DOUBLE_EQ(arc["center1"][1].get<double>(), x1);
    EXPECT_EQ(arc["upper2"], upper2);
    for (const char* key : {"direction", "upper1", "radius2", "center2", "locks", "speed", "leave"}) {
        EXPECT_TRUE(arc.contains(key)) << key;
    }
}

TEST_F(CliDrawing, DumpShowsEightBitTextThatIsNotUtf8ByteForByte) {
    auto doc = CProgramDocument::Create();
    ASSERT_TRUE(doc->OnNewDocument());
    CProgram* program = CProgramDocument::GetList(*doc)->AddProgram("Hrub\xEC");
    program->SetNote("\xC5\xBEluv\xC3\xA9");  // valid UTF-8 stays as it is
    std::string error;
    ASSERT_TRUE(doc->OnSaveDocument(File(), error)) << error;
    const Json j = Dump(File());
    EXPECT_EQ(j["programs"][0]["name"], "Hrub\u00EC");
    EXPECT_EQ(j["programs"][0]["note"], "\xC5\xBEluv\xC3\xA9");
    EXPECT_EQ(j["activeProgram"], 0);
}

TEST_F(CliDrawing, RefusedAddExitsNonZeroAndLeavesTheFileByteIdentical) {
    ASSERT_EQ(Run({"new", File()}).nExit, 0);
    const std::string before = ReadText(File());
    const auto mtime = std::filesystem::last_write_time(File());
    CCliResult r = Run({"add", File(), "--layer", "1", "line", "8000000", "800000", "9500000", "800000"});
    EXPECT_NE(r.nExit, 0);
    EXPECT_EQ(r.strErr, "kestrovel-cli: the layer refused the element: its end cannot be placed between the "
                        "layer's borders; the file is unchanged\n");
    r = Run({"add", File(), "--layer", "1", "line", "-100000", "800000", "500000", "800000"});
    EXPECT_NE(r.nExit, 0);
    EXPECT_EQ(r.strErr, "kestrovel-cli: the layer refused the element: its start cannot be placed between the "
                        "layer's borders; the file is unchanged\n");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"line", "100", "800000", "100", "900000"},
          {"line", "100", "-1", "200000", "900000"},
          {"line", "100", "800000", "200000"},
          {"arc", "1000000", "800000", "3000000", "800000", "2000000", "800000"}}) {
        std::vector<std::string> full = {"add", File(), "--layer", "1"};
        full.insert(full.end(), args.begin(), args.end());
        r = Run(full);
        EXPECT_NE(r.nExit, 0) << args[1];
        EXPECT_EQ(LineCount(r.strErr), 1u) << r.strErr;
    }
    EXPECT_NE(Run({"add", File(), "--layer", "7", "line", "0", "1", "2", "3"}).nExit, 0);
    EXPECT_EQ(ReadText(File()), before);
    EXPECT_EQ(std::filesystem::last_write_time(File()), mtime);
}

TEST_F(CliDrawing, DamagedOrMissingFileFailsWithOneLineAndIsLeftAlone) {
    ASSERT_EQ(Run({"new", File()}).nExit, 0);
    std::string bytes = ReadText(File());
    bytes.resize(bytes.size() / 2);
    std::ofstream(File(), std::ios::binary | std::ios::trunc) << bytes;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"dump", File()},
          {"add", File(), "--layer", "1", "line", "0", "1", "200000", "1"}}) {
        const CCliResult r = Run(args);
        EXPECT_NE(r.nExit, 0);
        EXPECT_EQ(LineCount(r.strErr), 1u) << r.strErr;
        EXPECT_NE(r.strErr.find("cannot open"), std::string::npos) << r.strErr;
        EXPECT_TRUE(r.strOut.empty());
    }
    EXPECT_EQ(ReadText(File()), bytes);
    EXPECT_NE(Run({"dump", PathOf("none.kst")}).nExit, 0);
}

}  // namespace
