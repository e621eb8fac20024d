// CMacroRun: one pass along a layer's profile, a template line per element.
#pragma once

#include <vector>

#include "postprocessor/Macro.h"
#include "tools/NosePathSegment.h"

class CPiece;
struct CTool;

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

    // How a pass treats the tool's nose, from the words after the direction on the header line.
    enum Compensation { kNone = 0, kComputed = 1, kController = 2 };
    void SetCompensation(int compensation) { m_nCompensation = compensation; }
    int GetCompensation() const { return m_nCompensation; }
    // What a computed pass does where the insert's edges would cut into the part, from the word
    // after "COMP": nothing checked (no word), the pass refused ("REFUSE"), or the pass stopped
    // there and resumed beyond, leaving that material ("STOP").
    enum Reach { kReachUnchecked = 0, kReachRefuse = 1, kReachStop = 2 };
    void SetReach(int reach) { m_nReach = reach; }
    int GetReach() const { return m_nReach; }

    // A pass that hands the profile to the controller's roughing cycle, from the words after the
    // direction: "CYCLE" for a cycle that also cuts pockets, "CYCLE1" for one that needs a profile
    // whose X never falls (it then writes the passes out instead).
    enum Cycle { kNoCycle = 0, kCycle = 1, kCycleRising = 2 };
    void SetCycle(int cycle) { m_nCycle = cycle; }
    int GetCycle() const { return m_nCycle; }

    // 1 walks from the left border rightwards, 0 ("LEFT") from the right border leftwards.
    int m_nSide;
    std::string m_strHeader;
    std::string m_strLineTemplate;
    std::string m_strCwTemplate;
    std::string m_strCcwTemplate;
    std::string m_strTrailer;
    // Computed passes only: the command's value (mm) the pass leaves all along the profile, from
    // "COMP LEAVE <Key>"; empty for a finishing pass.
    std::string m_strLeaveKey;
    // Cycle passes only: the rapid move of the written-out passes (after "<Rapid>" in the trailer).
    std::string m_strRapidTemplate;

private:
    // The template for an element's object name, or null for a name without one.
    const std::string* TemplateFor(const CPiece& piece) const;
    // The elements of the pass over the layer copy, borders included, in the order of travel.
    std::vector<const CPiece*> Walk(CLayer& layer) const;
    // The lines of the elements as drawn; false when a variable has no value.
    bool WriteProfile(const std::vector<const CPiece*>& pieces, const CCommand* command, std::string& out,
                      CMacroContext& context) const;
    // The lines of the imaginary tip point's path for the bound tool; false when refused.
    bool WriteCompensated(const std::vector<const CPiece*>& pieces, const CTool& tool, const CCommand* command,
                          std::string& out, CMacroContext& context) const;
    // Checks the insert's edges along the computed path as the reach word asks: false when the
    // pass is refused; with STOP the path is cut where they would gouge and bridged over it.
    bool CheckReach(std::vector<CNosePathSegment>& path, const std::vector<const CPiece*>& pieces,
                    const std::vector<CNosePathSegment>& profile, const CTool& tool, CMacroContext& context) const;
    // The controller cannot start compensating on an entry move shorter than the nose radius.
    bool CheckEntryMove(const std::vector<const CPiece*>& pieces, const CTool& tool, const CCommand* command,
                        CMacroContext& context) const;
    // The profile as lines and arcs in millimetres, in the order of travel.
    std::vector<CNosePathSegment> Segments(const std::vector<const CPiece*>& pieces) const;

    // One line of the profile a cycle is given: an element, or (null) a move to a point.
    struct CCycleBlock {
        const CPiece* pPiece = nullptr;
        CNosePathPoint end;
        bool bArc = false;
    };
    static void DropRunOnLines(double startZ, double startX, std::vector<CCycleBlock>& blocks);
    // The roughing cycle with its profile, or the passes written out where the cycle can't cut it.
    std::string GenerateCycle(const CCommand* command, CMacroContext& context) const;
    // The written-out passes of a cycle; false when a variable has no value.
    bool WriteRoughPasses(const std::vector<const CPiece*>& pieces, const CCommand* command, double startZ,
                          double startX, std::string& out, CMacroContext& context) const;
    // One move to a point in millimetres through a template; false when a variable has no value.
    bool WritePoint(const std::string& text, double z, double x, const CCommand* command, std::string& out,
                    CMacroContext& context) const;

    int m_nCompensation = kNone;
    int m_nCycle = kNoCycle;
    int m_nReach = kReachUnchecked;
};
