// The normal macro: an empty command parameter leaves its word out.
#include "postprocessor/MacroNormal.h"

std::string CMacroNormal::Generate(const CCommand* command, CMacroContext& context) const {
    // Only a parameter the command lacks altogether sends the question on to the program.
    CValueChain chain(1000000.0);
    chain.Add(CommandSource(command)).Add(ProgramSource());
    std::string out;
    return GenerateLines(m_strBody, chain, false, EveryLine, out, context) ? out : std::string();
}
