// CMacroNormal: a body whose values come from the command, empty words left out.
#pragma once

#include "postprocessor/Macro.h"

class CMacroNormal : public CMacro {
public:
    CMacroNormal(std::string name, std::string body) : CMacro(std::move(name)), m_strBody(std::move(body)) {}

    std::string Generate(const CCommand* command, CMacroContext& context) const override;
    const std::string& GetBody() const { return m_strBody; }

    std::string m_strBody;
};
