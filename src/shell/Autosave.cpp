// Autosave ticks: snapshots on the window's thread, writing on a worker, recovery files per drawing.
#include "shell/Autosave.h"

#include <QDateTime>
#include <QMdiSubWindow>
#include <cstdlib>
#include <memory>

#include "document/KestrovelDoc.h"
#include "platform/SettingsStore.h"
#include "postprocessor/DocumentFile.h"
#include "shell/Kestrovel.h"
#include "shell/QtText.h"
#include "shell/ShellDocument.h"

CAutosave::CAutosave(CKestrovelApp& app, CSettingsStore& settings, std::string folder)
    : m_app(app), m_settings(settings), m_store(std::move(folder)) {
    m_worker.setMaxThreadCount(1);
    connect(&m_timer, &QTimer::timeout, this, &CAutosave::SaveModified);
    Restart();
}

CAutosave::~CAutosave() {
    m_timer.stop();
    m_worker.waitForDone();
}

int CAutosave::GetMinutes() const {
    return std::max(0, m_settings.GetInt(kSection, kMinutesKey, kDefaultMinutes));
}

void CAutosave::SetMinutes(int minutes) {
    m_settings.WriteInt(kSection, kMinutesKey, std::max(0, minutes));
    Restart();
}

void CAutosave::Restart() {
    int64_t ms = int64_t{GetMinutes()} * 60000;
    if (const char* seconds = std::getenv(kSecondsVariable)) {
        const int value = std::atoi(seconds);
        if (value > 0 && value <= 86400) {
            ms = int64_t{value} * 1000;
        }
    }
    if (ms <= 0) {
        m_timer.stop();
        return;
    }
    // A timer's interval is an int of milliseconds: about 24 days at most.
    m_timer.start(static_cast<int>(std::min<int64_t>(ms, 0x7fffffff)));
}

void CAutosave::SaveModified() {
    for (const auto& doc : m_app.Documents()) {
        const auto it = m_slots.find(doc.get());
        if (doc->Doc().IsModified()) {
            std::string slot = it != m_slots.end() ? it->second : std::string();
            if (slot.empty()) {
                std::string error;
                slot = m_store.NewSlot(error);
                if (slot.empty()) {
                    if (error != m_strLastError) {
                        m_app.Messages().Trace("Autosave: " + error);
                        m_strLastError = error;
                    }
                    continue;
                }
                m_slots[doc.get()] = slot;
            }
            Snapshot(*doc, slot);
        } else if (it != m_slots.end()) {
            // Saved since the last tick: the file on disk is the newer copy.
            Forget(*doc);
        }
    }
}

void CAutosave::Snapshot(CShellDocument& doc, const std::string& slot) {
    auto record = std::make_shared<CRecoveryRecord>();
    record->strOriginalPath = FromQ(doc.GetPath());
    record->strTitle = FromQ(doc.GetTitle());
    record->nSavedAt = QDateTime::currentSecsSinceEpoch();
    record->document = CDocumentFile::Write(doc.Doc());
    const std::string path = m_store.PathOf(slot);
    const CShellDocument* key = &doc;
    m_worker.start([this, record, path, key, slot]() {
        std::string error;
        const bool ok = CRecoveryStore::Write(path, *record, error);
        QMetaObject::invokeMethod(
            this,
            [this, record, key, slot, ok, error]() { OnWritten(key, slot, ok, error, record->document); },
            Qt::QueuedConnection);
    });
}

void CAutosave::OnWritten(const CShellDocument* doc, const std::string& slot, bool ok,
                          const std::string& error, const std::vector<uint8_t>& bytes) {
    // The drawing may have closed (and its file gone) while the worker wrote.
    const auto it = m_slots.find(doc);
    if (it == m_slots.end() || it->second != slot) {
        return;
    }
    if (!ok) {
        if (error != m_strLastError) {
            m_app.Messages().Trace("Autosave: " + error);
            m_strLastError = error;
        }
        return;
    }
    if (m_writtenHook) {
        m_writtenHook(*doc, bytes);
    }
}

void CAutosave::WaitForWrites() {
    m_worker.waitForDone();
}

void CAutosave::Adopt(const CShellDocument& doc, const std::string& slot) {
    m_slots[&doc] = slot;
}

void CAutosave::Forget(const CShellDocument& doc) {
    const auto it = m_slots.find(&doc);
    if (it == m_slots.end()) {
        return;
    }
    // A write still queued for the file would bring it back after the removal.
    m_worker.waitForDone();
    m_store.Discard(it->second);
    m_slots.erase(it);
}

std::string CAutosave::SlotOf(const CShellDocument& doc) const {
    const auto it = m_slots.find(&doc);
    return it == m_slots.end() ? std::string() : it->second;
}
