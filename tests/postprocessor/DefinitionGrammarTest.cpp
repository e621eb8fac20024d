// The three definition grammars: registry, item file and post file, line by line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/Messages.h"
#include "postprocessor/DefinitionReader.h"
#include "postprocessor/ItemFileReader.h"
#include "postprocessor/MacroNormal.h"
#include "postprocessor/MacroRun.h"
#include "postprocessor/MacroOci.h"
#include "postprocessor/PostFileReader.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/ProgramList.h"

namespace {

const char* kPostHead =
    "BeginVar\nX>4.3\nZ>4.3\nS>4.0\nEnd\n"
    "Number\nY\nLetter\nN\nSequence_N\n10\n10\n"
    "First#?\nY\nLast#?\nY\nIncremental?\nN\nCtrIncremental?\nN\n"
    "DefOCI\nBeginObj\n1.5\nEndObj\n2.5\nDivideObj\n10:2\n50:4\n100:8\nEnd\n";

void ReadPost(CPreProcesor& pp, const std::string& text, CMessages* messages = nullptr) {
    CDefinitionReader reader("test.pos", text, messages);
    CPostFileReader::Read(reader, pp);
}

void ReadItems(CPreProcesor& pp, const std::string& text, CMessages* messages = nullptr) {
    CDefinitionReader reader("test.itm", text, messages);
    CItemFileReader::Read(reader, pp);
}

std::string WithMacros(const std::string& macros) {
    return std::string(kPostHead) + "BeginMacro\n" + macros + "BeginMacro\nENDPOSTPROCESOR\n";
}

}  // namespace

TEST(DefinitionReader, LineRules) {
    CDefinitionReader reader("f", "a\r\n;c\n\nEnd\n End\nK\n", nullptr);
    std::string line;
    ASSERT_TRUE(reader.NextLine(line, "x"));
    EXPECT_EQ(line, "a");  // CR LF and LF both end a line
    ASSERT_TRUE(reader.NextSignificant(line, "x"));
    EXPECT_EQ(line, "");  // an empty line is significant, the comment before it is not
    EXPECT_TRUE(reader.ScanTo("End"));
    EXPECT_FALSE(reader.ScanTo("End"));  // " End" is no keyword
    EXPECT_TRUE(reader.IsExhausted());
}

TEST(DefinitionReader, ScanReadsBeforeComparing) {
    CDefinitionReader reader("f", "K\nx\nK\ny\n", nullptr);
    std::string line;
    ASSERT_TRUE(reader.NextLine(line, "K"));
    ASSERT_TRUE(reader.ScanTo("K"));  // the current line K is not tested again
    ASSERT_TRUE(reader.NextLine(line, "y"));
    EXPECT_EQ(line, "y");
}

TEST(DefinitionReader, EndOfFileLeavesOneTraceNamingFileAndKeyword) {
    CRecordingMessages messages;
    CDefinitionReader reader("dir/file.pos", "a\nb\n", &messages);
    EXPECT_FALSE(reader.ScanTo("BeginVar"));
    std::string line;
    EXPECT_FALSE(reader.NextLine(line, "Number"));
    ASSERT_EQ(messages.GetTraces().size(), 1u);
    EXPECT_EQ(messages.GetTraces()[0], "End of file dir/file.pos before \"BeginVar\"\n");
}

TEST(DefinitionReader, NumbersAndColumns) {
    int32_t n = 7;
    EXPECT_TRUE(CDefinitionReader::ScanInt("  42abc", n));
    EXPECT_EQ(n, 42);
    EXPECT_TRUE(CDefinitionReader::ScanInt("-3", n));
    EXPECT_EQ(n, -3);
    EXPECT_TRUE(CDefinitionReader::ScanInt("99999999999", n));
    EXPECT_EQ(n, INT32_MAX);
    n = 7;
    EXPECT_FALSE(CDefinitionReader::ScanInt("x1", n));
    EXPECT_EQ(n, 7);
    double d = 0.0;
    EXPECT_TRUE(CDefinitionReader::ScanFloat(" 0.1mm", d));
    EXPECT_EQ(d, static_cast<double>(0.1f));  // single precision, widened
    EXPECT_EQ(CDefinitionReader::FromColumn("Name:    Rough", 10), "Rough");
    EXPECT_EQ(CDefinitionReader::FromColumn("short", 10), "");
}

TEST(PostFile, SectionsInOrder) {
    CPreProcesor pp("p", "x.*", "out", "spare");
    ReadPost(pp, WithMacros("NORMAL\nRapid\nG00 X<X>\n;comment\nM05\nEnd\n"));
    ASSERT_EQ(pp.GetFormats().size(), 3u);
    EXPECT_EQ(pp.GetFormats()[0]->GetName(), "X");
    EXPECT_EQ(pp.GetFormats()[0]->GetDigits(), 4);
    EXPECT_EQ(pp.GetFormats()[0]->GetDecimals(), 3);
    EXPECT_EQ(pp.m_bNumber, 1);
    EXPECT_EQ(pp.m_strLetter, "N");
    EXPECT_EQ(pp.m_nSequenceStart, 10);
    EXPECT_EQ(pp.m_nSequenceStep, 10);
    EXPECT_EQ(pp.GetIncremental(), 0);
    EXPECT_EQ(pp.GetCtrIncremental(), 0);
    EXPECT_DOUBLE_EQ(pp.GetObjectStart(), 1.5);
    EXPECT_DOUBLE_EQ(pp.GetObjectEnd(), 2.5);
    ASSERT_EQ(pp.GetMacros().size(), 1u);
    const auto* normal = dynamic_cast<const CMacroNormal*>(pp.FindMacro("Rapid"));
    ASSERT_NE(normal, nullptr);
    EXPECT_EQ(normal->GetBody(), "G00 X<X>\nM05\n");  // comments are skipped inside bodies
    EXPECT_EQ(normal->GetPreProcesor(), &pp);
}

TEST(PostFile, EmptyLetterAndFlagSpellings) {
    std::string post = kPostHead;
    post.replace(post.find("Letter\nN\n"), 9, "Letter\n\n");
    post.replace(post.find("Number\nY\n"), 9, "Number\nn\n");
    post.replace(post.find("First#?\nY"), 9, "First#?\nN");
    post.replace(post.find("Last#?\nY"), 8, "Last#?\nno");
    CPreProcesor pp("p", "x.*", "out", "spare");
    ReadPost(pp, post + "BeginMacro\nENDPOSTPROCESOR\n");
    EXPECT_EQ(pp.m_strLetter, "");
    EXPECT_EQ(pp.m_bNumber, 1);  // only "N" switches numbering off
    EXPECT_EQ(pp.GetFirstNumber(), 0);
    EXPECT_EQ(pp.GetLastNumber(), 1);
    pp.ResetSequence();
    EXPECT_EQ(pp.NextSequenceNumber(), "10 ");
}

TEST(PostFile, SequenceAndReset) {
    CPreProcesor pp("p", "x.*", "out", "spare");
    ReadPost(pp, WithMacros(""));
    pp.ResetSequence();
    EXPECT_EQ(pp.NextSequenceNumber(), "N10 ");
    EXPECT_EQ(pp.NextSequenceNumber(), "N20 ");
    EXPECT_EQ(pp.NextSequenceNumber(), "N30 ");
    pp.ResetSequence();
    EXPECT_EQ(pp.NextSequenceNumber(), "N10 ");
    pp.m_bNumber = 0;
    EXPECT_EQ(pp.NextSequenceNumber(), "");
}

TEST(PostFile, DivisionTable) {
    CPreProcesor pp("p", "x.*", "out", "spare");
    ReadPost(pp, WithMacros(""));
    EXPECT_EQ(pp.GetDivision(5), 2);
    EXPECT_EQ(pp.GetDivision(10), 4);
    EXPECT_EQ(pp.GetDivision(99), 8);
    EXPECT_EQ(pp.GetDivision(150), 8);
    ASSERT_EQ(pp.m_division.GetRanges().size(), 3u);
    EXPECT_EQ(pp.m_division.GetRanges()[1]->m_nLower, 10);
    EXPECT_EQ(pp.m_division.GetRanges()[1]->m_nUpper, 50);

    CObjectDivision empty;
    EXPECT_EQ(empty.GetDivision(0), 2);
    EXPECT_EQ(empty.GetDivision(1000), 2);
}

TEST(PostFile, RunAndOciBlocks) {
    CPreProcesor pp("p", "x.*", "out", "spare");
    ReadPost(pp, WithMacros("RUN\nFinish\nLEFT\nG00 X<X>\nG90\n<line>\nG01 X<EndX>\n<Cw>\nG02 X<EndX>\n"
                            "<Ccw>\nG03 X<EndX>\nM09\nEnd\n"
                            "BeginMacro\nOCI\nRough\nRIGHT\njunk\n<line>\nG01 Z<EndZ>\n<OCI>\nG01 X<EndX>\n"
                            "BeginMacro\nUNKNOWN\nwhatever\nEnd\n"));
    ASSERT_EQ(pp.GetMacros().size(), 2u);
    const auto* run = dynamic_cast<const CMacroRun*>(pp.FindMacro("Finish"));
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->m_nSide, 0);
    EXPECT_EQ(run->m_strHeader, "G00 X<X>\nG90\n");
    EXPECT_EQ(run->m_strLineTemplate, "G01 X<EndX>\n");
    EXPECT_EQ(run->m_strCwTemplate, "G02 X<EndX>\n");
    EXPECT_EQ(run->m_strCcwTemplate, "G03 X<EndX>\n");
    EXPECT_EQ(run->m_strTrailer, "M09\n");
    const auto* oci = dynamic_cast<const CMacroOci*>(pp.FindMacro("Rough"));
    ASSERT_NE(oci, nullptr);
    EXPECT_EQ(oci->m_nSide, 1);
    EXPECT_EQ(oci->m_strLineTemplate, "G01 Z<EndZ>\n");
    EXPECT_EQ(oci->m_strArcTemplate, "G01 X<EndX>\n");
}

TEST(PostFile, CutShortKeepsWhatWasRead) {
    CRecordingMessages messages;
    CPreProcesor pp("p", "x.*", "out", "spare", &messages);
    ReadPost(pp, std::string(kPostHead) + "BeginMacro\nNORMAL\nA\nG00\nEnd\nBeginMacro\nNORMAL\nB\nG01\n", &messages);
    ASSERT_EQ(pp.GetMacros().size(), 1u);
    EXPECT_EQ(pp.GetMacros()[0]->GetName(), "A");
    ASSERT_EQ(messages.GetTraces().size(), 1u);
    EXPECT_EQ(messages.GetTraces()[0], "End of file test.pos before \"End\"\n");

    CPreProcesor early("p", "x.*", "out", "spare", &messages);
    ReadPost(early, "BeginVar\nX>4.3\n");
    EXPECT_EQ(early.GetFormats().size(), 1u);
    EXPECT_EQ(early.m_strLetter, "");
}

TEST(ItemFile, TemplatesHelpAndParameters) {
    CPreProcesor pp("p", "x.*", "out", "spare");
    ReadItems(pp,
              ";header comment\nBeginItem\nName:   Rapid move\nMacro:Rapid\nHelp:\nMoves the\n tool\n"
              "EndHelp\n\"Z\"@<Z>(YY)?\n\"Feed\"@<F>(NN>0<5000)?12.5\nEnd\ntrailing text\n"
              "BeginItem\nshort\nMacro:\nHelp\n;skipped\nfirst\n;raw here\nEndHelp\nEnd\nEndDefItems\n");
    ASSERT_EQ(pp.GetTemplates().size(), 2u);
    const CCommand& rapid = *pp.GetTemplates()[0];
    EXPECT_EQ(rapid.GetName(), "Rapid move");
    EXPECT_EQ(rapid.GetMacroName(), "Rapid");
    EXPECT_EQ(rapid.GetHelp(), "Moves the tool");
    EXPECT_EQ(rapid.GetIndex(), 0);
    ASSERT_EQ(rapid.GetParameters().size(), 2u);
    EXPECT_EQ(rapid.GetParameters()[0]->HasValue(), 0);
    EXPECT_EQ(rapid.GetParameters()[1]->GetLabel(), "Feed");
    EXPECT_EQ(rapid.GetParameters()[1]->GetKey(), "F");
    EXPECT_EQ(rapid.GetParameters()[1]->GetSpec(), "NN>0<5000");
    EXPECT_EQ(rapid.GetParameters()[1]->GetRawValue(), 125000);
    const CCommand& other = *pp.GetTemplates()[1];
    EXPECT_EQ(other.GetName(), "");       // a name line shorter than 9 characters
    EXPECT_EQ(other.GetMacroName(), "");  // a macro line of exactly 6 characters
    EXPECT_EQ(other.GetHelp(), "first;raw here");  // only the first help line skips comments
    EXPECT_EQ(other.GetIndex(), 1);
}

TEST(ItemFile, CutShortStops) {
    CRecordingMessages messages;
    CPreProcesor pp("p", "x.*", "out", "spare");
    ReadItems(pp, "BeginItem\nName:   A\nMacro:M\nHelp\nno end of help\n", &messages);
    EXPECT_TRUE(pp.GetTemplates().empty());
    ASSERT_EQ(messages.GetTraces().size(), 1u);
    EXPECT_EQ(messages.GetTraces()[0], "End of file test.itm before \"EndHelp\"\n");
}

TEST(ParameterDefinition, LineShapes) {
    auto p = CParameter::FromDefinition("\"Feed\"@<F>(YN>0<5000)?100");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetLabel(), "Feed");
    EXPECT_EQ(p->GetKey(), "F");
    EXPECT_EQ(p->GetSpec(), "YN>0<5000");
    EXPECT_EQ(p->HasValue(), 1);
    EXPECT_EQ(p->GetRawValue(), 1000000);
    // Delimiters are looked for in order, so a label may hold "<" or "?".
    auto q = CParameter::FromDefinition("\"Depth <max?>\"@<D>(N)?");
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->GetLabel(), "Depth <max?>");
    EXPECT_EQ(q->GetKey(), "D");
    EXPECT_EQ(q->HasValue(), 0);
    EXPECT_EQ(CParameter::FromDefinition("\"Feed\"@<F>(YN)"), nullptr);
    EXPECT_EQ(CParameter::FromDefinition("no delimiters"), nullptr);
}

TEST(ParameterDefinition, DefaultValues) {
    EXPECT_EQ(CParameter::ParseDefault("12.5"), 125000);
    EXPECT_EQ(CParameter::ParseDefault("1,5"), 150000);  // the comma is skipped: 15
    EXPECT_EQ(CParameter::ParseDefault("-3"), 30000);     // there is no sign
    EXPECT_EQ(CParameter::ParseDefault("0.00005"), 0);
    EXPECT_EQ(CParameter::ParseDefault("99999999999"), INT32_MAX);
}

TEST(Registry, EntriesPathsAndIndices) {
    const auto dir = std::filesystem::temp_directory_path() / "kestrovel_registry_test";
    std::filesystem::create_directories(dir / "Debug");
    std::ofstream(dir / "Debug" / "Post.ini")
        << "; registry\r\nBeginPost\r\nPostprocessors\r\nName:    Lathe A\r\nDefPath: \\defs\\a.*\r\n"
           "OutPath: \\out\\a.nc\r\nSpare:   \\spare\r\n----\r\nName:    Lathe B\r\n;c\r\n"
           "DefPath: \\b.*\r\nOutPath: \\b.nc\r\nSpare:   \r\n----\r\nEndPost\r\n";
    CProgramList list;
    list.ReadPostIni(dir.string());
    EXPECT_TRUE(list.IsPostLoaded());
    ASSERT_EQ(list.GetPreProcesors().size(), 2u);
    const CPreProcesor& a = *list.GetPreProcesors()[0];
    EXPECT_EQ(a.GetName(), "Lathe A");
    EXPECT_EQ(a.GetDefinitionPath(), dir.string() + "/Debug/defs/a.*");
    EXPECT_EQ(a.GetDefinitionFile("itm"), dir.string() + "/Debug/defs/a.itm");
    EXPECT_EQ(a.GetOutputPath(), dir.string() + "/Debug/out/a.nc");
    EXPECT_EQ(a.GetSparePath(), dir.string() + "/Debug/spare");
    EXPECT_EQ(list.GetPreProcesors()[1]->GetIndex(), 1);
    EXPECT_EQ(list.FindPreProcesor("Lathe B"), list.GetPreProcesors()[1].get());
    EXPECT_EQ(list.FindPreProcesor("lathe b"), nullptr);
    std::filesystem::remove_all(dir);
}

TEST(Registry, MissingFileLeavesTraceAndMarksRead) {
    CRecordingMessages messages;
    CProgramList list(&messages);
    list.ReadPostIni("/nonexistent/kestrovel");
    EXPECT_TRUE(list.IsPostLoaded());
    EXPECT_TRUE(list.GetPreProcesors().empty());
    ASSERT_EQ(messages.GetTraces().size(), 1u);
    EXPECT_EQ(messages.GetTraces()[0], "Can't open file /nonexistent/kestrovel/Debug/Post.ini, error = 2\n");
}

TEST(DefinitionReader, EndlessFileIsReadOnlyToItsLimit) {
    CDefinitionReader reader("/dev/zero", nullptr);
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_FALSE(reader.ScanTo("BeginPost"));
}
