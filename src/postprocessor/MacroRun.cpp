// The layer pass of a RUN macro.
#include "postprocessor/MacroRun.h"

std::string CMacroRun::Generate(const CCommand*, CMacroContext&) const { return ""; }

const std::string* CMacroRun::TemplateFor(const CPiece&) const { return nullptr; }
