// CProgram: a named, numbered list of commands bound to a post-processor, with its note and pool.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Archive.h"
#include "platform/Form.h"
#include "postprocessor/Command.h"
#include "postprocessor/Parameter.h"

class CControlBar;
struct CTool;
class CMacroContext;
class CMessages;
class CPreProcesor;
class CProgramList;

// Control identifiers of the note panel.
enum : int { kNoteTitleId = 31231, kNoteEditId = 3232 };

class CProgram {
public:
    CProgram();
    explicit CProgram(std::string name);
    ~CProgram();
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;

    const char* GetRuntimeClass() const { return "CProgram"; }
    // Storing writes the whole record; loading starts after its "Program" tag.
    void Serialize(CArchive& ar);

    const std::string& GetName() const { return m_strName; }
    void SetName(const std::string& name) { m_strName = name; }
    int GetNumber() const { return m_nNumber; }
    void SetNumber(int number) { m_nNumber = number; }
    int GetIndex() const { return m_nIndex; }
    void SetIndex(int index) { m_nIndex = index; }
    const std::string& GetPostName() const { return m_strPostName; }
    int GetSelected() const { return m_nSelected; }
    void SetSelected(int row) { m_nSelected = row; }
    const std::string& GetNote() const { return m_strNote; }
    void SetNote(const std::string& note) { m_strNote = note; }
    const std::string& GetCode() const { return m_strCode; }
    CPreProcesor* GetPreProcesor() const { return m_pPreProcesor; }
    // The list whose post-processors this program is bound to by name (not owned).
    void SetOwner(CProgramList* list) { m_pOwner = list; }

    const std::vector<std::unique_ptr<CCommand>>& GetCommands() const { return m_commands; }
    const std::vector<std::unique_ptr<CParameter>>& GetPool() const { return m_pool; }
    // The command on the panel (being filled in or re-edited), or null.
    CCommand* GetCurrent() const { return m_pCurrent; }
    bool IsReediting() const { return m_pSaveButton != nullptr; }
    CFormControl* GetNoteEdit() const { return m_pNoteEdit.get(); }

    // Binds the program to the named post-processor and fills the template list (1061).
    void SetPostProcessor(const std::string& name, CControlBar& bar);
    // Shows the program in the programming window: bar controls 1001, 1004, 1063, 1060, 1061,
    // 10310 and the panel (current command or note) on the form.
    void ShowInForm(CControlBar& bar, CForm& form);
    void FillCommandList(CControlBar& bar);

    void StartCommand(CForm& form, int templateIndex);
    int AddCommand(CMessages* messages);
    int InsertCommand(CMessages* messages);
    void ReeditCommand(CForm& form, int row);
    int SaveReedited(CMessages* messages);
    void DeleteCommand(int row);
    // Ends what is on the panel: the note, a re-edit (the command keeps its saved values) or an
    // unfinished new command (discarded).
    void EndPanel();

    void ShowNote(CForm& form);
    void SaveNote();
    void DestroyNote();

    // Reads the bound post-processor's files again and refills the template list. Cached macros
    // of every command bound to it must have been cleared first (CProgramList does that).
    void ReloadPostProcessor(CControlBar& bar);
    // Forgets the cached macro of every command, the one on the panel included.
    void ClearMacros();

    double GetValue(const std::string& name) const;
    // The library tool the last "Tool" value given to the pool in this compile names, or null when
    // none is bound or the library lacks it.
    const CTool* GetBoundTool() const;
    // The first entry with the parameter's key takes over its value when it has one (an empty
    // parameter leaves the entry as it is); a key not yet pooled is added as a copy.
    void SetPoolValue(const CParameter& parameter);

    // Compiles into m_strCode, shows it in output (may be null) and writes the post-processor's
    // output file, or outputPath when one is given; returns 1 when the file was written.
    int Compile(CTextWindow* output, CMacroContext& context, const std::string& outputPath = "");
    // Compiles into m_strCode only (no file); 0 when no post-processor is bound.
    int Generate(CMacroContext& context);

    std::string m_strCode;
    std::unique_ptr<CFormControl> m_pSaveButton;
    int m_nSelected = 0;
    CCommand* m_pCurrent = nullptr;
    std::unique_ptr<CFormControl> m_pNoteEdit;
    std::unique_ptr<CFormControl> m_pNoteTitle;
    std::vector<std::unique_ptr<CCommand>> m_commands;
    std::vector<std::unique_ptr<CParameter>> m_pool;
    // The tool number of the last tool change compiled; not known before the first.
    double m_dBoundTool = 2000000.0;
    int m_nIndex = 0;
    std::string m_strNote;
    std::string m_strPostName = "none";
    CPreProcesor* m_pPreProcesor = nullptr;
    std::string m_strName = "New";
    int m_nNumber = 10;

private:
    // The bound post-processor, found again by name after loading; loaded on first use.
    CPreProcesor* ResolvePreProcesor();
    void CreateNote(CForm& form);
    void CreateSaveButton(CForm& form, const CRect& rc);
    // Validates the current new command and takes it out of the panel; null when refused.
    std::unique_ptr<CCommand> TakeValidatedNew(CMessages* messages);
    int RowCount() const { return static_cast<int>(m_commands.size()); }

    CProgramList* m_pOwner = nullptr;
    // Owns the current command while it is new (m_pCurrent points into it).
    std::unique_ptr<CCommand> m_pNewCommand;
};
