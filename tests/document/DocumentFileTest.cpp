// Opening and saving document files on disk: atomic replacement, failures that touch nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "document/KestrovelDoc.h"
#include "platform/Archive.h"

namespace fs = std::filesystem;

namespace {

class DocumentFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("kestrovel-docfile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string PathOf(const char* name) const { return (m_dir / name).string(); }

    static std::vector<uint8_t> Bytes(const std::string& path) {
        std::vector<uint8_t> bytes;
        std::string error;
        EXPECT_TRUE(ReadFileBytes(path, bytes, error)) << error;
        return bytes;
    }

    fs::path m_dir;
};

TEST_F(DocumentFile, SaveThenOpenGivesTheSameDrawing) {
    CKestrovelDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.GetLayer(1)->AddLine(2000000, 800000, 3000000, 800000);
    doc.SetActiveLayer(1);
    std::string error;
    const std::string path = PathOf("a.kst");
    ASSERT_TRUE(doc.OnSaveDocument(path, error)) << error;
    CKestrovelDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(path, error)) << error;
    EXPECT_EQ(loaded.GetActiveLayerIndex(), 1);
    EXPECT_EQ(loaded.GetLayer(1)->GetPieces().size(), 3u);
    const std::string again = PathOf("b.kst");
    ASSERT_TRUE(loaded.OnSaveDocument(again, error)) << error;
    EXPECT_EQ(Bytes(again), Bytes(path));
    // Nothing is left beside the file.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 2);
}

TEST_F(DocumentFile, FailedOpenReportsTheReasonAndLeavesTheFileAsItWas) {
    CKestrovelDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    std::string error;
    const std::string path = PathOf("damaged.kst");
    ASSERT_TRUE(doc.OnSaveDocument(path, error)) << error;
    auto bytes = Bytes(path);
    bytes.resize(bytes.size() - 5);
    ASSERT_TRUE(WriteFileAtomic(path, bytes, error));
    const auto before = fs::last_write_time(path);
    CKestrovelDoc loaded;
    EXPECT_FALSE(loaded.OnOpenDocument(path, error));
    EXPECT_NE(error.find("end of file"), std::string::npos) << error;
    EXPECT_EQ(Bytes(path), bytes);
    EXPECT_EQ(fs::last_write_time(path), before);

    EXPECT_FALSE(loaded.OnOpenDocument(PathOf("missing.kst"), error));
    EXPECT_NE(error.find("missing.kst"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(PathOf("missing.kst")));
}

TEST_F(DocumentFile, FailedSaveReportsTheReasonAndKeepsTheOldFile) {
    CKestrovelDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    std::string error;
    const std::string path = PathOf("kept.kst");
    ASSERT_TRUE(doc.OnSaveDocument(path, error)) << error;
    const auto old = Bytes(path);
    doc.GetLayer(0)->AddLine(2000000, 800000, 3000000, 800000);
    // The target is a directory: the new file cannot take its place.
    const std::string blocked = PathOf("dir.kst");
    fs::create_directories(blocked);
    EXPECT_FALSE(doc.OnSaveDocument(blocked, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(blocked));
    // A folder that does not exist.
    EXPECT_FALSE(doc.OnSaveDocument(PathOf("no/such/folder.kst"), error));
    EXPECT_NE(error.find("folder.kst"), std::string::npos) << error;
    EXPECT_EQ(Bytes(path), old);
    // Only the old file and the blocking folder remain: no temporary is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 2);
}

}  // namespace
