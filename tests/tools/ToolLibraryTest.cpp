// The tool library text: reading, the messages for bad lines, checked settings and writing back.
#include <gtest/gtest.h>

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
