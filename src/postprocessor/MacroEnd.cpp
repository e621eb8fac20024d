// The end-kind macro: command then program values, optional number on the last line.
#include "postprocessor/MacroEnd.h"

#include "postprocessor/PreProcesor.h"

std::string CMacroEnd::Generate(const CCommand* command, CMacroContext& context) const {
    CValueChain chain(100000.0);
    chain.Add(CommandSource(command)).Add(ProgramSource());
    const bool lastNumbered = !m_pPreProcesor || m_pPreProcesor->GetLastNumber();
    std::string out;
    const auto rule = [lastNumbered](size_t index, size_t count) { return index + 1 < count || lastNumbered; };
    return GenerateLines(m_strBody, chain, false, rule, out, context) ? out : std::string();
}
