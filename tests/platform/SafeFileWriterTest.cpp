// Saving files: links, modes, owners, read-only files, temporaries, folders without room, kills.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/Archive.h"
#include "platform/SafeFileWriter.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Put(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

bool Save(const fs::path& path, const std::string& text, std::string* error = nullptr) {
    std::string message;
    const bool ok = WriteFileAtomic(path.string(), text, message);
    if (error) {
        *error = message;
    }
    return ok;
}

mode_t ModeOf(const fs::path& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// A fresh folder under /tmp that an unprivileged user can reach.
class SafeFileWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kestrovel-save-XXXXXX";
        m_dir = ::mkdtemp(pattern);
        fs::permissions(m_dir, fs::perms(0755));
    }
    void TearDown() override {
        fs::permissions(m_dir, fs::perms(0755));
        fs::remove_all(m_dir);
    }
    // Everything in the folder except the names given: left-over temporaries.
    std::vector<std::string> Others(std::initializer_list<std::string> known) const {
        std::vector<std::string> others;
        for (const auto& entry : fs::directory_iterator(m_dir)) {
            const std::string name = entry.path().filename().string();
            if (std::find(known.begin(), known.end(), name) == known.end()) {
                others.push_back(name);
            }
        }
        return others;
    }
    fs::path m_dir;
};

}  // namespace

TEST_F(SafeFileWriterTest, SymbolicLinksAreWrittenThroughToTheirTarget) {
    fs::create_directory(m_dir / "real");
    Put(m_dir / "real" / "part.kst", "old");
    fs::create_symlink("real/part.kst", m_dir / "relative");
    fs::create_symlink(m_dir / "relative", m_dir / "chained");
    ASSERT_TRUE(Save(m_dir / "chained", "new"));
    EXPECT_TRUE(fs::is_symlink(m_dir / "chained"));
    EXPECT_TRUE(fs::is_symlink(m_dir / "relative"));
    EXPECT_EQ(Read(m_dir / "real" / "part.kst"), "new");
    // A link to a file that does not exist yet creates that file.
    fs::create_symlink("later.nc", m_dir / "dangling");
    ASSERT_TRUE(Save(m_dir / "dangling", "G0"));
    EXPECT_TRUE(fs::is_symlink(m_dir / "dangling"));
    EXPECT_EQ(Read(m_dir / "later.nc"), "G0");
    // Links in a circle are an error, not a hang.
    fs::create_symlink("loop-b", m_dir / "loop-a");
    fs::create_symlink("loop-a", m_dir / "loop-b");
    std::string error;
    EXPECT_FALSE(Save(m_dir / "loop-a", "x", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(Others({"real", "relative", "chained", "dangling", "later.nc", "loop-a", "loop-b"}).empty());
}

TEST_F(SafeFileWriterTest, ModesAreKeptAndNewFilesFollowTheUmask) {
    for (const mode_t mode : {0600, 0640, 0604, 0660, 0700, 0755, 0666, 0200}) {
        const fs::path path = m_dir / "out.nc";
        Put(path, "old");
        ::chmod(path.c_str(), mode);
        ASSERT_TRUE(Save(path, "new")) << std::oct << mode;
        EXPECT_EQ(ModeOf(path), mode) << std::oct << mode;
        fs::remove(path);
    }
    const mode_t before = ::umask(027);
    EXPECT_TRUE(Save(m_dir / "fresh.kst", "x"));
    ::umask(before);
    EXPECT_EQ(ModeOf(m_dir / "fresh.kst"), 0640u);
}

TEST_F(SafeFileWriterTest, OwnerAndGroupAreKeptWherePermitted) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only a privileged process may save a file of another user";
    }
    const fs::path path = m_dir / "theirs.kst";
    Put(path, "old");
    ASSERT_EQ(::chown(path.c_str(), 4242, 4343), 0);
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(Save(path, "new"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4242u);
    EXPECT_EQ(st.st_gid, 4343u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(SafeFileWriterTest, ReadOnlyFileIsRefusedAndLeftAsItWas) {
    const fs::path path = m_dir / "locked.nc";
    Put(path, "old");
    ::chmod(path.c_str(), 0444);
    std::string error;
    EXPECT_FALSE(Save(path, "new", &error));
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(error, path.string() + " is read-only; it was left as it was");
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(ModeOf(path), 0444u);
    // Through a link the target decides.
    fs::create_symlink("locked.nc", m_dir / "link");
    EXPECT_FALSE(Save(m_dir / "link", "new"));
    EXPECT_EQ(Read(path), "old");
    EXPECT_FALSE(Save(m_dir, "new"));  // a folder is not a file
}

TEST_F(SafeFileWriterTest, TemporariesAreExclusiveAndUnpredictable) {
    const fs::path path = m_dir / "out.nc";
    Put(path, "old");
    Put(m_dir / "victim", "keep");
    // The names a predictable scheme would use lead elsewhere; the save must not follow them.
    fs::create_symlink(m_dir / "victim", m_dir / ("out.nc.tmp" + std::to_string(::getpid())));
    fs::create_symlink(m_dir / "victim", m_dir / (CSafeFileWriter::TemporaryPrefix("out.nc") + "0"));
    ASSERT_TRUE(Save(path, "new"));
    EXPECT_EQ(Read(path), "new");
    EXPECT_EQ(Read(m_dir / "victim"), "keep");
    EXPECT_TRUE(fs::is_symlink(m_dir / ("out.nc.tmp" + std::to_string(::getpid()))));
}

TEST_F(SafeFileWriterTest, TemporariesOfADeadSaveAreRemovedAndLiveOnesKept) {
    const fs::path path = m_dir / "part.kst";
    Put(path, "old");
    const std::string dead = CSafeFileWriter::TemporaryPrefix("part.kst") + "0123456789abcdef";
    const std::string live = CSafeFileWriter::TemporaryPrefix("part.kst") + "fedcba9876543210";
    const std::string other = CSafeFileWriter::TemporaryPrefix("other.kst") + "0123456789abcdef";
    Put(m_dir / dead, "half");
    Put(m_dir / live, "busy");
    Put(m_dir / other, "theirs");
    // A save in progress holds its temporary locked.
    const int fd = ::open((m_dir / live).c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    ASSERT_TRUE(Save(path, "new"));
    ::close(fd);
    EXPECT_EQ(Others({"part.kst", live, other}), std::vector<std::string>{});
    EXPECT_TRUE(fs::exists(m_dir / live));
    EXPECT_EQ(Read(path), "new");
}

// Writing in place could be torn by a kill; a regular file is refused and keeps its content.
TEST_F(SafeFileWriterTest, FolderWithoutRoomForATemporaryRefusesARegularFile) {
    const fs::path path = m_dir / "out.nc";
    Put(path, "a much longer old content");
    ::chmod(path.c_str(), 0666);
    ::chmod(m_dir.c_str(), 0555);
    // A privileged process may create files anywhere; an unprivileged child meets the refusal.
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(3);
        }
        std::string error;
        const bool ok = WriteFileAtomic(path.string(), std::string("G0 X1"), error);
        (void)!::write(pipeFds[1], error.data(), error.size());
        ::_exit(ok ? 0 : 1);
    }
    ::close(pipeFds[1]);
    char text[512] = {};
    (void)!::read(pipeFds[0], text, sizeof text - 1);
    ::close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(std::string(text),
              "the folder " + m_dir.string() + " takes no new files, which saving " + path.string() +
                  " safely needs; the file was left as it was");
    EXPECT_EQ(Read(path), "a much longer old content");
    EXPECT_EQ(ModeOf(path), 0666u);
    EXPECT_TRUE(Others({"out.nc"}).empty());
    // A device or a pipe has no content to replace and is written as it is.
    std::string error;
    EXPECT_TRUE(WriteFileAtomic("/dev/null", std::string("x"), error)) << error;
    ::chmod(m_dir.c_str(), 0755);
    ASSERT_EQ(::mkfifo((m_dir / "fifo").c_str(), 0600), 0);
    const pid_t reader = ::fork();
    ASSERT_GE(reader, 0);
    if (reader == 0) {
        const int fd = ::open((m_dir / "fifo").c_str(), O_RDONLY);
        char buffer[16] = {};
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        ::_exit(n == 3 && std::string(buffer, 3) == "abc" ? 0 : 1);
    }
    EXPECT_TRUE(WriteFileAtomic((m_dir / "fifo").string(), std::string("abc"), error)) << error;
    ASSERT_EQ(::waitpid(reader, &status, 0), reader);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// However a save is cut short, the file holds one whole version, and the next save tidies up.
TEST_F(SafeFileWriterTest, KilledSavesNeverLeaveATornFile) {
    const fs::path path = m_dir / "part.kst";
    const std::string small(20000, 'a');
    const std::string large(300000, 'b');
    Put(path, small);
    std::mt19937 rng(1234);
    for (int round = 0; round < 40; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                std::string error;
                WriteFileAtomic(path.string(), i % 2 ? small : large, error);
            }
        }
        ::usleep(static_cast<useconds_t>(rng() % 4000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = Read(path);
        ASSERT_TRUE(now == small || now == large) << "round " << round << ": " << now.size() << " bytes";
    }
    ASSERT_TRUE(Save(path, "final"));
    EXPECT_TRUE(Others({"part.kst"}).empty());
    EXPECT_EQ(Read(path), "final");
}

// A file written in pieces: nothing changes until Commit, and a failed piece fails the whole save.
TEST_F(SafeFileWriterTest, PiecesReplaceTheFileOnlyWhenCommitted) {
    const fs::path path = m_dir / "out.dxf";
    Put(path, "old");
    const auto append = [](CSafeFileWriter& save, const std::string& text) {
        return save.Append(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    };
    std::string error;
    {
        CSafeFileWriter save;
        ASSERT_TRUE(save.Open(path.string(), error)) << error;
        ASSERT_TRUE(append(save, "half of the new"));
        EXPECT_EQ(Read(path), "old");
    }
    EXPECT_EQ(Read(path), "old");
    EXPECT_TRUE(Others({"out.dxf"}).empty());

    CSafeFileWriter save;
    ASSERT_TRUE(save.Open(path.string(), error)) << error;
    ASSERT_TRUE(append(save, "new, "));
    ASSERT_TRUE(append(save, "in two pieces"));
    ASSERT_TRUE(save.Commit(error)) << error;
    EXPECT_EQ(Read(path), "new, in two pieces");
    EXPECT_TRUE(Others({"out.dxf"}).empty());

    CSafeFileWriter full;
    ASSERT_TRUE(full.Open("/dev/full", error)) << error;
    EXPECT_FALSE(append(full, std::string(100000, 'x')));
    EXPECT_FALSE(append(full, "more"));
    EXPECT_FALSE(full.Commit(error));
    EXPECT_NE(error.find("No space left on device"), std::string::npos) << error;
}
