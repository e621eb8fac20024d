// CAutosave: writes every open drawing with unsaved changes to its recovery file at an interval.
#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/RecoveryStore.h"

class CKestrovelApp;
class CSettingsStore;
class CShellDocument;

// On the window's thread a tick only takes a copy of each modified drawing's bytes; a worker
// thread encodes and writes them through the safe writer, one file after another. A drawing
// without changes (saved, or never edited) has no recovery file; closing it removes its file.
class CAutosave : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultMinutes = 5;
    static constexpr const char* kSection = "Options";
    static constexpr const char* kMinutesKey = "AutosaveMinutes";
    // Seconds between ticks instead of the minutes set (for tests and trials).
    static constexpr const char* kSecondsVariable = "KESTROVEL_AUTOSAVE_SECONDS";

    CAutosave(CKestrovelApp& app, CSettingsStore& settings, std::string folder);
    ~CAutosave() override;

    CRecoveryStore& Store() { return m_store; }
    // The interval set in Options (0: off); setting it stores it and restarts the timer.
    int GetMinutes() const;
    void SetMinutes(int minutes);
    bool IsRunning() const { return m_timer.isActive(); }

    // One tick now: snapshots of the modified drawings go to the worker.
    void SaveModified();
    // Waits until the worker has written everything handed to it.
    void WaitForWrites();
    // The drawing recovered from slot keeps writing to that file.
    void Adopt(const CShellDocument& doc, const std::string& slot);
    // The drawing is closing cleanly: its recovery file goes.
    void Forget(const CShellDocument& doc);
    std::string SlotOf(const CShellDocument& doc) const;

    // Called on the window's thread after a drawing's recovery file was written, with the bytes
    // of the drawing it holds.
    using WrittenHook = std::function<void(const CShellDocument&, const std::vector<uint8_t>&)>;
    void SetWrittenHook(WrittenHook hook) { m_writtenHook = std::move(hook); }

private:
    void Restart();
    void Snapshot(CShellDocument& doc, const std::string& slot);
    void OnWritten(const CShellDocument* doc, const std::string& slot, bool ok, const std::string& error,
                   const std::vector<uint8_t>& bytes);

    CKestrovelApp& m_app;
    CSettingsStore& m_settings;
    CRecoveryStore m_store;
    QTimer m_timer;
    // One thread, so the writes of a file come in the order they were made.
    QThreadPool m_worker;
    std::map<const CShellDocument*, std::string> m_slots;
    WrittenHook m_writtenHook;
    std::string m_strLastError;
};
