// CMacroEnd: a body whose values come from the command, then the program.
#pragma once

#include "postprocessor/Macro.h"

class CMacroEnd : public CMacro {
public:
    CMacroEnd(std::string name, std::string body) : CMacro(std::move(name)), m_strBody(std::move(body)) {}

    std::string Generate(const CCommand* command, CMacroContext& context) const override;
    const std::string& GetBody() const { return m_strBody; }

    std::string m_strBody;
};
