// CMacroOperation: a lathe operation computed from the command's values, one template per move kind.
#pragma once

#include <array>
#include <map>

#include "postprocessor/Macro.h"

struct COperation;
struct COperationMove;
struct COperationResult;

// In the post file (block keyword "OPERATION"): the macro's name, the operation line (the
// operation's name, then settings KEY=value such as MaxFeedZ=5000), header lines, then each move
// kind's marker ("<rapid>", "<feed>", "<dwell>", "<thread>") with its one template line, then
// trailer lines up to "End". A move template knows EndX and EndZ (the move's end point), Feed (a
// move's own feed) and Dwell; every template also knows the values the operation computed, then the
// command's and the program's.
class CMacroOperation : public CMacro {
public:
    enum { kRapid = 0, kFeed = 1, kDwell = 2, kThread = 3, kKinds = 4 };

    CMacroOperation(std::string name, std::string operation, std::map<std::string, double> settings,
                    std::string header, std::array<std::string, kKinds> moves, std::string trailer)
        : CMacro(std::move(name)),
          m_strOperation(std::move(operation)),
          m_settings(std::move(settings)),
          m_strHeader(std::move(header)),
          m_moveTemplates(std::move(moves)),
          m_strTrailer(std::move(trailer)) {}

    std::string Generate(const CCommand* command, CMacroContext& context) const override;

    // The marker's move kind ("<feed>" gives kFeed), or -1.
    static int KindOfMarker(const std::string& line);

    std::string m_strOperation;
    std::map<std::string, double> m_settings;
    std::string m_strHeader;
    std::array<std::string, kKinds> m_moveTemplates;
    std::string m_strTrailer;

private:
    COperationResult Compute(const COperation& operation, const CCommand* command) const;
    bool WriteMoves(const COperationResult& result, const CCommand* command, std::string& out,
                    CMacroContext& context) const;
};
