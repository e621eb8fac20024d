// The document's programs and post-processors: Post.ini, program switching and persistence.
#include "postprocessor/ProgramList.h"

#include <algorithm>

#include "document/ArchiveTags.h"
#include "platform/ControlBar.h"
#include "platform/Form.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/DefinitionReader.h"

CProgramList::CProgramList(CMessages* messages) : m_pMessages(messages) {}

CProgramList::~CProgramList() = default;

std::string CProgramList::PostIniPath(const std::string& startDirectory) {
    return startDirectory + "/Debug/Post.ini";
}

std::string CProgramList::ToForwardSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

void CProgramList::ReadPostIni(const std::string& startDirectory) {
    CDefinitionReader reader(PostIniPath(startDirectory), m_pMessages);
    m_bPostLoaded = 1;
    if (reader.IsOpen()) {
        ReadRegistry(reader, startDirectory + "/Debug");
    }
}

void CProgramList::ReadRegistry(CDefinitionReader& reader, const std::string& directory) {
    std::string line;
    if (!reader.ScanTo("BeginPost") || !reader.NextSignificant(line, "EndPost") ||
        !reader.NextSignificant(line, "EndPost")) {
        return;
    }
    while (line != "EndPost") {
        const std::string name = CDefinitionReader::FromColumn(line, 10);
        std::string paths[3];
        for (std::string& path : paths) {
            if (!reader.NextSignificant(line, "EndPost")) {
                return;
            }
            path = directory + ToForwardSlashes(CDefinitionReader::FromColumn(line, 10));
        }
        auto pp = std::make_unique<CPreProcesor>(name, paths[0], paths[1], paths[2], m_pMessages);
        pp->SetIndex(static_cast<int>(m_preProcesors.size()));
        m_preProcesors.push_back(std::move(pp));
        if (!reader.NextSignificant(line, "EndPost") || !reader.NextSignificant(line, "EndPost")) {
            return;
        }
    }
}

void CProgramList::EnsurePostLoaded(const std::string& startDirectory) {
    if (!m_bPostLoaded) {
        ReadPostIni(startDirectory);
    }
}

CPreProcesor* CProgramList::FindPreProcesor(const std::string& name) const {
    for (const auto& pp : m_preProcesors) {
        if (pp->IsNamed(name)) {
            return pp.get();
        }
    }
    return nullptr;
}

void CProgramList::FillPreProcesorList(CControlBar& bar) const {
    for (const auto& pp : m_preProcesors) {
        bar.AddString(IDC_PROG_POST, pp->GetName());
    }
}

void CProgramList::FillProgramCombo(CControlBar& bar) const {
    bar.ResetContent(IDC_PROG_SELECT);
    for (const auto& p : m_programs) {
        bar.AddString(IDC_PROG_SELECT, p->GetName());
    }
    if (m_pActiveProgram) {
        bar.SetCurSel(IDC_PROG_SELECT, m_pActiveProgram->GetIndex());
    }
}

std::string CProgramList::NextProgramName() const {
    for (int n = 1;; ++n) {
        const std::string name = "New Program" + std::to_string(n);
        const bool taken = std::any_of(m_programs.begin(), m_programs.end(),
                                       [&](const auto& p) { return p->GetName() == name; });
        if (!taken) {
            return name;
        }
    }
}

CProgram* CProgramList::Append(std::unique_ptr<CProgram> program) {
    program->SetIndex(m_programs.empty() ? 0 : m_programs.back()->GetIndex() + 1);
    program->SetOwner(this);
    m_programs.push_back(std::move(program));
    return m_programs.back().get();
}

CProgram* CProgramList::AddProgram(const std::string& name) {
    m_pActiveProgram = Append(std::make_unique<CProgram>(name.empty() ? NextProgramName() : name));
    return m_pActiveProgram;
}

CProgram* CProgramList::NewProgram(CControlBar& bar, CForm& form) {
    if (m_pActiveProgram) {
        m_pActiveProgram->EndPanel();
    }
    CProgram* program = AddProgram();
    bar.AddString(IDC_PROG_SELECT, program->GetName());
    program->ShowInForm(bar, form);
    return program;
}

CProgram* CProgramList::FindProgram(const std::string& name) const {
    for (auto it = m_programs.rbegin(); it != m_programs.rend(); ++it) {
        if ((*it)->GetName() == name) {
            return it->get();
        }
    }
    return nullptr;
}

void CProgramList::SelectProgram(const std::string& name, CControlBar& bar, CForm& form) {
    if (name.empty()) {
        if (!m_pActiveProgram && !m_programs.empty()) {
            m_pActiveProgram = m_programs.front().get();
        }
        if (m_pActiveProgram) {
            m_pActiveProgram->ShowInForm(bar, form);
        }
        return;
    }
    CProgram* found = FindProgram(name);
    if (!found) {
        return;
    }
    if (m_pActiveProgram && m_pActiveProgram != found) {
        m_pActiveProgram->EndPanel();
    }
    m_pActiveProgram = found;
    found->ShowInForm(bar, form);
}

void CProgramList::ReactivatePreProcesor(CControlBar& bar) {
    if (!m_pActiveProgram) {
        return;
    }
    for (const auto& p : m_programs) {
        p->ClearMacros();
    }
    m_pActiveProgram->ReloadPostProcessor(bar);
}

std::vector<uint8_t> CProgramList::ProgramRecords() const {
    CArchive ar;
    for (const auto& p : m_programs) {
        p->Serialize(ar);
    }
    return ar.GetBytes();
}

void CProgramList::StorePrograms(CArchive& ar) {
    ar.WriteString("Programs");
    ar.WriteInt(m_pActiveProgram ? m_pActiveProgram->GetIndex() : -1);
    for (const auto& p : m_programs) {
        p->Serialize(ar);
    }
}

void CProgramList::LoadPrograms(CArchive& ar) {
    const int32_t active = ar.ReadInt();
    while (ReadRecordTag(ar, "Program", "End")) {
        auto program = std::make_unique<CProgram>();
        program->Serialize(ar);
        program->SetOwner(this);
        m_programs.push_back(std::move(program));
    }
    m_pActiveProgram = nullptr;
    if (active >= 0 && static_cast<size_t>(active) < m_programs.size()) {
        m_pActiveProgram = m_programs[static_cast<size_t>(active)].get();
    }
}
