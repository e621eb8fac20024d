// The "read-nc" command: an NC file read back, move by move, with the reader's notes and errors.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/NcNotesJson.h"
#include "toolpath/NcReader.h"

namespace {

using Json = nlohmann::json;

// Millimetres, with a negative zero shown as zero.
double Mm(double modelUnits) {
    return modelUnits / 10000.0 + 0.0;
}

const char* Direction(const CPathSegment& s) {
    return s.nDirection == kDirClockwise ? "cw" : "ccw";
}

Json ToJson(const CToolpath& path) {
    Json moves = Json::array();
    for (const CToolMove& m : path.moves) {
        const CPathSegment& s = m.segment;
        Json move = {{"rapid", m.bRapid ? 1 : 0},
                     {"kind", s.IsArc() ? "arc" : "line"},
                     {"end", {Mm(s.ptEnd.dZ), Mm(s.ptEnd.dX)}},
                     {"line", m.nLine},
                     {"block", m.strBlock},
                     {"feed", m.dFeed}};
        if (m.dLead > 0) {
            move["lead"] = m.dLead;
        }
        if (s.IsArc()) {
            move["direction"] = Direction(s);
            move["centre"] = {Mm(s.ptCentre.dZ), Mm(s.ptCentre.dX)};
            move["turns"] = s.nTurns + 1;
        }
        moves.push_back(move);
    }
    return {{"lines", path.nLineCount},     {"moves", moves},
            {"errors", NcNotesJson(path.errors)}, {"errorCount", path.nErrorCount},
            {"notes", NcNotesJson(path.unknown)}, {"noteCount", path.nUnknownCount}};
}

void PrintNotes(const char* kind, const std::vector<CNcNote>& notes, size_t count) {
    for (const CNcNote& n : notes) {
        std::printf("line %d: %s: %s\n", n.nLine, kind, n.strText.c_str());
    }
    if (count > notes.size()) {
        std::printf("%zu more %ss not listed\n", count - notes.size(), kind);
    }
}

void PrintText(const CToolpath& path) {
    for (const CToolMove& m : path.moves) {
        const CPathSegment& s = m.segment;
        std::printf("line %d%s%s: %s %s to Z %.4f X %.4f", m.nLine, m.strBlock.empty() ? "" : " ",
                    m.strBlock.c_str(), m.bRapid ? "rapid" : "feed", s.IsArc() ? "arc" : "line",
                    Mm(s.ptEnd.dZ), Mm(s.ptEnd.dX));
        if (s.IsArc()) {
            std::printf(" %s about Z %.4f X %.4f", Direction(s), Mm(s.ptCentre.dZ), Mm(s.ptCentre.dX));
            if (s.nTurns > 0) {
                std::printf(" in %d turns", s.nTurns + 1);
            }
        }
        std::printf("\n");
    }
    PrintNotes("note", path.unknown, path.nUnknownCount);
    PrintNotes("error", path.errors, path.nErrorCount);
    std::printf("%zu moves, %zu notes, %zu errors in %d lines\n", path.moves.size(), path.nUnknownCount,
                path.nErrorCount, path.nLineCount);
}

}  // namespace

int RunReadNc(const CReadNcOptions& options) {
    std::ifstream in(options.strFile, std::ios::binary);
    if (!in) {
        return CCliDocument::Fail("cannot read " + options.strFile);
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return CCliDocument::Fail("cannot read " + options.strFile);
    }
    CNcReaderSettings settings;
    settings.bDiameterMode = options.bDiameter;
    const CToolpath path = CNcReader(settings).Read(text);
    if (options.bJson) {
        std::printf("%s\n", ToJson(path).dump(2).c_str());
    } else {
        PrintText(path);
    }
    std::fflush(stdout);
    return path.nErrorCount > 0 ? 1 : 0;
}
