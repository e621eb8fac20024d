// The start-code macro: program values only, optional number on the first line.
#include "postprocessor/MacroStart.h"

#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"

std::string CMacroStart::Generate(const CCommand*, CMacroContext& context) const {
    CValueChain chain(100000.0);
    chain.Add(ProgramSource());
    if (CProgram* program = GetProgram()) {
        chain.SetTextVariable("NameFile", program->GetName());
    }
    const bool firstNumbered = !m_pPreProcesor || m_pPreProcesor->GetFirstNumber();
    std::string out;
    const auto rule = [firstNumbered](size_t index, size_t) { return index > 0 || firstNumbered; };
    return GenerateLines(m_strBody, chain, false, rule, out, context) ? out : std::string();
}
