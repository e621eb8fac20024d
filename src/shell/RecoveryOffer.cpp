// Reading leftover recovery files, comparing them with their saved files, opening what is chosen.
#include "shell/RecoveryOffer.h"

#include <QDateTime>
#include <QFileInfo>

#include "document/DocumentChanges.h"
#include "document/KestrovelDoc.h"
#include "platform/RecoveryStore.h"
#include "postprocessor/DocumentFile.h"
#include "shell/Autosave.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/QtText.h"

CRecoveryOffer::CRecoveryOffer(CKestrovelApp& app, CAutosave& autosave) : m_app(app), m_autosave(autosave) {
    m_ask = [this](std::vector<CRecoveryDialog::CEntry> entries, QStringList damaged) {
        CRecoveryDialog dialog(std::move(entries), std::move(damaged), m_app.GetMainFrame());
        dialog.exec();
        return dialog.Choices();
    };
}

CRecoveryOffer::~CRecoveryOffer() = default;

bool CRecoveryOffer::Load(const std::string& slot, CFound& found, std::string& error) {
    CRecoveryStore& store = m_autosave.Store();
    found.strSlot = slot;
    if (!CRecoveryStore::Read(store.PathOf(slot), found.record, error)) {
        return false;
    }
    found.pDoc = CDocumentFile::Read(found.record.document, m_app.DocumentServices(), error);
    if (!found.pDoc) {
        return false;
    }
    const QString path = ToQ(found.record.strOriginalPath);
    found.entry.strName = path.isEmpty() ? ToQ(found.record.strTitle) : QFileInfo(path).fileName();
    found.entry.strPath = path;
    found.entry.strTime =
        QDateTime::fromSecsSinceEpoch(found.record.nSavedAt).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    found.entry.strChanges = ToQ(DescribeChanges(found));
    return true;
}

std::string CRecoveryOffer::DescribeChanges(CFound& found) {
    const std::string& path = found.record.strOriginalPath;
    if (path.empty()) {
        return "new drawing, never saved";
    }
    if (!QFileInfo::exists(ToQ(path))) {
        return "the saved file no longer exists";
    }
    std::string error;
    std::unique_ptr<CKestrovelDoc> saved = CDocumentFile::Open(path, m_app.DocumentServices(), error);
    if (!saved) {
        return "the saved file cannot be read (" + error + ")";
    }
    return CDocumentChanges::Describe(*found.pDoc, *saved);
}

int CRecoveryOffer::Run() {
    CRecoveryStore& store = m_autosave.Store();
    std::vector<CFound> found;
    QStringList damaged;
    for (const std::string& slot : store.TakeLeftovers()) {
        CFound one;
        std::string error;
        if (Load(slot, one, error)) {
            found.push_back(std::move(one));
            continue;
        }
        std::string asideError;
        const bool aside = store.SetAside(slot, asideError);
        damaged.append(
            ToQ(store.PathOf(slot) + (aside ? CRecoveryStore::kDamagedSuffix : "") + ": " + error));
    }
    if (found.empty() && damaged.isEmpty()) {
        return 0;
    }
    std::vector<CRecoveryDialog::CEntry> entries;
    for (const CFound& f : found) {
        entries.push_back(f.entry);
    }
    const std::vector<CRecoveryDialog::Choice> choices = m_ask(std::move(entries), damaged);
    int opened = 0;
    for (size_t i = 0; i < found.size(); ++i) {
        const auto choice = i < choices.size() ? choices[i] : CRecoveryDialog::Choice::Later;
        CFound& f = found[i];
        if (choice == CRecoveryDialog::Choice::Discard) {
            store.Discard(f.strSlot);
        } else if (choice == CRecoveryDialog::Choice::Recover) {
            f.pDoc->SetModifiedFlag(true);
            CShellDocument* doc =
                m_app.AdoptDocument(std::move(f.pDoc), ToQ(f.record.strOriginalPath), ToQ(f.record.strTitle));
            m_autosave.Adopt(*doc, f.strSlot);
            ++opened;
        } else {
            store.Release(f.strSlot);
        }
    }
    return opened;
}
