// Opening, creating and saving the command-line tool's document.
#include "cli/CliDocument.h"

#include <cstdio>
#include <filesystem>

#include "document/KestrovelDoc.h"
#include "postprocessor/DocumentFile.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"

CCliDocument::CCliDocument(CDrawingPropertiesPrompt* prompt) {
    m_services.pMessages = &m_messages;
    m_services.pPropertiesPrompt = prompt;
}

CCliDocument::~CCliDocument() = default;

int CCliDocument::Fail(const std::string& text) {
    std::fprintf(stderr, "kestrovel-cli: %s\n", text.c_str());
    return 1;
}

bool CCliDocument::New() {
    m_pDoc = CProgramDocument::Create(m_services);
    m_pPrograms = CProgramDocument::GetList(*m_pDoc);
    if (!m_pDoc->OnNewDocument()) {
        Fail("the new drawing was not made");
        return false;
    }
    return true;
}

bool CCliDocument::Open(const std::string& path) {
    std::string error;
    m_pDoc = CDocumentFile::Open(path, m_services, error);
    if (!m_pDoc) {
        Fail("cannot open " + path + ": " + error);
        return false;
    }
    m_pPrograms = CProgramDocument::GetList(*m_pDoc);
    m_strPath = path;
    return true;
}

bool CCliDocument::Save(const std::string& path) {
    std::string error;
    if (!m_pDoc->OnSaveDocument(path, error)) {
        Fail("cannot save " + path + ": " + error);
        return false;
    }
    return true;
}

std::string CCliDocument::WorkingDir(const std::string& postDir) {
    std::error_code ec;
    return postDir.empty() ? std::filesystem::current_path(ec).string() : postDir;
}

bool CCliDocument::ReadPostIni(const std::string& postDir) {
    const std::string start = WorkingDir(postDir);
    m_strPostIni = CProgramList::PostIniPath(start);
    m_pPrograms->ReadPostIni(start);
    if (m_pPrograms->GetPreProcesors().empty()) {
        Fail("no post-processor found in " + m_strPostIni);
        return false;
    }
    return true;
}

CProgram* CCliDocument::FindProgram(const std::string& name) {
    CProgram* program = m_pPrograms->FindProgram(name);
    if (!program) {
        Fail("the drawing has no program named \"" + name + "\"");
    }
    return program;
}

CProgram* CCliDocument::OpenProgram(const std::string& path, const std::string& postDir,
                                    const std::string& name) {
    if (!Open(path) || !ReadPostIni(postDir)) {
        return nullptr;
    }
    return FindProgram(name);
}

CProgram* CCliDocument::OpenCompiled(const std::string& path, const std::string& postDir,
                                     const std::string& name) {
    CProgram* program = OpenProgram(path, postDir, name);
    if (!program) {
        return nullptr;
    }
    CDocumentContext context(*m_pDoc);
    if (!program->Generate(context)) {
        Fail("the program \"" + name + "\" is bound to no post-processor of Post.ini (\"" +
             program->GetPostName() + "\")");
        return nullptr;
    }
    return program;
}
