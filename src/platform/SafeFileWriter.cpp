// Saving a file by an exclusive temporary and a rename, through links, keeping mode and owner.
#include "platform/SafeFileWriter.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

// The file that really holds the content, found through any links on the path.
struct CSafeFileTarget {
    std::string strPath;
    std::string strFolder;
    std::string strName;
    bool bExists = false;
    struct stat st {};
};

namespace {

using CTarget = CSafeFileTarget;

// Symbolic links followed before the path counts as a loop, as the system itself counts them.
constexpr int kMaxLinkHops = 40;
// Name clashes with other temporaries before giving up; with 64 random bits they do not happen.
constexpr int kMaxTemporaryTries = 16;

bool Fail(std::string& error, const std::string& text, int cause) {
    error = text + ": " + std::strerror(cause);
    errno = cause;
    return false;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links to the file that really holds the content (which may not exist yet).
bool ResolveTarget(const std::string& path, CTarget& target, std::string& error) {
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0) {
            if (errno != ENOENT) {
                return Fail(error, "cannot examine " + current, errno);
            }
            target.strPath = current;
            target.bExists = false;
            break;
        }
        if (!S_ISLNK(st.st_mode)) {
            target.strPath = current;
            target.bExists = true;
            target.st = st;
            break;
        }
        char link[4096];
        const ssize_t n = ::readlink(current.c_str(), link, sizeof link - 1);
        if (n <= 0) {
            return Fail(error, "cannot read the link " + current, n < 0 ? errno : ENOENT);
        }
        const std::string next(link, static_cast<size_t>(n));
        current = next[0] == '/' ? next : FolderOf(current) + "/" + next;
        if (hop == kMaxLinkHops) {
            return Fail(error, "cannot save " + path, ELOOP);
        }
    }
    target.strFolder = FolderOf(target.strPath);
    target.strName = NameOf(target.strPath);
    return true;
}

// Root passes every permission check, so a file nobody may write counts as read-only for it too.
bool IsReadOnly(const CTarget& target) {
    if ((target.st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return true;
    }
    return ::geteuid() != 0 && ::access(target.strPath.c_str(), W_OK) != 0;
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        // Sequential writes: a pipe or a terminal has no offsets to write at.
        const ssize_t w = ::write(fd, data + done, size - done);
        if (w < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (w == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<size_t>(w);
    }
    return true;
}

std::string RandomSuffix() {
    uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, 0) != static_cast<ssize_t>(sizeof bits)) {
        std::random_device device;
        bits = (static_cast<uint64_t>(device()) << 32) ^ device();
    }
    static const char kHex[] = "0123456789abcdef";
    std::string suffix;
    for (int i = 0; i < 16; ++i) {
        suffix += kHex[(bits >> (4 * i)) & 0xF];
    }
    return suffix;
}

// A temporary that no save holds locked belongs to a save that died; it is removed. Only regular
// files are touched, never followed links.
void RemoveDeadTemporaries(const CTarget& target) {
    const std::string prefix = CSafeFileWriter::TemporaryPrefix(target.strName);
    DIR* dir = ::opendir(target.strFolder.c_str());
    if (!dir) {
        return;
    }
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) != 0) {
            continue;
        }
        const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlinkat(dirFd, entry->d_name, 0);
        }
        ::close(fd);
    }
    ::closedir(dir);
}

// Creates and locks a new temporary beside the target; -1 with errno set when the folder takes none.
int CreateTemporary(const CTarget& target, std::string& name) {
    for (int attempt = 0; attempt < kMaxTemporaryTries; ++attempt) {
        name = target.strFolder + "/" + CSafeFileWriter::TemporaryPrefix(target.strName) + RandomSuffix();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return -1;
        }
        // Another save's clean-up may have taken the file between its creation and the lock. A
        // file system without locks keeps the temporary unlocked; clean-up then leaves it alone.
        struct stat st {};
        while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        if (::fstat(fd, &st) == 0 && st.st_nlink > 0) {
            return fd;
        }
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The temporary takes the target's owner first: a change of owner clears set-id bits, the mode
// set afterwards restores them. A process that may not give the file away keeps what it can.
void CopyOwnerAndMode(int fd, const CTarget& target) {
    if (!target.bExists) {
        ::fchmod(fd, NewFileMode());
        return;
    }
    if (::fchown(fd, target.st.st_uid, target.st.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), target.st.st_gid) != 0) {
        // Neither owner nor group could be kept: the file becomes this process's, as a new one would.
    }
    ::fchmod(fd, target.st.st_mode & 07777);
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

std::string CSafeFileWriter::TemporaryPrefix(const std::string& fileName) {
    return "." + fileName + ".save-";
}

CSafeFileWriter::CSafeFileWriter() = default;

CSafeFileWriter::~CSafeFileWriter() {
    Abandon();
}

void CSafeFileWriter::Abandon() {
    if (m_fd < 0) {
        return;
    }
    if (!m_strTemporary.empty()) {
        ::unlink(m_strTemporary.c_str());
    }
    // The lock lasts until the temporary is gone or renamed, so no clean-up takes one in use.
    ::close(m_fd);
    m_fd = -1;
}

bool CSafeFileWriter::Write(const std::string& path, const uint8_t* data, size_t size, std::string& error) {
    CSafeFileWriter writer;
    if (!writer.Open(path, error)) {
        return false;
    }
    writer.Append(data, size);
    return writer.Commit(error);
}

bool CSafeFileWriter::Open(const std::string& path, std::string& error) {
    Abandon();
    m_strTemporary.clear();
    m_nCause = 0;
    m_pTarget = std::make_unique<CTarget>();
    CTarget& target = *m_pTarget;
    if (!ResolveTarget(path, target, error)) {
        return false;
    }
    if (target.bExists && S_ISDIR(target.st.st_mode)) {
        return Fail(error, "cannot save " + path, EISDIR);
    }
    if (target.bExists && IsReadOnly(target)) {
        error = path + " is read-only; it was left as it was";
        errno = EACCES;
        return false;
    }
    // A device or a pipe has no content to replace: it is simply written.
    if (target.bExists && !S_ISREG(target.st.st_mode)) {
        m_fd = ::open(target.strPath.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
        return m_fd >= 0 || Fail(error, "cannot open " + target.strPath, errno);
    }
    RemoveDeadTemporaries(target);
    m_fd = CreateTemporary(target, m_strTemporary);
    if (m_fd < 0) {
        const int cause = errno;
        m_strTemporary.clear();
        // Writing a regular file in place could leave it torn by a crash; it is refused instead.
        const bool folderRefuses = cause == EACCES || cause == EPERM || cause == EROFS;
        if (folderRefuses && target.bExists) {
            error = "the folder " + target.strFolder + " takes no new files, which saving " + path +
                    " safely needs; the file was left as it was";
            errno = cause;
            return false;
        }
        return Fail(error, "cannot create a temporary file beside " + target.strPath, cause);
    }
    return true;
}

bool CSafeFileWriter::Append(const uint8_t* data, size_t size) {
    if (m_fd < 0 || m_nCause != 0) {
        return false;
    }
    if (!WriteAll(m_fd, data, size)) {
        m_nCause = errno != 0 ? errno : EIO;
        return false;
    }
    return true;
}

bool CSafeFileWriter::Commit(std::string& error) {
    if (m_fd < 0 || !m_pTarget) {
        return Fail(error, "cannot save a file that was not opened", EBADF);
    }
    const CTarget& target = *m_pTarget;
    if (m_strTemporary.empty()) {
        const int fd = m_fd;
        m_fd = -1;
        if (m_nCause != 0) {
            ::close(fd);
            return Fail(error, "cannot write " + target.strPath, m_nCause);
        }
        return ::close(fd) == 0 || Fail(error, "cannot write " + target.strPath, errno);
    }
    bool written = false;
    if (m_nCause != 0) {
        Fail(error, "cannot write " + m_strTemporary, m_nCause);
    } else {
        CopyOwnerAndMode(m_fd, target);
        if (::fsync(m_fd) != 0) {
            Fail(error, "cannot flush " + m_strTemporary, errno);
        } else if (::rename(m_strTemporary.c_str(), target.strPath.c_str()) != 0) {
            Fail(error, "cannot replace " + target.strPath, errno);
        } else {
            SyncFolder(target.strFolder);
            m_strTemporary.clear();
            written = true;
        }
    }
    const int cause = errno;
    Abandon();
    errno = cause;
    return written;
}
