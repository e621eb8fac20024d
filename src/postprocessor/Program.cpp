// Programs: binding, showing, editing commands, the note, the value pool and persistence.
#include "postprocessor/Program.h"

#include <cmath>

#include "document/ArchiveTags.h"
#include "platform/ControlBar.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/ProgramList.h"

CProgram::CProgram() = default;

CProgram::CProgram(std::string name) : m_strName(std::move(name)) {}

CProgram::~CProgram() = default;

CPreProcesor* CProgram::ResolvePreProcesor() {
    if (!m_pPreProcesor && m_pOwner && m_strPostName != "none") {
        m_pPreProcesor = m_pOwner->FindPreProcesor(m_strPostName);
    }
    if (m_pPreProcesor && !m_pPreProcesor->IsLoaded()) {
        m_pPreProcesor->LoadDefinitions();
    }
    return m_pPreProcesor;
}

void CProgram::SetPostProcessor(const std::string& name, CControlBar& bar) {
    if (name == "none" || name == m_strPostName || !m_pOwner) {
        return;
    }
    if (CPreProcesor* found = m_pOwner->FindPreProcesor(name)) {
        m_strPostName = name;
        m_pPreProcesor = found;
        found->FillItemList(bar);
    }
}

void CProgram::ShowInForm(CControlBar& bar, CForm& form) {
    bar.SetCurSel(IDC_PROG_SELECT, m_nIndex);
    bar.SetText(IDC_PROG_NAME, m_strName);
    bar.SetText(IDC_PROG_NUMBER_SPIN, std::to_string(m_nNumber));
    const int row = bar.FindStringExact(IDC_PROG_POST, m_strPostName);
    if (row < 0) {
        bar.SetCurSel(IDC_PROG_POST, bar.AddString(IDC_PROG_POST, m_strPostName));
    } else {
        bar.SetCurSel(IDC_PROG_POST, row);
        if (!m_pPreProcesor && m_pOwner) {
            m_pPreProcesor = m_pOwner->FindPreProcesor(m_strPostName);
        }
        if (m_pPreProcesor) {
            m_pPreProcesor->FillItemList(bar);
        } else {
            bar.ResetContent(IDC_PROG_TEMPLATES);
        }
    }
    // A panel that is already up keeps what has been typed into it.
    if (m_pCurrent) {
        if (m_pSaveButton && !m_pCurrent->HasPanel()) {
            CreateSaveButton(form, m_pCurrent->BuildReeditPanel(form));
        } else if (!m_pCurrent->HasPanel()) {
            m_pCurrent->BuildParameterPanel(form);
        }
    } else if (!m_pNoteEdit) {
        CreateNote(form);
    }
    FillCommandList(bar);
}

void CProgram::FillCommandList(CControlBar& bar) {
    bar.ResetContent(IDC_PROG_COMMANDS);
    for (const auto& c : m_commands) {
        bar.AddString(IDC_PROG_COMMANDS, c->GetName());
    }
    bar.SetCurSel(IDC_PROG_COMMANDS, m_nSelected);
}

void CProgram::EndPanel() {
    if (!m_pCurrent) {
        DestroyNote();
    } else if (m_pSaveButton) {
        m_pCurrent->DestroyPanel();
        m_pSaveButton.reset();
    } else {
        m_pNewCommand.reset();
    }
    m_pCurrent = nullptr;
}

void CProgram::StartCommand(CForm& form, int templateIndex) {
    EndPanel();
    CPreProcesor* pp = ResolvePreProcesor();
    if (!pp) {
        return;
    }
    m_pNewCommand = pp->CreateCommand(templateIndex);
    m_pCurrent = m_pNewCommand.get();
    if (m_pCurrent) {
        m_pCurrent->BuildParameterPanel(form);
    }
}

std::unique_ptr<CCommand> CProgram::TakeValidatedNew(CMessages* messages) {
    if (!m_pNewCommand || m_pSaveButton || !m_pNewCommand->ValidateAll(messages)) {
        return nullptr;
    }
    m_pNewCommand->DestroyPanel();
    m_pCurrent = nullptr;
    return std::move(m_pNewCommand);
}

int CProgram::AddCommand(CMessages* messages) {
    auto command = TakeValidatedNew(messages);
    if (!command) {
        return 0;
    }
    command->SetIndex(m_commands.empty() ? 0 : m_commands.back()->GetIndex() + 1);
    m_commands.push_back(std::move(command));
    return 1;
}

int CProgram::InsertCommand(CMessages* messages) {
    auto command = TakeValidatedNew(messages);
    if (!command) {
        return 0;
    }
    // A selection that is no row appends.
    if (m_nSelected < 0 || m_nSelected >= RowCount()) {
        command->SetIndex(m_commands.empty() ? 0 : m_commands.back()->GetIndex() + 1);
        m_commands.push_back(std::move(command));
        return 1;
    }
    const auto at = m_commands.begin() + m_nSelected;
    command->SetIndex((*at)->GetIndex());
    for (auto it = at; it != m_commands.end(); ++it) {
        (*it)->SetIndex((*it)->GetIndex() + 1);
    }
    m_commands.insert(at, std::move(command));
    return 1;
}

void CProgram::CreateSaveButton(CForm& form, const CRect& rc) {
    CFormControlSpec spec;
    spec.nId = IDC_SAVE_REEDITED;
    spec.kind = FormControlKind::PushButton;
    spec.rcBounds = rc;
    spec.strText = "Save Reedited Command";
    spec.align = FormAlign::Center;
    spec.font = FormFont::Text;
    m_pSaveButton = form.CreateControl(spec);
}

void CProgram::ReeditCommand(CForm& form, int row) {
    EndPanel();
    m_nSelected = 0;
    if (row < 0 || row >= RowCount()) {
        return;
    }
    m_pCurrent = m_commands[static_cast<size_t>(row)].get();
    CreateSaveButton(form, m_pCurrent->BuildReeditPanel(form));
}

int CProgram::SaveReedited(CMessages* messages) {
    if (!m_pCurrent || !m_pSaveButton) {
        return 0;
    }
    // A refused save must not leave the program's command half overwritten.
    std::vector<std::pair<int32_t, int>> saved;
    for (const auto& p : m_pCurrent->GetParameters()) {
        saved.emplace_back(p->m_nValue, p->m_bHasValue);
    }
    if (!m_pCurrent->ValidateAll(messages)) {
        const auto& params = m_pCurrent->GetParameters();
        for (size_t i = 0; i < params.size(); ++i) {
            params[i]->m_nValue = saved[i].first;
            params[i]->m_bHasValue = saved[i].second;
        }
        return 0;
    }
    m_pCurrent->DestroyPanel();
    m_pSaveButton.reset();
    m_pCurrent = nullptr;
    return 1;
}

void CProgram::DeleteCommand(int row) {
    m_nSelected = 0;
    if (row < 0 || row >= RowCount()) {
        return;
    }
    if (m_pCurrent == m_commands[static_cast<size_t>(row)].get()) {
        EndPanel();
    }
    m_commands.erase(m_commands.begin() + row);
}

void CProgram::CreateNote(CForm& form) {
    const CRect client = form.GetClientRect();
    CFormControlSpec title;
    title.nId = kNoteTitleId;
    title.kind = FormControlKind::Static;
    title.rcBounds = CRect(380, 6, 480, 40);
    if (client.right - 10 > 480) {
        title.rcBounds.left = (client.right - 380) / 2 + 330;
        title.rcBounds.right = title.rcBounds.left + 100;
    }
    title.strText = "Program note";
    title.font = FormFont::Title;
    m_pNoteTitle = form.CreateControl(title);

    CFormControlSpec edit;
    edit.nId = kNoteEditId;
    edit.kind = FormControlKind::MultiLineEdit;
    edit.rcBounds = CRect(380, 30, client.right < 490 ? 480 : client.right - 10,
                          client.bottom < 130 ? 120 : client.bottom - 10);
    edit.strText = m_strNote;
    edit.font = FormFont::Text;
    edit.bSunken = true;
    m_pNoteEdit = form.CreateControl(edit);
}

void CProgram::ShowNote(CForm& form) {
    if (m_pNoteEdit) {
        return;
    }
    EndPanel();
    CreateNote(form);
}

void CProgram::SaveNote() {
    if (m_pNoteEdit) {
        m_strNote = m_pNoteEdit->GetText();
    }
}

void CProgram::DestroyNote() {
    m_pNoteEdit.reset();
    m_pNoteTitle.reset();
}

void CProgram::ReloadPostProcessor(CControlBar& bar) {
    if (m_pPreProcesor) {
        m_pPreProcesor->ReloadDefinitions();
        m_pPreProcesor->FillItemList(bar);
    }
}

void CProgram::ClearMacros() {
    for (const auto& c : m_commands) {
        c->ClearMacro();
    }
    if (m_pNewCommand) {
        m_pNewCommand->ClearMacro();
    }
}

double CProgram::GetValue(const std::string& name) const {
    if (name == "program") {
        return static_cast<double>(m_nNumber);
    }
    double result = 2000000.0;
    for (size_t i = 0; i < m_pool.size() && result > 1999999.0; ++i) {
        result = m_pool[i]->GetValue(name);
    }
    for (size_t i = 0; i < m_commands.size() && result > 1999999.0; ++i) {
        result = m_commands[i]->GetParamValue(name);
    }
    if (result > 1999999.0 && (name == "NoseRadius" || name == "Orientation")) {
        // Known to every macro; without a bound tool the word is left out.
        const CTool* tool = GetBoundTool();
        if (!tool) {
            return 1000000.0;
        }
        return name == "NoseRadius" ? tool->dNoseRadius : static_cast<double>(tool->nOrientation);
    }
    return result;
}

const CTool* CProgram::GetBoundTool() const {
    if (!m_pPreProcesor) {
        return nullptr;
    }
    double number = std::trunc(m_dBoundTool);
    // A four-digit T word (T0101) names the tool by its first two digits and the offset by the rest.
    if (number >= 100.0 && number <= 9999.0) {
        number = std::trunc(number / 100.0);
    }
    if (!(number >= 1.0 && number <= 99.0)) {
        return nullptr;
    }
    return m_pPreProcesor->GetTools().Find(static_cast<int>(number));
}

void CProgram::SetPoolValue(const CParameter& parameter) {
    if (parameter.GetKey() == "Tool" && parameter.HasValue()) {
        m_dBoundTool = parameter.GetValue("Tool");
    }
    for (const auto& entry : m_pool) {
        if (entry->GetKey() == parameter.GetKey()) {
            // An empty field has no number to hand on: taking over its stale number under the
            // entry's "set" flag would write a value nobody gave (an F0 a controller refuses).
            if (parameter.HasValue()) {
                entry->SetRawValue(parameter.GetRawValue());
                entry->m_bHasValue = 1;
            }
            return;
        }
    }
    m_pool.push_back(std::make_unique<CParameter>(parameter));
}

void CProgram::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString("Program");
    }
    ar.String(m_strName);
    ar.String(m_strNote);
    ar.Int(m_nNumber);
    ar.Int(m_nIndex);
    ar.String(m_strPostName);
    if (ar.IsStoring()) {
        for (const auto& c : m_commands) {
            c->Serialize(ar);
        }
        ar.WriteString("End Commands");
        return;
    }
    while (ReadRecordTag(ar, "Command", "End Commands")) {
        auto command = std::make_unique<CCommand>();
        command->Serialize(ar);
        m_commands.push_back(std::move(command));
    }
}
