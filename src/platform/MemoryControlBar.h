// A control bar held in memory, for tests and the command-line tool.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/ControlBar.h"

class CMemoryControlBar : public CControlBar {
public:
    struct Control {
        std::string strText;
        int nCheck = 0;
        std::vector<std::string> entries;
        int nSel = -1;
        bool bEnabled = true;
    };

    std::string GetText(int id) const override;
    void SetText(int id, const std::string& text) override;
    int GetCheck(int id) const override;
    void SetCheck(int id, int state) override;
    void ResetContent(int id) override;
    int AddString(int id, const std::string& text) override;
    int DeleteString(int id, int index) override;
    int GetCount(int id) const override;
    std::string GetEntry(int id, int index) const override;
    int SetCurSel(int id, int index) override;
    int GetCurSel(int id) const override;
    int FindStringExact(int id, const std::string& text) const override;
    void Enable(int id, bool enable) override;
    bool IsEnabled(int id) const override;

    // The whole state of one control (created empty on first use).
    const Control& Get(int id) const;
    const std::vector<std::string>& GetEntries(int id) const { return Get(id).entries; }

private:
    Control& At(int id) { return m_controls[id]; }
    mutable std::map<int, Control> m_controls;
};
