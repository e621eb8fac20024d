// kestrovel-cli tools: listing the sample library, and setting a tool with checked values.
#include <nlohmann/json.hpp>

#include "CliRunner.h"

namespace {

class CliTools : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        std::filesystem::create_directories(m_dir / "Debug");
        std::filesystem::copy_file(std::string(KESTROVEL_SOURCE_DIR) + "/examples/Debug/Tools.ini",
                                   m_dir / "Debug" / "Tools.ini");
    }
    std::string Library() const { return ReadText(PathOf("Debug/Tools.ini")); }
    nlohmann::json ListJson() const {
        const CCliResult r = Run({"tools", "--post-dir", m_dir.string(), "--json"});
        EXPECT_EQ(r.nExit, 0) << r.strErr;
        return nlohmann::json::parse(r.strOut);
    }
};

}  // namespace

TEST_F(CliTools, ListsTheSampleLibrary) {
    const nlohmann::json list = ListJson();
    ASSERT_EQ(list["tools"].size(), 10u);
    EXPECT_EQ(list["tools"][0]["shape"], "D");
    EXPECT_EQ(list["tools"][0]["kind"], "insert");
    EXPECT_EQ(list["tools"][7]["kind"], "thread");
    EXPECT_EQ(list["tools"][7]["included"], 60);
    EXPECT_EQ(list["tools"][8]["point"], 90);
    EXPECT_EQ(list["tools"][0]["radius"], 0.4);
    EXPECT_EQ(list["tools"][3]["orientation"], 9);
    const CCliResult text = Run({"tools", "--post-dir", m_dir.string()});
    EXPECT_NE(text.strOut.find("Round insert RCMT 3"), std::string::npos);
}

TEST_F(CliTools, SetChangesAndAddsToolsAndRefusesBadValuesNamingTheKey) {
    const std::string before = Library();
    for (const char* bad : {"radius=0,8", "orientation=12", "shape=X", "colour=red", "radius"}) {
        const CCliResult r = Run({"tools", "--post-dir", m_dir.string(), "--set", "2", "name=Changed", bad});
        EXPECT_NE(r.nExit, 0) << bad;
        const std::string key = std::string(bad).substr(0, std::string(bad).find('='));
        EXPECT_NE(r.strErr.find(key), std::string::npos) << r.strErr;
        EXPECT_EQ(Library(), before) << bad;
    }
    ASSERT_EQ(Run({"tools", "--post-dir", m_dir.string(), "--set", "2", "radius=0.8", "hand=left"}).nExit, 0);
    ASSERT_EQ(Run({"tools", "--post-dir", m_dir.string(), "--set", "12", "name=Grooving 3 mm", "shape=S"}).nExit, 0);
    const nlohmann::json list = ListJson();
    ASSERT_EQ(list["tools"].size(), 11u);
    EXPECT_EQ(list["tools"][1]["radius"], 0.8);
    EXPECT_EQ(list["tools"][1]["hand"], "left");
    EXPECT_EQ(list["tools"][1]["name"], "Finishing 35 deg VNMG 0.2");
    EXPECT_EQ(list["tools"][10]["number"], 12);
    EXPECT_EQ(list["tools"][10]["name"], "Grooving 3 mm");
}

TEST_F(CliTools, LibraryWithBadLinesIsNotRewritten) {
    std::string text = Library();
    text.replace(text.find("EndTools"), 8, "Tool: 5\nRadius: big\n--------\nEndTools");
    std::ofstream(PathOf("Debug/Tools.ini"), std::ios::binary) << text;
    const std::string before = Library();
    const CCliResult r = Run({"tools", "--post-dir", m_dir.string(), "--set", "1", "radius=0.8"});
    EXPECT_NE(r.nExit, 0);
    EXPECT_NE(r.strErr.find("Tools.ini, line"), std::string::npos) << r.strErr;
    EXPECT_EQ(Library(), before);
}
