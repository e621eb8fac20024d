// Recovery files: the record format against damage, slots and their locks between instances.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/RecoveryStore.h"

namespace {

namespace fs = std::filesystem;

class RecoveryStore : public ::testing::Test {
protected:
    void SetUp() override {
        m_root =
            fs::temp_directory_path() / ("kestrovel-recovery-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
    }
    void TearDown() override { fs::remove_all(m_root); }
    std::string Folder() const { return (m_root / "a" / "recovery").string(); }

    fs::path m_root;
};

CRecoveryRecord Sample(std::mt19937& rng) {
    CRecoveryRecord r;
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 40);
    for (int i = length(rng); i > 0; --i) {
        r.strOriginalPath.push_back(static_cast<char>(byte(rng)));
    }
    for (int i = length(rng); i > 0; --i) {
        r.strTitle.push_back(static_cast<char>(byte(rng)));
    }
    r.nSavedAt = std::uniform_int_distribution<int64_t>(0, INT64_MAX)(rng);
    for (int i = length(rng) * 10; i > 0; --i) {
        r.document.push_back(static_cast<uint8_t>(byte(rng)));
    }
    return r;
}

}  // namespace

TEST(RecoveryRecord, RandomRecordsComeBackAndDamagedOnesAreRefusedWithoutReadingPastTheEnd) {
    std::mt19937 rng(29);
    for (int round = 0; round < 500; ++round) {
        const CRecoveryRecord r = Sample(rng);
        const std::vector<uint8_t> bytes = r.Encode();
        CRecoveryRecord back;
        std::string error;
        ASSERT_TRUE(CRecoveryRecord::Decode(bytes, back, error)) << error;
        EXPECT_EQ(back.strOriginalPath, r.strOriginalPath);
        EXPECT_EQ(back.strTitle, r.strTitle);
        EXPECT_EQ(back.nSavedAt, r.nSavedAt);
        EXPECT_EQ(back.document, r.document);

        // Cut anywhere, a record is not whole; a changed byte is refused or read within bounds.
        std::vector<uint8_t> cut(
            bytes.begin(), bytes.begin() + std::uniform_int_distribution<size_t>(0, bytes.size() - 1)(rng));
        EXPECT_FALSE(CRecoveryRecord::Decode(cut, back, error));
        std::vector<uint8_t> flipped = bytes;
        flipped[std::uniform_int_distribution<size_t>(0, bytes.size() - 1)(rng)] ^=
            static_cast<uint8_t>(1 + rng() % 255);
        CRecoveryRecord::Decode(flipped, back, error);
    }
}

TEST(RecoveryRecord, LengthsBeyondTheFileAndHugeNumbersAreRefused) {
    std::string error;
    CRecoveryRecord r;
    for (const std::string& text :
         {std::string("KESTROVEL RECOVERY 1\ndocument 99999999999999999999:x\n"),
          std::string("KESTROVEL RECOVERY 1\ndocument 18446744073709551615:x\n"),
          std::string("KESTROVEL RECOVERY 1\ndocument 5:x\n"),
          std::string("KESTROVEL RECOVERY 1\ntime 30:99999999999999999999999999999\n"),
          std::string("KESTROVEL RECOVERY 1\npath 0:\n"), std::string("not one")}) {
        EXPECT_FALSE(CRecoveryRecord::Decode(std::vector<uint8_t>(text.begin(), text.end()), r, error))
            << text;
        EXPECT_FALSE(error.empty());
    }
}

TEST_F(RecoveryStore, AnotherInstanceTakesOnlyFilesWhoseOwnerHasEnded) {
    std::string error;
    CRecoveryRecord record;
    record.strTitle = "part.kst";
    record.document = {1, 2, 3};
    std::string slot;
    {
        CRecoveryStore first(Folder());
        slot = first.NewSlot(error);
        ASSERT_FALSE(slot.empty()) << error;
        ASSERT_TRUE(CRecoveryStore::Write(first.PathOf(slot), record, error)) << error;
        EXPECT_EQ(fs::status(Folder()).permissions() & fs::perms::all, fs::perms::owner_all);

        CRecoveryStore second(Folder());
        EXPECT_TRUE(second.TakeLeftovers().empty()) << "the running owner keeps its file";
        EXPECT_TRUE(first.TakeLeftovers().empty()) << "an instance does not offer its own files";
    }
    // The first instance ended without removing the file (as a killed one would).
    CRecoveryStore second(Folder());
    CRecoveryStore third(Folder());
    ASSERT_EQ(second.TakeLeftovers(), std::vector<std::string>{slot});
    EXPECT_TRUE(third.TakeLeftovers().empty()) << "a leftover is offered by one instance only";
    CRecoveryRecord back;
    ASSERT_TRUE(CRecoveryStore::Read(second.PathOf(slot), back, error)) << error;
    EXPECT_EQ(back.document, record.document);

    second.Release(slot);  // "Later": kept for the next start
    ASSERT_EQ(third.TakeLeftovers(), std::vector<std::string>{slot});
    // A write cut short by the kill left its temporary beside the file.
    std::ofstream(Folder() + "/." + slot + ".kstrec.save-0123456789abcdef") << "half";
    third.Discard(slot);
    EXPECT_TRUE(fs::is_empty(Folder())) << "no file and no lock left";
}

TEST_F(RecoveryStore, DamagedFilesAreSetAsideAndNotOfferedAgain) {
    fs::create_directories(Folder());
    std::ofstream(Folder() + "/old.kstrec") << "garbage";
    CRecoveryStore store(Folder());
    ASSERT_EQ(store.TakeLeftovers(), std::vector<std::string>{"old"});
    CRecoveryRecord r;
    std::string error;
    EXPECT_FALSE(CRecoveryStore::Read(store.PathOf("old"), r, error));
    ASSERT_TRUE(store.SetAside("old", error)) << error;
    EXPECT_TRUE(fs::exists(Folder() + "/old.kstrec.damaged"));
    EXPECT_TRUE(CRecoveryStore(Folder()).TakeLeftovers().empty());
}

TEST_F(RecoveryStore, FolderFollowsXdgDataHomeThenHome) {
    const char* oldData = std::getenv("XDG_DATA_HOME");
    const std::string saved = oldData ? oldData : "";
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "/";
    setenv("XDG_DATA_HOME", "/data/u", 1);
    EXPECT_EQ(CRecoveryStore::DefaultFolder(), "/data/u/kestrovel/recovery");
    setenv("XDG_DATA_HOME", "relative", 1);  // not absolute: ignored, as the XDG rules say
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(CRecoveryStore::DefaultFolder(), "/home/u/.local/share/kestrovel/recovery");
    setenv("HOME", home.c_str(), 1);
    oldData ? setenv("XDG_DATA_HOME", saved.c_str(), 1) : unsetenv("XDG_DATA_HOME");
}
