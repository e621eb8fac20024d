// CMacroStart: the program's start code: values from the program, the program's name for "NameFile".
#pragma once

#include "postprocessor/Macro.h"

class CMacroStart : public CMacro {
public:
    CMacroStart(std::string name, std::string body) : CMacro(std::move(name)), m_strBody(std::move(body)) {}

    std::string Generate(const CCommand* command, CMacroContext& context) const override;
    const std::string& GetBody() const { return m_strBody; }

    std::string m_strBody;
};
