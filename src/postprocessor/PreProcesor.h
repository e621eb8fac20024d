// CPreProcesor: one post-processor of Post.ini with its formats, templates, macros and numbering.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "postprocessor/Command.h"
#include "postprocessor/Macro.h"
#include "postprocessor/NumberFormat.h"
#include "postprocessor/ObjectDivision.h"
#include "tools/ToolLibrary.h"

class CControlBar;
class CMessages;
class CProgram;

class CPreProcesor {
public:
    // Paths use "/" (Post.ini's "\" are turned before they come here). messages receives the
    // traces of the file reading and the formatting message box; it may be null.
    CPreProcesor(std::string name, std::string definitionPath, std::string outputPath, std::string sparePath,
                 CMessages* messages = nullptr);
    ~CPreProcesor();
    CPreProcesor(const CPreProcesor&) = delete;
    CPreProcesor& operator=(const CPreProcesor&) = delete;

    const char* GetRuntimeClass() const { return "CPreProcesor"; }

    const std::string& GetName() const { return m_strName; }
    bool IsNamed(const std::string& name) const { return m_strName == name; }
    const std::string& GetOutputPath() const { return m_strOutputPath; }
    const std::string& GetDefinitionPath() const { return m_strDefinitionPath; }
    const std::string& GetSparePath() const { return m_strSparePath; }
    // The item ("itm") or post ("pos") file: the definition path's last character replaced.
    std::string GetDefinitionFile(const char* extension) const;
    void SetIndex(int index) { m_nIndex = index; }
    int GetIndex() const { return m_nIndex; }
    bool IsLoaded() const { return m_bLoaded != 0; }
    CMessages* GetMessages() const { return m_pMessages; }
    void SetMessages(CMessages* messages) { m_pMessages = messages; }

    // Reads the item file, then the post file; returns 1.
    int LoadDefinitions();
    // Forgets what was read (if anything) and reads both files again.
    void ReloadDefinitions();
    // Fills the template list (1061), loading the files on first use.
    void FillItemList(CControlBar& bar);

    // A deep copy of the first template with that index, or null.
    std::unique_ptr<CCommand> CreateCommand(int index) const;
    const CMacro* FindMacro(const std::string& name) const;
    // The value written with the first format named letters; without one, a message box and "".
    std::string FormatValue(const std::string& letters, double value) const;
    std::string NextSequenceNumber();
    void ResetSequence() { m_nSequence = m_nSequenceStart; }

    void SetCurrentProgram(CProgram* program) { m_pProgram = program; }
    CProgram* GetCurrentProgram() const { return m_pProgram; }
    int GetFirstNumber() const { return m_bFirstNumber; }
    int GetLastNumber() const { return m_bLastNumber; }
    int GetIncremental() const { return m_bIncremental; }
    int GetCtrIncremental() const { return m_bCtrIncremental; }
    double GetObjectStart() const { return m_division.m_dStart; }
    double GetObjectEnd() const { return m_division.m_dEnd; }
    int32_t GetDivision(int32_t size) const { return m_division.GetDivision(size); }

    // The tool library beside the definition files (Tools.ini), read with them.
    const CToolLibrary& GetTools() const { return m_tools; }
    void SetTools(CToolLibrary tools) { m_tools = std::move(tools); }
    // Tools.ini in the folder of the definition files.
    std::string GetToolLibraryPath() const;

    const std::vector<std::unique_ptr<CNumberFormat>>& GetFormats() const { return m_formats; }
    const std::vector<std::unique_ptr<CCommand>>& GetTemplates() const { return m_templates; }
    const std::vector<std::unique_ptr<CMacro>>& GetMacros() const { return m_macros; }

    // Used by the definition readers.
    void AddFormat(std::unique_ptr<CNumberFormat> format) { m_formats.push_back(std::move(format)); }
    void AddTemplate(std::unique_ptr<CCommand> command) { m_templates.push_back(std::move(command)); }
    void AddMacro(std::unique_ptr<CMacro> macro);
    void MarkLoaded() { m_bLoaded = 1; }

    std::string m_strLetter;
    int m_bNumber = 1;
    int32_t m_nSequence = 0;
    CProgram* m_pProgram = nullptr;
    int m_bFirstNumber = 1;
    int m_bLastNumber = 1;
    int m_bIncremental = 1;
    int m_bCtrIncremental = 1;
    int32_t m_nSequenceStep = 0;
    int32_t m_nSequenceStart = 0;
    std::vector<std::unique_ptr<CNumberFormat>> m_formats;
    std::vector<std::unique_ptr<CCommand>> m_templates;
    std::vector<std::unique_ptr<CMacro>> m_macros;
    int m_nIndex = 0;
    CObjectDivision m_division;
    std::string m_strName;
    std::string m_strDefinitionPath;
    std::string m_strOutputPath;
    std::string m_strSparePath;
    int m_bLoaded = 0;

private:
    CMessages* m_pMessages;
    CToolLibrary m_tools;
};
