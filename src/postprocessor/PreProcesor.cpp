// The post-processor's services: loading, template and macro lookup, formatting, block numbers.
#include "postprocessor/PreProcesor.h"

#include <climits>

#include "platform/ControlBar.h"
#include "platform/Messages.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/DefinitionReader.h"
#include "postprocessor/ItemFileReader.h"
#include "postprocessor/PostFileReader.h"

CPreProcesor::CPreProcesor(std::string name, std::string definitionPath, std::string outputPath,
                           std::string sparePath, CMessages* messages)
    : m_strName(std::move(name)),
      m_strDefinitionPath(std::move(definitionPath)),
      m_strOutputPath(std::move(outputPath)),
      m_strSparePath(std::move(sparePath)),
      m_pMessages(messages) {}

CPreProcesor::~CPreProcesor() = default;

std::string CPreProcesor::GetDefinitionFile(const char* extension) const {
    std::string base = m_strDefinitionPath;
    if (!base.empty()) {
        base.pop_back();
    }
    return base + extension;
}

std::string CPreProcesor::GetToolLibraryPath() const {
    const size_t slash = m_strDefinitionPath.find_last_of('/');
    return (slash == std::string::npos ? std::string() : m_strDefinitionPath.substr(0, slash + 1)) + "Tools.ini";
}

void CPreProcesor::AddMacro(std::unique_ptr<CMacro> macro) {
    macro->SetPreProcesor(this);
    m_macros.push_back(std::move(macro));
}

int CPreProcesor::LoadDefinitions() {
    CDefinitionReader items(GetDefinitionFile("itm"), m_pMessages);
    if (items.IsOpen()) {
        CItemFileReader::Read(items, *this);
    }
    CDefinitionReader post(GetDefinitionFile("pos"), m_pMessages);
    if (post.IsOpen()) {
        CPostFileReader::Read(post, *this);
    }
    std::vector<std::string> problems;
    m_tools = CToolLibrary::Load(GetToolLibraryPath(), problems);
    if (m_pMessages) {
        for (const std::string& problem : problems) {
            m_pMessages->Trace(problem + "\n");
        }
    }
    // Marked even when a file was missing or cut short, so a second use does not append twice.
    MarkLoaded();
    return 1;
}

void CPreProcesor::ReloadDefinitions() {
    if (m_bLoaded) {
        m_division.ClearRanges();
        m_templates.clear();
        m_macros.clear();
        m_formats.clear();
        m_tools = CToolLibrary();
    }
    LoadDefinitions();
}

void CPreProcesor::FillItemList(CControlBar& bar) {
    bar.ResetContent(IDC_PROG_TEMPLATES);
    if (!m_bLoaded) {
        LoadDefinitions();
    }
    for (size_t i = 0; i < m_templates.size(); ++i) {
        bar.AddString(IDC_PROG_TEMPLATES, m_templates[i]->GetName());
        m_templates[i]->SetIndex(static_cast<int>(i));
    }
}

std::unique_ptr<CCommand> CPreProcesor::CreateCommand(int index) const {
    for (const auto& t : m_templates) {
        if (t->GetIndex() == index) {
            return std::make_unique<CCommand>(*t);
        }
    }
    return nullptr;
}

const CMacro* CPreProcesor::FindMacro(const std::string& name) const {
    for (const auto& m : m_macros) {
        if (m->GetName() == name) {
            return m.get();
        }
    }
    return nullptr;
}

std::string CPreProcesor::FormatValue(const std::string& letters, double value) const {
    for (const auto& f : m_formats) {
        if (f->GetName() == letters) {
            return f->Format(f->Scaled(value));
        }
    }
    if (m_pMessages) {
        m_pMessages->MessageBox("Can not find the format properties for format string: " + letters, "PostProcesor",
                                MessageIcon::Error, MessageButtons::Ok);
    }
    return "";
}

std::string CPreProcesor::NextSequenceNumber() {
    if (!m_bNumber) {
        return "";
    }
    std::string text = m_strLetter + std::to_string(m_nSequence) + " ";
    const int64_t next = static_cast<int64_t>(m_nSequence) + m_nSequenceStep;
    m_nSequence = next > INT32_MAX ? INT32_MAX : next < INT32_MIN ? INT32_MIN : static_cast<int32_t>(next);
    return text;
}
