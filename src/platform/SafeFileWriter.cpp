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

namespace {

// Symbolic links followed before the path counts as a loop, as the system itself counts them.
constexpr int kMaxLinkHops = 40;
// Name clashes with other temporaries before giving up; with 64 random bits they do not happen.
constexpr int kMaxTemporaryTries = 16;

struct CTarget {
    std::string strPath;
    std::string strFolder;
    std::string strName;
    bool bExists = false;
    struct stat st {};
};

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

bool WriteInPlace(const CTarget& target, const uint8_t* data, size_t size, std::string& error) {
    const int fd = ::open(target.strPath.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return Fail(error, "cannot open " + target.strPath, errno);
    }
    const bool regular = S_ISREG(target.st.st_mode);
    if (!WriteAll(fd, data, size) || (regular && ::ftruncate(fd, static_cast<off_t>(size)) != 0) ||
        (regular && ::fsync(fd) != 0)) {
        const int cause = errno;
        ::close(fd);
        return Fail(error, "cannot write " + target.strPath, cause);
    }
    if (::close(fd) != 0) {
        return Fail(error, "cannot write " + target.strPath, errno);
    }
    return true;
}

bool ReplaceByTemporary(const CTarget& target, int fd, const std::string& temp, const uint8_t* data,
                        size_t size, std::string& error) {
    if (!WriteAll(fd, data, size)) {
        return Fail(error, "cannot write " + temp, errno);
    }
    CopyOwnerAndMode(fd, target);
    if (::fsync(fd) != 0) {
        return Fail(error, "cannot flush " + temp, errno);
    }
    if (::rename(temp.c_str(), target.strPath.c_str()) != 0) {
        return Fail(error, "cannot replace " + target.strPath, errno);
    }
    SyncFolder(target.strFolder);
    return true;
}

}  // namespace

std::string CSafeFileWriter::TemporaryPrefix(const std::string& fileName) {
    return "." + fileName + ".save-";
}

bool CSafeFileWriter::Write(const std::string& path, const uint8_t* data, size_t size, std::string& error) {
    CTarget target;
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
        return WriteInPlace(target, data, size, error);
    }
    RemoveDeadTemporaries(target);
    std::string temp;
    const int fd = CreateTemporary(target, temp);
    if (fd < 0) {
        const int cause = errno;
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
    const bool written = ReplaceByTemporary(target, fd, temp, data, size, error);
    const int cause = errno;
    if (!written) {
        ::unlink(temp.c_str());
    }
    // The lock lasts until the rename is done, so no clean-up takes a temporary still in use.
    ::close(fd);
    errno = cause;
    return written;
}
