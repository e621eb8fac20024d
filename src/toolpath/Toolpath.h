// CToolpath: what an NC text makes the tool do, as read back: moves, events and findings.
#pragma once

#include <string>
#include <vector>

#include "toolpath/PathSegment.h"

// One tool move. Positions are model units with X as a radius, whatever the text's units and
// diameter mode were.
struct CToolMove {
    CPathSegment segment;
    bool bRapid = false;
    double dFeed = 0.0;    // F in effect (as written), 0 before any
    // A cut synchronised with the spindle (threading): the distance along Z per revolution as
    // written (K of G33, F of G32, the pitch of G76); 0 for other moves.
    double dLead = 0.0;
    int nLine = 0;         // source line, from 1
    std::string strBlock;  // the block's N word as written ("N150"), empty without one
};

// A word the reader keeps without moving the tool: F, S, T, M, and G codes that only set modes.
struct CNcEvent {
    char cLetter = 0;
    double dValue = 0.0;
    std::string strWord;  // as written, upper case
    int nLine = 0;
};

// A word the reader does not know, or a fault in a block; neither stops reading.
struct CNcNote {
    int nLine = 0;
    std::string strText;
};

struct CToolpath {
    // Notes kept of each kind; beyond it they are only counted.
    static constexpr size_t kNoteLimit = 1000;

    std::vector<CToolMove> moves;
    std::vector<CNcEvent> events;
    std::vector<CNcNote> unknown;  // words kept and listed (the first kNoteLimit)
    std::vector<CNcNote> errors;   // blocks a controller would refuse (the first kNoteLimit)
    size_t nUnknownCount = 0;      // all of them, kept or not
    size_t nErrorCount = 0;
    int nProgramNumber = -1;       // the O number, -1 without one
    int nLineCount = 0;

    // The moves read from a source line, in order (first index, count).
    std::pair<size_t, size_t> MovesOfLine(int line) const;
};
