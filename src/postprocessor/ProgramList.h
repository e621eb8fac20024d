// CProgramList: a document's post-processors from Post.ini, its programs and the active program.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "document/DocPrograms.h"
#include "platform/Archive.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"

class CControlBar;
class CDefinitionReader;
class CForm;
class CMessages;

class CProgramList : public CDocPrograms {
public:
    // messages receives file traces and the post-processors' message boxes (may be null).
    explicit CProgramList(CMessages* messages = nullptr);
    ~CProgramList() override;
    CProgramList(const CProgramList&) = delete;
    CProgramList& operator=(const CProgramList&) = delete;

    // The registry below a start directory: startDirectory + "/Debug/Post.ini".
    static std::string PostIniPath(const std::string& startDirectory);
    static std::string ToForwardSlashes(std::string path);

    // Reads the registry of the start directory into the post-processor list; marks it read
    // whatever was found.
    void ReadPostIni(const std::string& startDirectory);
    // The registry grammar over a reader; entry paths are directory + the entry's value.
    void ReadRegistry(CDefinitionReader& reader, const std::string& directory);
    // Reads the registry only the first time.
    void EnsurePostLoaded(const std::string& startDirectory);
    bool IsPostLoaded() const { return m_bPostLoaded != 0; }
    const std::vector<std::unique_ptr<CPreProcesor>>& GetPreProcesors() const { return m_preProcesors; }
    // The first post-processor answering to the name, or null.
    CPreProcesor* FindPreProcesor(const std::string& name) const;

    // Adds every post-processor's name to the list 1060.
    void FillPreProcesorList(CControlBar& bar) const;
    // Refills the program combo 1001 and selects the active program's index.
    void FillProgramCombo(CControlBar& bar) const;
    // "Add New Program": a new active program named "New Program<n>", shown in the window.
    CProgram* NewProgram(CControlBar& bar, CForm& form);
    // Shows the active (or first) program for an empty name, else makes the last program of that
    // name active and shows it.
    void SelectProgram(const std::string& name, CControlBar& bar, CForm& form);
    // "ReActive Preprocesor": every command forgets its cached macro, then the active program's
    // post-processor reads its files again.
    void ReactivatePreProcesor(CControlBar& bar);

    // Without a window (command-line tool): a new program with the given name (or the next
    // "New Program<n>"), appended and made active.
    CProgram* AddProgram(const std::string& name = "");
    // "New Program" + the smallest n >= 1 no program has.
    std::string NextProgramName() const;
    // The last program of that name in list order, or null.
    CProgram* FindProgram(const std::string& name) const;
    CProgram* GetActiveProgram() const { return m_pActiveProgram; }
    void SetActiveProgram(CProgram* program) { m_pActiveProgram = program; }
    const std::vector<std::unique_ptr<CProgram>>& GetPrograms() const { return m_programs; }
    CMessages* GetMessages() const { return m_pMessages; }

    // Every program's record without the choice of the active one: two of them differ exactly
    // when the programs a save writes differ (what the document's modified flag follows).
    std::vector<uint8_t> ProgramRecords() const;

    // The document's program block: "Programs", the active index or -1, every record.
    bool HasPrograms() const override { return !m_programs.empty(); }
    void StorePrograms(CArchive& ar) override;
    // After the tag "Programs": the active index and the records up to and including "End".
    void LoadPrograms(CArchive& ar) override;

private:
    CProgram* Append(std::unique_ptr<CProgram> program);

    std::vector<std::unique_ptr<CPreProcesor>> m_preProcesors;
    std::vector<std::unique_ptr<CProgram>> m_programs;
    CProgram* m_pActiveProgram = nullptr;
    int m_bPostLoaded = 0;
    CMessages* m_pMessages;
};
