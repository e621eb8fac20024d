// CMacroOci: a pass along one layer combined with a partner layer, arcs divided into points.
#pragma once

#include <cstdint>
#include <vector>

#include "postprocessor/Macro.h"

class CPiece;
class CLayer;

class CMacroOci : public CMacro {
public:
    CMacroOci(std::string name, std::string lineTemplate, std::string arcTemplate, int side)
        : CMacro(std::move(name)),
          m_strLineTemplate(std::move(lineTemplate)),
          m_strArcTemplate(std::move(arcTemplate)),
          m_nSide(side) {}

    std::string Generate(const CCommand* command, CMacroContext& context) const override;

    // The axial positions of the division points of an element from start to end: n points
    // (n from the division table for its length in whole millimetres), evenly spaced in
    // model units, the last one on the element's end.
    std::vector<int32_t> DivisionPoints(const CPiece& piece) const;
    // The tool difference (millimetres) as an offset in model units.
    static int32_t ToolOffset(double millimetres);

    // How the pass treats the tool's nose (CMacroRun's kinds), from the header's direction line.
    void SetCompensation(int compensation) { m_nCompensation = compensation; }
    int GetCompensation() const { return m_nCompensation; }

    std::string m_strLineTemplate;
    std::string m_strArcTemplate;
    int m_nSide;

private:
    int m_nCompensation = 0;

    bool WriteElement(const CPiece& walked, const CPiece* partner, const CCommand* command, int32_t offset,
                      CMacroContext& context, std::string& out) const;
};
