// The combined pass of an OCI macro.
#include "postprocessor/MacroOci.h"

std::string CMacroOci::Generate(const CCommand*, CMacroContext&) const { return ""; }

std::vector<int32_t> CMacroOci::DivisionPoints(const CPiece&) const { return {}; }

bool CMacroOci::WriteElement(const CPiece&, const CPiece*, const CCommand*, int32_t, CMacroContext&,
                             std::string&) const {
    return false;
}
