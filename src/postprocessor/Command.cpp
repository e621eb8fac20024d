// Commands: parameter lookup, the parameter panels, compilation and persistence.
#include "postprocessor/Command.h"

#include "document/ArchiveTags.h"
#include "postprocessor/Macro.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"

namespace {

CFormControlSpec StaticSpec(int id, CRect rc, std::string text, FormFont font) {
    CFormControlSpec spec;
    spec.nId = id;
    spec.kind = FormControlKind::Static;
    spec.rcBounds = rc;
    spec.strText = std::move(text);
    spec.align = FormAlign::Center;
    spec.font = font;
    return spec;
}

}  // namespace

CCommand::CCommand(std::string name, std::string macro, std::string help)
    : m_strMacro(std::move(macro)), m_strHelp(std::move(help)), m_strName(std::move(name)) {}

CCommand::CCommand(const CCommand& other)
    : m_nIndex(other.m_nIndex),
      m_pMacro(other.m_pMacro),
      m_strMacro(other.m_strMacro),
      m_strHelp(other.m_strHelp),
      m_strName(other.m_strName) {
    for (const auto& p : other.m_parameters) {
        m_parameters.push_back(std::make_unique<CParameter>(*p));
    }
}

CParameter* CCommand::FindParameter(const std::string& key) const {
    for (const auto& p : m_parameters) {
        if (p->GetKey() == key) {
            return p.get();
        }
    }
    return nullptr;
}

double CCommand::GetParamValue(const std::string& key) const {
    double result = 2000000.0;
    for (size_t i = 0; i < m_parameters.size() && result > 1000000.0; ++i) {
        result = m_parameters[i]->GetValue(key);
    }
    return result;
}

CRect CCommand::BuildPanel(CForm& form, const std::string& title, int helpGap) {
    DestroyPanel();
    const CRect client = form.GetClientRect();
    CRect rcTitle(380, 6, 600, 20);
    if (client.right - 10 > 480) {
        rcTitle.left = (client.right - 380) / 2 + 255;
        rcTitle.right = rcTitle.left + 250;
    }
    m_pTitle = form.CreateControl(StaticSpec(kPanelTitleId, rcTitle, title + " - " + m_strName, FormFont::Title));

    CRect row(rcTitle.left, 30, rcTitle.left + rcTitle.Width() / 2, 45);
    for (size_t i = 0; i < m_parameters.size(); ++i) {
        m_parameters[i]->CreateControls(form, row, static_cast<int>(i));
        row.top += 15;
        row.bottom += 15;
    }
    const CRect rcHelpTitle(rcTitle.left, row.top + helpGap, rcTitle.right, row.top + helpGap + 15);
    m_pHelpTitle = form.CreateControl(StaticSpec(kPanelTitleId, rcHelpTitle, "Help - " + m_strName, FormFont::Title));
    const CRect rcHelp(rcTitle.left, rcHelpTitle.top + 15, rcTitle.right, client.bottom - 20);
    m_pHelpText = form.CreateControl(StaticSpec(kPanelHelpTextId, rcHelp, m_strHelp, FormFont::Text));
    return row;
}

void CCommand::BuildParameterPanel(CForm& form) { BuildPanel(form, "Parameter list", 30); }

CRect CCommand::BuildReeditPanel(CForm& form) {
    const CRect row = BuildPanel(form, "Reediting Parameter list", 50);
    return CRect(row.right - 80, row.top + 10, row.right + 80, row.bottom + 15);
}

int CCommand::ValidateAll(CMessages* messages) {
    for (const auto& p : m_parameters) {
        if (!p->Validate(messages)) {
            return 0;
        }
    }
    return 1;
}

void CCommand::DestroyPanel() {
    for (const auto& p : m_parameters) {
        p->DestroyControls();
    }
    m_pTitle.reset();
    m_pHelpTitle.reset();
    m_pHelpText.reset();
}

std::string CCommand::Compile(CPreProcesor& preProcesor, CMacroContext& context, CProgram& program) {
    for (const auto& p : m_parameters) {
        program.SetPoolValue(*p);
    }
    if (m_strMacro.empty()) {
        return "";
    }
    if (!m_pMacro) {
        m_pMacro = preProcesor.FindMacro(m_strMacro);
        if (!m_pMacro) {
            return "Failed to find Macro for command: " + m_strName + "\n";
        }
    }
    return m_pMacro->Generate(this, context);
}

void CCommand::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString("Command");
        ar.WriteString(m_strName);
        ar.WriteInt(m_nIndex);
        ar.WriteString(m_strHelp);
        ar.WriteString(m_strMacro);
        for (const auto& p : m_parameters) {
            p->Serialize(ar);
        }
        ar.WriteString("End Parameters");
        return;
    }
    m_strName = ar.ReadString();
    m_nIndex = ar.ReadInt();
    m_strHelp = ar.ReadString();
    m_strMacro = ar.ReadString();
    while (ReadRecordTag(ar, "Parameter", "End Parameters")) {
        auto p = std::make_unique<CParameter>();
        p->Serialize(ar);
        m_parameters.push_back(std::move(p));
    }
}
