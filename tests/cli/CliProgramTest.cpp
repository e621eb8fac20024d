// kestrovel-cli program, command and compile with the sample post-processors, run as a program.
#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "document/KestrovelDoc.h"
#include "postprocessor/DocumentFile.h"

namespace {

using Json = nlohmann::json;

const char* const kPost = "LinuxCNC lathe";

class CliProgram : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        // A copy of the sample folder, so that compiling writes its NC file there.
        std::filesystem::copy(std::string(KESTROVEL_SOURCE_DIR) + "/examples", m_dir / "examples",
                              std::filesystem::copy_options::recursive);
        ASSERT_EQ(Run({"new", File()}).nExit, 0);
    }
    std::string File() const { return PathOf("part.kst"); }
    std::string PostDir() const { return PathOf("examples"); }

    CCliResult Command(const std::vector<std::string>& tail) const {
        std::vector<std::string> args = {"command", File(), "--post-dir", PostDir()};
        args.insert(args.end(), tail.begin(), tail.end());
        return Run(args);
    }
    Json Dump() const { return Json::parse(Run({"dump", File()}).strOut, nullptr, false); }

    // The file stays byte-identical through a failing command.
    void ExpectRefusedAndUnchanged(const CCliResult& r) const {
        EXPECT_NE(r.nExit, 0);
        EXPECT_NE(r.strErr.find("kestrovel-cli: "), std::string::npos) << r.strErr;
        EXPECT_EQ(ReadText(File()), m_strBefore);
    }
    void Remember() { m_strBefore = ReadText(File()); }

    std::string m_strBefore;
};

TEST_F(CliProgram, DrawProgramCompileWritesTheNcFileWithCrLfLines) {
    ASSERT_EQ(Run({"add", File(), "--layer", "1", "line", "2000000", "800000", "3000000", "800000"}).nExit, 0);
    ASSERT_EQ(Run({"add", File(), "--layer", "1", "arc", "4000000", "1000000", "6000000", "1000000", "5000000",
                   "1400000"})
                  .nExit,
              0);
    CCliResult r = Run({"program", File(), "--post", kPost, "--post-dir", PostDir()});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    ASSERT_EQ(Command({"--program", "New Program1", "--template", "Tool change", "Tool=2"}).nExit, 0);
    ASSERT_EQ(Command({"--program", "New Program1", "--template", "Spindle on"}).nExit, 0);
    r = Command({"--program", "New Program1", "--template", "Finish left to right", "AppX=110", "AppZ=-2",
                 "RetX=120"});
    ASSERT_EQ(r.nExit, 0) << r.strErr;

    r = Run({"compile", File(), "--program", "New Program1", "--post-dir", PostDir()});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    const std::string nc = ReadText(PathOf("examples/Debug/LinuxCncLathe.ngc"));
    ASSERT_FALSE(nc.empty());
    size_t lines = 0;
    for (size_t i = 0; i < nc.size(); ++i) {
        if (nc[i] == '\n') {
            ASSERT_TRUE(i > 0 && nc[i - 1] == '\r') << "line " << lines;
            ++lines;
        }
    }
    EXPECT_EQ(nc.back(), '\n');
    EXPECT_GT(lines, 8u);
    std::string printed;
    for (char c : nc) {
        if (c != '\r') {
            printed += c;
        }
    }
    EXPECT_EQ(r.strOut, printed);
    EXPECT_NE(nc.find("T2 M6"), std::string::npos);
    EXPECT_NE(nc.find("S1200 M3"), std::string::npos);
    EXPECT_NE(nc.find("G2 "), std::string::npos);

    const std::string other = PathOf("elsewhere.ngc");
    r = Run({"compile", File(), "--program", "New Program1", "--post-dir", PostDir(), "--output", other});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    EXPECT_EQ(ReadText(other), nc);
}

TEST_F(CliProgram, ProgramAndCommandsAreStoredAsTheWindowMakesThem) {
    ASSERT_EQ(Run({"program", File(), "--post", kPost, "--post-dir", PostDir()}).nExit, 0);
    CCliResult r = Run({"program", File(), "--name", "Finish", "--number", "42", "--post", "Fanuc-style lathe",
                        "--post-dir", PostDir()});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    ASSERT_EQ(Command({"--program", "New Program1", "--template", "Rapid to point", "X=60", "Z=5.25"}).nExit, 0);
    const Json j = Dump();
    ASSERT_EQ(j["programs"].size(), 2u);
    EXPECT_EQ(j["activeProgram"], 1);
    const Json& first = j["programs"][0];
    EXPECT_EQ(first["name"], "New Program1");
    EXPECT_EQ(first["number"], 10);
    EXPECT_EQ(first["index"], 0);
    EXPECT_EQ(first["post"], kPost);
    EXPECT_EQ(first["note"], "");
    ASSERT_EQ(first["commands"].size(), 1u);
    const Json& command = first["commands"][0];
    EXPECT_EQ(command["name"], "Rapid to point");
    EXPECT_EQ(command["macro"], "Rapid");
    EXPECT_EQ(command["index"], 0);
    EXPECT_NE(command["help"].get<std::string>().find("rapid"), std::string::npos);
    EXPECT_EQ(command["parameters"], Json::parse(R"json([
        {"label": "X (radius)", "key": "X", "spec": "YY>0<5000", "hasValue": 1, "value": 600000},
        {"label": "Z", "key": "Z", "spec": "YY>-5000<5000", "hasValue": 1, "value": 52500}])json"));
    EXPECT_EQ(j["programs"][1]["name"], "Finish");
    EXPECT_EQ(j["programs"][1]["number"], 42);
    EXPECT_EQ(j["programs"][1]["index"], 1);
}

TEST_F(CliProgram, DumpAgreesBeforeAndAfterALoadAndSave) {
    ASSERT_EQ(Run({"add", File(), "--layer", "3", "arc", "1000000", "1000000", "3000000", "1000000", "2000000",
                   "700000"})
                  .nExit,
              0);
    ASSERT_EQ(Run({"program", File(), "--post", kPost, "--post-dir", PostDir()}).nExit, 0);
    ASSERT_EQ(Command({"--program", "New Program1", "--template", "Dwell", "Dwell=2.5"}).nExit, 0);
    std::string error;
    auto doc = CDocumentFile::Open(File(), {}, error);
    ASSERT_NE(doc, nullptr) << error;
    const std::string copy = PathOf("copy.kst");
    ASSERT_TRUE(doc->OnSaveDocument(copy, error)) << error;
    EXPECT_EQ(ReadText(copy), ReadText(File()));
    const CCliResult before = Run({"dump", File()});
    const CCliResult after = Run({"dump", copy});
    ASSERT_EQ(before.nExit, 0);
    EXPECT_EQ(after.strOut, before.strOut);
    const Json j = Json::parse(before.strOut);
    EXPECT_EQ(j["layers"][2]["elements"][1]["kind"], "arc");
    EXPECT_EQ(j["programs"][0]["commands"][0]["parameters"][0]["value"], 25000);
}

TEST_F(CliProgram, UntypedFieldsKeepTheirDefaultText) {
    ASSERT_EQ(Run({"program", File(), "--post", kPost, "--post-dir", PostDir()}).nExit, 0);
    ASSERT_EQ(Command({"--program", "New Program1", "--template", "Spindle on", "Dir=4"}).nExit, 0);
    const Json parameters = Dump()["programs"][0]["commands"][0]["parameters"];
    EXPECT_EQ(parameters[0]["value"], 12000000);
    EXPECT_EQ(parameters[1]["value"], 40000);
}

TEST_F(CliProgram, RefusalsLeaveTheFileByteIdentical) {
    ASSERT_EQ(Run({"program", File(), "--post", kPost, "--post-dir", PostDir()}).nExit, 0);
    Remember();
    CCliResult r = Command({"--program", "New Program1", "--template", "Tool change", "Tool=abc"});
    ExpectRefusedAndUnchanged(r);
    EXPECT_NE(r.strErr.find("Parameter: Tool number: You have to set number value."), std::string::npos)
        << r.strErr;
    r = Command({"--program", "New Program1", "--template", "Tool change", "Tool=100"});
    ExpectRefusedAndUnchanged(r);
    EXPECT_NE(r.strErr.find("Your value is bigger than biggest proper value!"), std::string::npos) << r.strErr;
    // "Rapid to point" has obligatory fields without defaults.
    r = Command({"--program", "New Program1", "--template", "Rapid to point", "X=5"});
    ExpectRefusedAndUnchanged(r);
    EXPECT_NE(r.strErr.find("This parametr is obligatory! Please, enter proper value."), std::string::npos);
    ExpectRefusedAndUnchanged(Command({"--program", "New Program1", "--template", "Tool change", "Tol=3"}));
    ExpectRefusedAndUnchanged(Command({"--program", "New Program1", "--template", "Tool change", "Tool"}));
    ExpectRefusedAndUnchanged(Command({"--program", "New Program1", "--template", "Toolchange"}));
    ExpectRefusedAndUnchanged(Command({"--program", "New Program7", "--template", "Tool change"}));
    ExpectRefusedAndUnchanged(Run({"program", File(), "--post", "Nobody", "--post-dir", PostDir()}));
    ExpectRefusedAndUnchanged(
        Run({"program", File(), "--name", "New Program1", "--post", kPost, "--post-dir", PostDir()}));
    ExpectRefusedAndUnchanged(Run({"program", File(), "--post", kPost, "--post-dir", PathOf("nowhere")}));
    ExpectRefusedAndUnchanged(Run({"compile", File(), "--program", "Nothing", "--post-dir", PostDir()}));
    ExpectRefusedAndUnchanged(Run({"compile", File(), "--program", "New Program1", "--post-dir", PostDir(),
                                   "--output", PathOf("no/such/dir.ngc")}));
}

TEST_F(CliProgram, CompileOfAnUnboundProgramFails) {
    ASSERT_EQ(Run({"program", File(), "--post", kPost, "--post-dir", PostDir()}).nExit, 0);
    // Post.ini without that post-processor: the program cannot find its post-processor again.
    std::filesystem::create_directories(PathOf("bare/Debug"));
    std::ofstream(PathOf("bare/Debug/Post.ini")) << "BeginPost\nheading\nName:    Other\nDefPath: \\o.*\n"
                                                  << "OutPath: \\o.nc\nSpare:   \\o.bak\n--------\nEndPost\n";
    Remember();
    const CCliResult r = Run({"compile", File(), "--program", "New Program1", "--post-dir", PathOf("bare")});
    ExpectRefusedAndUnchanged(r);
    EXPECT_NE(r.strErr.find(kPost), std::string::npos) << r.strErr;
}

}  // namespace

// "Rough cycle" on the sample shaft: the LinuxCNC post defines the profile's subroutine before its
// G71 and G70; the Fanuc-style post's type-I cycle can't cut the groove and says where it falls.
TEST_F(CliProgram, RoughCycleCommandCompilesInBothDialects) {
    const std::string sample = PathOf("examples/sample.kst");
    const struct {
        const char* post;
        const char* program;
    } cases[] = {{kPost, "Linux"}, {"Fanuc-style lathe", "Fanuc"}};
    for (const auto& c : cases) {
        ASSERT_EQ(Run({"program", sample, "--name", c.program, "--post", c.post, "--post-dir", PostDir()}).nExit, 0);
        CCliResult r = Run({"command", sample, "--program", c.program, "--template", "Rough cycle", "AppX=30",
                            "Depth=0", "RetX=35", "--post-dir", PostDir()});
        EXPECT_NE(r.nExit, 0) << c.post;
        r = Run({"command", sample, "--program", c.program, "--template", "Rough cycle", "AppX=30", "RetX=35",
                 "--post-dir", PostDir()});
        ASSERT_EQ(r.nExit, 0) << r.strErr;
    }
    CCliResult r = Run({"compile", sample, "--program", "Linux", "--post-dir", PostDir()});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    const size_t sub = r.strOut.find(" o1000 sub\n");
    ASSERT_NE(sub, std::string::npos) << r.strOut;
    EXPECT_LT(sub, r.strOut.find(" G71 Q1000 X30.0000 Z-2.0000 d0.5000 I2.0000 R0.5000"));
    EXPECT_NE(r.strOut.find(" G70 Q1000 X30.0000 Z-2.0000\n"), std::string::npos);
    r = Run({"compile", sample, "--program", "Fanuc", "--post-dir", PostDir()});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    EXPECT_NE(r.strOut.find(" falls from Z 60.000 on;"), std::string::npos) << r.strOut;
    EXPECT_EQ(r.strOut.find("G71"), std::string::npos);
}
