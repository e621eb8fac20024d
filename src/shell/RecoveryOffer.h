// CRecoveryOffer: at start, the recovery files of runs that did not close cleanly, offered once.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/RecoveryRecord.h"
#include "shell/RecoveryDialog.h"

class CAutosave;
class CKestrovelApp;
class CKestrovelDoc;

class CRecoveryOffer {
public:
    struct CFound {
        std::string strSlot;
        CRecoveryRecord record;
        std::unique_ptr<CKestrovelDoc> pDoc;
        CRecoveryDialog::CEntry entry;
    };

    CRecoveryOffer(CKestrovelApp& app, CAutosave& autosave);
    ~CRecoveryOffer();

    // Takes the leftovers, reads them (damaged ones are set aside and reported), asks the person
    // and applies the answers. Returns how many drawings were opened.
    int Run();

    // The question, replaceable for tests; the default shows the dialog over the main frame.
    using Ask = std::function<std::vector<CRecoveryDialog::Choice>(std::vector<CRecoveryDialog::CEntry>,
                                                                   QStringList damaged)>;
    void SetAsk(Ask ask) { m_ask = std::move(ask); }

private:
    bool Load(const std::string& slot, CFound& found, std::string& error);
    std::string DescribeChanges(CFound& found);

    CKestrovelApp& m_app;
    CAutosave& m_autosave;
    Ask m_ask;
};
