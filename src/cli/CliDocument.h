// CCliDocument: a document of the command-line tool with its program list, opened and saved.
#pragma once

#include <memory>
#include <string>

#include "document/DocServices.h"
#include "platform/Messages.h"

class CKestrovelDoc;
class CProgram;
class CProgramList;
class CDrawingPropertiesPrompt;

// Core messages go to standard error as "caption: text"; the tool's own failures are one line
// "kestrovel-cli: ..." each (Fail), after which the command exits non-zero without saving.
class CCliDocument {
public:
    // prompt answers the new-document procedure (null: the built-in values).
    explicit CCliDocument(CDrawingPropertiesPrompt* prompt = nullptr);
    ~CCliDocument();
    CCliDocument(const CCliDocument&) = delete;
    CCliDocument& operator=(const CCliDocument&) = delete;

    bool New();
    bool Open(const std::string& path);
    // Saves atomically over the path given to Open (or the one given here).
    bool Save(const std::string& path);
    bool Save() { return Save(m_strPath); }

    // Reads Post.ini below the folder that stands for the working directory (empty: the
    // current directory); false, with the reason printed, when it offers no post-processor.
    bool ReadPostIni(const std::string& postDir);
    // The program of that name (the last one, as the programming window picks it), or null with
    // the reason printed.
    CProgram* FindProgram(const std::string& name);
    // Open, ReadPostIni and FindProgram in one: the program, or null with the reason printed.
    CProgram* OpenProgram(const std::string& path, const std::string& postDir, const std::string& name);
    // OpenProgram, then the program compiled into its code; null, with the reason printed, also
    // when it is bound to no post-processor of Post.ini.
    CProgram* OpenCompiled(const std::string& path, const std::string& postDir, const std::string& name);

    CKestrovelDoc& GetDoc() { return *m_pDoc; }
    CProgramList& GetPrograms() { return *m_pPrograms; }
    CStderrMessages& GetMessages() { return m_messages; }

    // Prints "kestrovel-cli: text" on standard error and returns the failure exit code.
    static int Fail(const std::string& text);
    // The folder that stands for the working directory: postDir, else the current directory.
    static std::string WorkingDir(const std::string& postDir);

private:
    CStderrMessages m_messages;
    CDocServices m_services;
    std::unique_ptr<CKestrovelDoc> m_pDoc;
    CProgramList* m_pPrograms = nullptr;
    std::string m_strPath;
    std::string m_strPostIni;
};
