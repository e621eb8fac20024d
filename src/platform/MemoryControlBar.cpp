// The in-memory control bar.
#include "platform/MemoryControlBar.h"

const CMemoryControlBar::Control& CMemoryControlBar::Get(int id) const { return m_controls[id]; }

std::string CMemoryControlBar::GetText(int id) const { return Get(id).strText; }
void CMemoryControlBar::SetText(int id, const std::string& text) { At(id).strText = text; }
int CMemoryControlBar::GetCheck(int id) const { return Get(id).nCheck; }
void CMemoryControlBar::SetCheck(int id, int state) { At(id).nCheck = state; }

void CMemoryControlBar::ResetContent(int id) {
    Control& c = At(id);
    c.entries.clear();
    c.nSel = -1;
    c.strText.clear();
}

int CMemoryControlBar::AddString(int id, const std::string& text) {
    Control& c = At(id);
    c.entries.push_back(text);
    return static_cast<int>(c.entries.size()) - 1;
}

int CMemoryControlBar::DeleteString(int id, int index) {
    Control& c = At(id);
    if (index < 0 || index >= static_cast<int>(c.entries.size())) {
        return -1;
    }
    c.entries.erase(c.entries.begin() + index);
    if (c.nSel == index) {
        c.nSel = -1;
    } else if (c.nSel > index) {
        --c.nSel;
    }
    return static_cast<int>(c.entries.size());
}

int CMemoryControlBar::GetCount(int id) const { return static_cast<int>(Get(id).entries.size()); }

std::string CMemoryControlBar::GetEntry(int id, int index) const {
    const Control& c = Get(id);
    if (index < 0 || index >= static_cast<int>(c.entries.size())) {
        return {};
    }
    return c.entries[static_cast<size_t>(index)];
}

int CMemoryControlBar::SetCurSel(int id, int index) {
    Control& c = At(id);
    if (index < 0 || index >= static_cast<int>(c.entries.size())) {
        c.nSel = -1;
        return -1;
    }
    c.nSel = index;
    c.strText = c.entries[static_cast<size_t>(index)];
    return index;
}

int CMemoryControlBar::GetCurSel(int id) const { return Get(id).nSel; }

int CMemoryControlBar::FindStringExact(int id, const std::string& text) const {
    const Control& c = Get(id);
    for (size_t i = 0; i < c.entries.size(); ++i) {
        if (c.entries[i] == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CMemoryControlBar::Enable(int id, bool enable) { At(id).bEnabled = enable; }
bool CMemoryControlBar::IsEnabled(int id) const { return Get(id).bEnabled; }
