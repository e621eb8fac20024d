// CCommand: one command of a program (or a template of a post-processor) with its parameters.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Archive.h"
#include "platform/Form.h"
#include "postprocessor/Parameter.h"

class CMacro;
class CMacroContext;
class CMessages;
class CPreProcesor;
class CProgram;

// Control identifiers of the parameter panel.
enum : int { kPanelTitleId = 31231, kPanelHelpTextId = 31232 };

class CCommand {
public:
    CCommand() = default;
    CCommand(std::string name, std::string macro, std::string help);
    // Copies name, macro name, help, index and the cached macro; deep-copies the parameters.
    CCommand(const CCommand& other);
    CCommand& operator=(const CCommand&) = delete;

    const char* GetRuntimeClass() const { return "CCommand"; }
    // Storing writes the whole record; loading starts after its "Command" tag.
    void Serialize(CArchive& ar);

    const std::string& GetName() const { return m_strName; }
    void SetName(const std::string& name) { m_strName = name; }
    bool IsNamed(const std::string& name) const { return m_strName == name; }
    const std::string& GetMacroName() const { return m_strMacro; }
    void SetMacroName(const std::string& name) { m_strMacro = name; }
    const std::string& GetHelp() const { return m_strHelp; }
    void SetHelp(const std::string& help) { m_strHelp = help; }
    int GetIndex() const { return m_nIndex; }
    void SetIndex(int index) { m_nIndex = index; }
    void ClearMacro() { m_pMacro = nullptr; }
    const CMacro* GetCachedMacro() const { return m_pMacro; }

    void AddParameter(std::unique_ptr<CParameter> parameter) { m_parameters.push_back(std::move(parameter)); }
    const std::vector<std::unique_ptr<CParameter>>& GetParameters() const { return m_parameters; }
    // The first parameter with that key, or null.
    CParameter* FindParameter(const std::string& key) const;

    // The first parameter with that key decides: its value, or 1000000.0 when empty;
    // 2000000.0 when no parameter has the key.
    double GetParamValue(const std::string& key) const;

    // Builds the panel and returns nothing / the rectangle of the "Save Reedited Command" button.
    void BuildParameterPanel(CForm& form);
    CRect BuildReeditPanel(CForm& form);
    bool HasPanel() const { return m_pTitle != nullptr; }
    int ValidateAll(CMessages* messages);
    void DestroyPanel();

    // Feeds the program's pool, then the macro's text for this command.
    std::string Compile(CPreProcesor& preProcesor, CMacroContext& context, CProgram& program);

    std::vector<std::unique_ptr<CParameter>> m_parameters;
    int m_nIndex = 0;
    const CMacro* m_pMacro = nullptr;
    std::string m_strMacro;
    std::string m_strHelp;
    std::string m_strName;
    std::unique_ptr<CFormControl> m_pTitle;
    std::unique_ptr<CFormControl> m_pHelpTitle;
    std::unique_ptr<CFormControl> m_pHelpText;

private:
    // Title, parameter rows and help; returns the row after the last parameter.
    CRect BuildPanel(CForm& form, const std::string& title, int helpGap);
};
