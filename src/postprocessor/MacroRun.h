// CMacroRun: one pass along a layer's profile, a template line per element.
#pragma once

#include "postprocessor/Macro.h"

class CPiece;

class CMacroRun : public CMacro {
public:
    CMacroRun(std::string name, std::string header, std::string lineTemplate, std::string cwTemplate,
              std::string ccwTemplate, std::string trailer, int side)
        : CMacro(std::move(name)),
          m_nSide(side),
          m_strHeader(std::move(header)),
          m_strLineTemplate(std::move(lineTemplate)),
          m_strCwTemplate(std::move(cwTemplate)),
          m_strCcwTemplate(std::move(ccwTemplate)),
          m_strTrailer(std::move(trailer)) {}

    std::string Generate(const CCommand* command, CMacroContext& context) const override;

    // 1 walks from the left border rightwards, 0 ("LEFT") from the right border leftwards.
    int m_nSide;
    std::string m_strHeader;
    std::string m_strLineTemplate;
    std::string m_strCwTemplate;
    std::string m_strCcwTemplate;
    std::string m_strTrailer;

private:
    // The template for an element's object name, or null for a name without one.
    const std::string* TemplateFor(const CPiece& piece) const;
};
