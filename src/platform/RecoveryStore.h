// CRecoveryStore: the folder of recovery files, with a lock per file for the process that owns it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/RecoveryRecord.h"

// Each open drawing with unsaved changes has a slot: "<slot>.kstrec" holds its recovery record and
// "<slot>.lock" is locked (flock) by the process that writes it, for as long as it runs. A
// recovery file whose lock nobody holds was left by a process that ended without closing the
// drawing; two running instances never take each other's files. The lock dies with the process,
// however it ends.
class CRecoveryStore {
public:
    static constexpr const char* kRecordSuffix = ".kstrec";
    static constexpr const char* kDamagedSuffix = ".damaged";

    explicit CRecoveryStore(std::string folder);
    ~CRecoveryStore();
    CRecoveryStore(const CRecoveryStore&) = delete;
    CRecoveryStore& operator=(const CRecoveryStore&) = delete;

    // $XDG_DATA_HOME/kestrovel/recovery, or ~/.local/share/kestrovel/recovery; empty when neither
    // the variable nor HOME names an absolute folder.
    static std::string DefaultFolder();
    const std::string& GetFolder() const { return m_strFolder; }
    std::string PathOf(const std::string& slot) const;

    // A new locked slot for a drawing of this process; empty with error when the folder cannot be
    // made or the lock not taken.
    std::string NewSlot(std::string& error);
    // Recovery files no running process holds, oldest name first; they come back locked by us.
    std::vector<std::string> TakeLeftovers();
    bool Owns(const std::string& slot) const { return m_locks.count(slot) != 0; }

    // Writing and reading touch no member, so a worker thread may write while the owner works on.
    static bool Write(const std::string& path, const CRecoveryRecord& record, std::string& error);
    static bool Read(const std::string& path, CRecoveryRecord& record, std::string& error);

    // Removes the slot's file and lock.
    void Discard(const std::string& slot);
    // Lets go of the slot and keeps its file for a later start.
    void Release(const std::string& slot);
    // Renames the file to "<slot>.kstrec.damaged" (never offered again, kept for a person to look
    // at) and lets go of the slot; false with error when it could not be renamed.
    bool SetAside(const std::string& slot, std::string& error);

private:
    std::string LockPathOf(const std::string& slot) const;
    bool Lock(const std::string& slot, bool create);
    void Unlock(const std::string& slot, bool removeLockFile);

    std::string m_strFolder;
    std::map<std::string, int> m_locks;
};
