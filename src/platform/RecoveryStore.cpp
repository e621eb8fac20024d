// The recovery folder: slots with their lock files, leftovers of ended processes, damaged files.
#include "platform/RecoveryStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/Archive.h"
#include "platform/SafeFileWriter.h"

namespace {

const char kLockSuffix[] = ".lock";

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() > tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Makes the folder and its parents, private to the user where it makes them.
bool MakeFolders(const std::string& folder, std::string& error) {
    for (size_t at = 1; at <= folder.size(); ++at) {
        if (at != folder.size() && folder[at] != '/') {
            continue;
        }
        const std::string part = folder.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = "cannot make " + part + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

std::string RandomHex() {
    uint64_t r = 0;
    if (::getrandom(&r, sizeof r, 0) != static_cast<ssize_t>(sizeof r)) {
        r = static_cast<uint64_t>(std::time(nullptr)) ^ (static_cast<uint64_t>(::getpid()) << 32);
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(r));
    return text;
}

}  // namespace

CRecoveryStore::CRecoveryStore(std::string folder) : m_strFolder(std::move(folder)) {}

CRecoveryStore::~CRecoveryStore() {
    for (const auto& [slot, fd] : m_locks) {
        ::close(fd);
    }
}

std::string CRecoveryStore::DefaultFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (data && data[0] == '/') {
        base = data;
    } else if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
        base = std::string(home) + "/.local/share";
    } else {
        return std::string();
    }
    return base + "/kestrovel/recovery";
}

std::string CRecoveryStore::PathOf(const std::string& slot) const {
    return m_strFolder + "/" + slot + kRecordSuffix;
}

std::string CRecoveryStore::LockPathOf(const std::string& slot) const {
    return m_strFolder + "/" + slot + kLockSuffix;
}

bool CRecoveryStore::Lock(const std::string& slot, bool create) {
    const std::string path = LockPathOf(slot);
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT | O_EXCL : O_CREAT), 0600);
    if (fd < 0) {
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_locks[slot] = fd;
    return true;
}

void CRecoveryStore::Unlock(const std::string& slot, bool removeLockFile) {
    const auto it = m_locks.find(slot);
    if (it == m_locks.end()) {
        return;
    }
    if (removeLockFile) {
        // Removed while still locked, so no other process can take the name in between.
        ::unlink(LockPathOf(slot).c_str());
    }
    ::close(it->second);
    m_locks.erase(it);
}

std::string CRecoveryStore::NewSlot(std::string& error) {
    if (m_strFolder.empty()) {
        error = "no folder for recovery files (neither XDG_DATA_HOME nor HOME is set)";
        return std::string();
    }
    if (!MakeFolders(m_strFolder, error)) {
        return std::string();
    }
    for (int tries = 0; tries < 16; ++tries) {
        const std::string slot = std::to_string(static_cast<long long>(std::time(nullptr))) + "-" +
                                 std::to_string(::getpid()) + "-" + RandomHex();
        if (Lock(slot, true)) {
            return slot;
        }
        if (errno != EEXIST) {
            error = "cannot lock a recovery file in " + m_strFolder + ": " + std::strerror(errno);
            return std::string();
        }
    }
    error = "cannot find a free recovery file name in " + m_strFolder;
    return std::string();
}

std::vector<std::string> CRecoveryStore::TakeLeftovers() {
    std::vector<std::string> slots;
    DIR* dir = m_strFolder.empty() ? nullptr : ::opendir(m_strFolder.c_str());
    if (!dir) {
        return slots;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (EndsWith(name, kRecordSuffix)) {
            slots.push_back(name.substr(0, name.size() - std::strlen(kRecordSuffix)));
        }
    }
    ::closedir(dir);
    std::sort(slots.begin(), slots.end());
    std::vector<std::string> taken;
    for (const std::string& slot : slots) {
        if (!Owns(slot) && Lock(slot, false)) {
            // The file may have gone between the listing and the lock (its owner closed it).
            struct stat st {};
            if (::stat(PathOf(slot).c_str(), &st) == 0) {
                taken.push_back(slot);
            } else {
                Unlock(slot, true);
            }
        }
    }
    return taken;
}

bool CRecoveryStore::Write(const std::string& path, const CRecoveryRecord& record, std::string& error) {
    return WriteFileAtomic(path, record.Encode(), error);
}

bool CRecoveryStore::Read(const std::string& path, CRecoveryRecord& record, std::string& error) {
    std::vector<uint8_t> bytes;
    return ReadFileBytes(path, bytes, error) && CRecoveryRecord::Decode(bytes, record, error);
}

void CRecoveryStore::Discard(const std::string& slot) {
    ::unlink(PathOf(slot).c_str());
    // A write the owner's process did not finish leaves its temporary; with the slot gone no later
    // save of the same file would clear it.
    const std::string prefix = CSafeFileWriter::TemporaryPrefix(slot + kRecordSuffix);
    if (DIR* dir = ::opendir(m_strFolder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (std::string(entry->d_name).rfind(prefix, 0) == 0) {
                ::unlinkat(::dirfd(dir), entry->d_name, 0);
            }
        }
        ::closedir(dir);
    }
    Unlock(slot, true);
}

void CRecoveryStore::Release(const std::string& slot) {
    Unlock(slot, false);
}

bool CRecoveryStore::SetAside(const std::string& slot, std::string& error) {
    const std::string path = PathOf(slot);
    if (::rename(path.c_str(), (path + kDamagedSuffix).c_str()) != 0) {
        error = "cannot rename " + path + ": " + std::strerror(errno);
        Unlock(slot, false);
        return false;
    }
    Unlock(slot, true);
    return true;
}
