// CMacro: the base of the five macro kinds and the template line substitution they share.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "postprocessor/ValueChain.h"

class CCommand;
class CLayer;
class CMacroContext;
class CPreProcesor;
class CProgram;
struct CTool;

class CMacro {
public:
    explicit CMacro(std::string name) : m_strName(std::move(name)) {}
    virtual ~CMacro() = default;
    CMacro(const CMacro&) = delete;
    CMacro& operator=(const CMacro&) = delete;

    const char* GetRuntimeClass() const { return "CMacro"; }
    // The NC text for a command (null for a program's start and end code); empty when a
    // variable has no value.
    virtual std::string Generate(const CCommand* command, CMacroContext& context) const;

    const std::string& GetName() const { return m_strName; }
    CPreProcesor* GetPreProcesor() const { return m_pPreProcesor; }
    void SetPreProcesor(CPreProcesor* preProcesor) { m_pPreProcesor = preProcesor; }

    CPreProcesor* m_pPreProcesor = nullptr;
    std::string m_strName;

protected:
    // Which lines of a text get a block number: (line index, line count) -> yes.
    using NumberRule = std::function<bool(size_t, size_t)>;
    static bool EveryLine(size_t, size_t) { return true; }

    // Substitutes every line of text, numbers it by the rule and appends it to out. On a
    // variable without value the message box is shown and false returned.
    bool GenerateLines(const std::string& text, const CValueChain& chain, bool sums, const NumberRule& rule,
                       std::string& out, CMacroContext& context) const;
    // One line (with its line feed); false and the variable's name when no source knows it.
    bool SubstituteLine(std::string& line, const CValueChain& chain, bool sums, std::string& missing) const;
    void ReportMissing(const std::string& variable, CMacroContext& context) const;
    std::string NumberLine(const std::string& line, bool numbered) const;

    // The sources every kind ends with.
    CValueChain::Source CommandSource(const CCommand* command) const;
    CValueChain::Source ProgramSource() const;
    CProgram* GetProgram() const;
    // An error box captioned with the macro's name.
    void Refuse(const std::string& text, CMacroContext& context) const;
    // The bound tool; null after a message when the pass needs one and there is none.
    const CTool* RequireTool(CMacroContext& context) const;
    // The controller cannot start compensating on an entry move no longer than the nose radius:
    // the move from the command's approach point (AppZ, AppX; not checked when either is empty)
    // to the pass's first point (toZ, toX, mm) is refused with a message when it is that short.
    bool CheckEntryLength(double toZ, double toX, const CTool& tool, const CCommand* command,
                          CMacroContext& context) const;
    // A copy of the layer whose number (1...6) the command gives under key; null when none.
    static std::unique_ptr<CLayer> CopyCommandLayer(const CCommand* command, const char* key,
                                                    CMacroContext& context);
};
