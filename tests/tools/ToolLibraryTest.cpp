// The tool library text: reading, the messages for bad lines, checked settings and writing back.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/ToolLibrary.h"

namespace {

const char* kTwoTools =
    "; comment\n"
    "BeginTools\n"
    "Tool:        1\nName:        Finisher\nShape:       D\nRadius:      0.4\nOrientation: 2\n"
    "Front:       93\nBack:        148\nHand:        right\n--------\n"
    "Tool:        7\nName:        Round\nShape:       R\nRadius:      3\nOrientation: 9\n--------\n"
    "EndTools\n";

TEST(ToolLibrary, ReadsEntriesAndWritesThemBackUnchanged) {
    std::vector<std::string> problems;
    const CToolLibrary library = CToolLibrary::Parse("Tools.ini", kTwoTools, problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(library.GetTools().size(), 2u);
    const CTool* round = library.Find(7);
    ASSERT_NE(round, nullptr);
    EXPECT_EQ(round->cShape, 'R');
    EXPECT_DOUBLE_EQ(round->dNoseRadius, 3.0);
    EXPECT_EQ(round->nOrientation, 9);
    EXPECT_EQ(library.Find(2), nullptr);

    const CToolLibrary again = CToolLibrary::Parse("Tools.ini", library.Format(), problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(again.Format(), library.Format());
}

TEST(ToolLibrary, BadLinesAreNamedByLineAndTheirEntryLeftOut) {
    std::vector<std::string> problems;
    const CToolLibrary library = CToolLibrary::Parse(
        "Tools.ini",
        "BeginTools\nTool: 1\nRadius: 0,4\n--------\nTool: 2\nShape: Q\n--------\nTool: 3\nwhat\n--------\n"
        "Tool: 4\n--------\nTool: 4\n--------\nRadius: 1\n--------\n",
        problems);
    ASSERT_EQ(library.GetTools().size(), 1u);
    EXPECT_EQ(library.GetTools()[0].nNumber, 4);
    ASSERT_EQ(problems.size(), 6u);
    EXPECT_EQ(problems[0], "Tools.ini, line 3: radius: \"0,4\" is not a nose radius from 0 to 25 mm");
    EXPECT_EQ(problems[1], "Tools.ini, line 6: shape: \"Q\" is not one of C, D, V, W, T, S, R");
    EXPECT_EQ(problems[2], "Tools.ini, line 9: \"what\" is no \"Key: value\" line");
    EXPECT_EQ(problems[3], "Tools.ini, line 13: tool 4 is listed twice; the second is left out");
    EXPECT_EQ(problems[4], "Tools.ini, line 15: the entry has no \"Tool:\" number and is left out");
    EXPECT_EQ(problems[5], "Tools.ini: end of file before \"EndTools\"");
}

TEST(ToolLibrary, SettingAFieldChecksItsValue) {
    CTool tool;
    std::string error;
    EXPECT_TRUE(tool.Set("radius", "0.8", error));
    EXPECT_DOUBLE_EQ(tool.dNoseRadius, 0.8);
    for (const char* bad : {"", " 0.8", "0.8mm", "nan", "inf", "-0.1", "26"}) {
        EXPECT_FALSE(tool.Set("radius", bad, error)) << bad;
        EXPECT_EQ(error.rfind("radius:", 0), 0u) << error;
    }
    EXPECT_DOUBLE_EQ(tool.dNoseRadius, 0.8);
    EXPECT_FALSE(tool.Set("orientation", "2.5", error));
    EXPECT_FALSE(tool.Set("orientation", "10", error));
    EXPECT_TRUE(tool.Set("orientation", "9", error));
    EXPECT_FALSE(tool.Set("hand", "both", error));
    EXPECT_FALSE(tool.Set("name", "two\nlines", error));
    EXPECT_FALSE(tool.Set("colour", "red", error));
    EXPECT_EQ(error.rfind("colour:", 0), 0u);
}

TEST(ToolLibrary, BladesThreadInsertsAndDrillsReadAndWriteBack) {
    std::vector<std::string> problems;
    const CToolLibrary library = CToolLibrary::Parse(
        "Tools.ini",
        "BeginTools\nTool: 7\nRadius: 0.2\nOrientation: 2\nKind: blade\nWidth: 2\n--------\n"
        "Tool: 8\nKind: thread\nIncluded: 55\nRadius: 0.1\n--------\n"
        "Tool: 9\nKind: drill\nDiameter: 8\n--------\nTool: 10\nKind: drill\nPoint: 180\n--------\n"
        "Tool: 11\nKind: blade\nWidth: 0\n--------\nTool: 12\nKind: reamer\n--------\nEndTools\n",
        problems);
    ASSERT_EQ(library.GetTools().size(), 3u);
    EXPECT_EQ(library.Find(7)->strKind, "blade");
    EXPECT_DOUBLE_EQ(library.Find(7)->dWidth, 2.0);
    EXPECT_DOUBLE_EQ(library.Find(8)->dIncludedAngle, 55.0);
    EXPECT_DOUBLE_EQ(library.Find(9)->dDiameter, 8.0);
    EXPECT_DOUBLE_EQ(library.Find(9)->dPointAngle, 118.0);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0],
              "Tools.ini, line 19: point: \"180\" is not an angle greater than 0 and less than 180 degrees");
    EXPECT_EQ(problems[1],
              "Tools.ini, line 23: width: \"0\" is not a blade width greater than 0 and at most 100 mm");
    EXPECT_EQ(problems[2], "Tools.ini, line 26: kind: \"reamer\" is not insert, blade, thread or drill");
    problems.clear();
    const CToolLibrary again = CToolLibrary::Parse("Tools.ini", library.Format(), problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(again.Format(), library.Format());
    EXPECT_DOUBLE_EQ(again.Find(9)->dPointAngle, 118.0);
    // A turning insert writes no kind line, so libraries written before the kinds read the same.
    EXPECT_EQ(CToolLibrary::Parse("Tools.ini", kTwoTools, problems).Format().find("\nKind:"), std::string::npos);
}

TEST(ToolLibrary, FindOrAddKeepsNumberOrder) {
    CToolLibrary library;
    library.FindOrAdd(5);
    library.FindOrAdd(2).strName = "second";
    library.FindOrAdd(5).strName = "fifth";
    ASSERT_EQ(library.GetTools().size(), 2u);
    EXPECT_EQ(library.GetTools()[0].strName, "second");
    EXPECT_EQ(library.GetTools()[1].strName, "fifth");
}

}  // namespace

TEST(ToolLibrary, SampleEdgesLieOnTheBodySideOfTheTip) {
    std::vector<std::string> problems;
    const CToolLibrary library = CToolLibrary::Load(KESTROVEL_SOURCE_DIR "/examples/Debug/Tools.ini", problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_GE(library.GetTools().size(), 3u);
    for (const CTool& tool : library.GetTools()) {
        if (!tool.IsInsert() || tool.nOrientation < 1 || tool.nOrientation > 4) {
            continue;
        }
        // The body lies opposite the imaginary tip; both cutting edges run from the nose into it.
        const CTipDirection tip = CTool::TipDirection(tool.nOrientation);
        for (const double angle : {tool.dFrontAngle, tool.dBackAngle}) {
            const double a = angle * 3.14159265358979 / 180.0;
            EXPECT_GT(-(tip.dZ * std::cos(a) + tip.dX * std::sin(a)), 0.0) << tool.strName << " edge " << angle;
        }
    }
}
