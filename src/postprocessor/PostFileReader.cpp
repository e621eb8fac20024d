// Reading the post file, section by section in its fixed order.
#include "postprocessor/PostFileReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <utility>

#include "postprocessor/DefinitionReader.h"
#include "postprocessor/MacroEnd.h"
#include "postprocessor/MacroNormal.h"
#include "postprocessor/MacroOci.h"
#include "postprocessor/MacroOperation.h"
#include "postprocessor/MacroRun.h"
#include "postprocessor/MacroStart.h"
#include "postprocessor/PreProcesor.h"

void CPostFileReader::Read(CDefinitionReader& reader, CPreProcesor& target) {
    if (!ReadFormats(reader, target) || !ReadNumbering(reader, target) ||
        !ReadFlag(reader, "First#?", target.m_bFirstNumber) || !ReadFlag(reader, "Last#?", target.m_bLastNumber) ||
        !ReadFlag(reader, "Incremental?", target.m_bIncremental) ||
        !ReadFlag(reader, "CtrIncremental?", target.m_bCtrIncremental) || !ReadDivision(reader, target)) {
        return;
    }
    ReadMacros(reader, target);
}

bool CPostFileReader::ReadFormats(CDefinitionReader& reader, CPreProcesor& target) {
    std::string line;
    if (!reader.ScanTo("BeginVar") || !reader.NextSignificant(line, "End")) {
        return false;
    }
    while (line != "End") {
        target.AddFormat(std::make_unique<CNumberFormat>(CNumberFormat::FromLine(line)));
        if (!reader.NextSignificant(line, "End")) {
            return false;
        }
    }
    return true;
}

bool CPostFileReader::ReadNumbering(CDefinitionReader& reader, CPreProcesor& target) {
    std::string line;
    if (!reader.ScanTo("Number") || !reader.NextSignificant(line, "Letter")) {
        return false;
    }
    target.m_bNumber = line == "N" ? 0 : 1;
    if (!reader.ScanTo("Letter") || !reader.NextSignificant(line, "Sequence_N")) {
        return false;
    }
    target.m_strLetter = line;
    if (!reader.ScanTo("Sequence_N") || !reader.NextSignificant(line, "First#?")) {
        return false;
    }
    CDefinitionReader::ScanInt(line, target.m_nSequenceStart);
    if (!reader.NextSignificant(line, "First#?")) {
        return false;
    }
    CDefinitionReader::ScanInt(line, target.m_nSequenceStep);
    return true;
}

bool CPostFileReader::ReadFlag(CDefinitionReader& reader, const char* keyword, int& flag) {
    std::string line;
    if (!reader.ScanTo(keyword) || !reader.NextSignificant(line, keyword)) {
        return false;
    }
    flag = line == "N" ? 0 : 1;
    return true;
}

bool CPostFileReader::ReadDivision(CDefinitionReader& reader, CPreProcesor& target) {
    std::string line;
    if (!reader.ScanTo("DefOCI") || !reader.ScanTo("BeginObj") || !reader.NextSignificant(line, "EndObj")) {
        return false;
    }
    CDefinitionReader::ScanFloat(line, target.m_division.m_dStart);
    if (!reader.ScanTo("EndObj") || !reader.NextSignificant(line, "DivideObj")) {
        return false;
    }
    CDefinitionReader::ScanFloat(line, target.m_division.m_dEnd);
    if (!reader.ScanTo("DivideObj") || !reader.NextSignificant(line, "End")) {
        return false;
    }
    int32_t lower = 0;
    while (line != "End") {
        int32_t bound = 0;
        int32_t value = 0;
        const size_t colon = line.find(':');
        CDefinitionReader::ScanInt(line.substr(0, colon), bound);
        if (colon != std::string::npos) {
            CDefinitionReader::ScanInt(line.substr(colon + 1), value);
        }
        target.m_division.AddRange(bound, lower, value);
        lower = bound;
        if (!reader.NextSignificant(line, "End")) {
            return false;
        }
    }
    return true;
}

void CPostFileReader::ReadMacros(CDefinitionReader& reader, CPreProcesor& target) {
    std::string keyword;
    if (!reader.ScanTo("BeginMacro") || !reader.NextSignificant(keyword, "ENDPOSTPROCESOR")) {
        return;
    }
    while (keyword != "ENDPOSTPROCESOR") {
        if (auto macro = ReadMacro(reader, keyword)) {
            target.AddMacro(std::move(macro));
        }
        if (reader.IsExhausted() || !reader.ScanTo("BeginMacro") ||
            !reader.NextSignificant(keyword, "ENDPOSTPROCESOR")) {
            break;
        }
    }
}

std::unique_ptr<CMacro> CPostFileReader::ReadMacro(CDefinitionReader& reader, const std::string& keyword) {
    const bool body = keyword == "NORMAL" || keyword == "START" || keyword == "END";
    if (!body && keyword != "RUN" && keyword != "OCI" && keyword != "OPERATION") {
        return nullptr;
    }
    std::string name;
    if (!reader.NextSignificant(name, "End")) {
        return nullptr;
    }
    if (keyword == "OPERATION") {
        return ReadOperation(reader, name);
    }
    if (body) {
        std::string text;
        if (!ReadLinesUpTo(reader, "End", text)) {
            return nullptr;
        }
        if (keyword == "NORMAL") {
            return std::make_unique<CMacroNormal>(name, text);
        }
        if (keyword == "START") {
            return std::make_unique<CMacroStart>(name, text);
        }
        return std::make_unique<CMacroEnd>(name, text);
    }
    std::string direction;
    if (!reader.NextSignificant(direction, "<line>")) {
        return nullptr;
    }
    int compensation = CMacroRun::kNone;
    int reach = CMacroRun::kReachUnchecked;
    std::string leave;
    const int nSide = ReadDirection(direction, true, compensation, &reach, &leave);
    if (keyword != "RUN") {
        auto oci = ReadOci(reader, name, nSide);
        if (oci) {
            static_cast<CMacroOci&>(*oci).SetCompensation(compensation);
        }
        return oci;
    }
    int side = nSide;
    const int cycle = ReadCycle(direction, side);
    auto macro = ReadRun(reader, name, side);
    if (macro) {
        auto& run = static_cast<CMacroRun&>(*macro);
        run.SetCompensation(compensation);
        run.SetReach(reach);
        run.m_strLeaveKey = leave;
        if (cycle != CMacroRun::kNoCycle) {
            SplitRapidTemplate(run);
            run.SetCycle(cycle);
        }
    }
    return macro;
}

int CPostFileReader::ReadCycle(const std::string& line, int& side) {
    // "RIGHT CYCLE" or "RIGHT CYCLE1": the direction, then the kind of roughing cycle.
    const size_t blank = line.find(' ');
    if (blank == std::string::npos) {
        return CMacroRun::kNoCycle;
    }
    const std::string word = line.substr(0, blank);
    const size_t next = line.find_first_not_of(' ', blank);
    std::string rest = next == std::string::npos ? std::string() : line.substr(next);
    rest.erase(rest.find_last_not_of(" \t") + 1);
    const int cycle = rest == "CYCLE" ? CMacroRun::kCycle : rest == "CYCLE1" ? CMacroRun::kCycleRising : -1;
    if (cycle < 0 || (word != "LEFT" && word != "RIGHT")) {
        return CMacroRun::kNoCycle;
    }
    side = word == "LEFT" ? 0 : 1;
    return cycle;
}

void CPostFileReader::SplitRapidTemplate(CMacroRun& run) {
    // The trailer's line "<Rapid>" is followed by the rapid move of the written-out passes.
    static const std::string kMarker = "<Rapid>\n";
    const size_t at = run.m_strTrailer.rfind(kMarker);
    if (at == std::string::npos || (at > 0 && run.m_strTrailer[at - 1] != '\n')) {
        return;
    }
    const size_t begin = at + kMarker.size();
    const size_t lf = run.m_strTrailer.find('\n', begin);
    const size_t end = lf == std::string::npos ? run.m_strTrailer.size() : lf + 1;
    run.m_strRapidTemplate = run.m_strTrailer.substr(begin, end - begin);
    run.m_strTrailer.erase(at, end - at);
}

int CPostFileReader::ReadDirection(const std::string& line, bool run, int& compensation, int* reach,
                                   std::string* leave) {
    compensation = CMacroRun::kNone;
    // "RIGHT COMP": the direction, then how the nose radius is handled; a computed pass may name
    // the command's value it leaves on the profile ("RIGHT COMP LEAVE <Allow>"). Any other line
    // keeps the old rule: exactly "LEFT" is 0, everything else 1.
    const size_t blank = line.find(' ');
    if (run && blank != std::string::npos) {
        const std::string word = line.substr(0, blank);
        const size_t next = line.find_first_not_of(' ', blank);
        std::string rest = next == std::string::npos ? std::string() : line.substr(next);
        rest.erase(rest.find_last_not_of(" \t") + 1);
        int rule = CMacroRun::kReachUnchecked;
        for (const auto& [name, value] : {std::pair{" REFUSE", int(CMacroRun::kReachRefuse)},
                                          std::pair{" STOP", int(CMacroRun::kReachStop)}}) {
            const size_t at = rest.rfind(name);
            if (at != std::string::npos && at + std::strlen(name) == rest.size()) {
                rule = value;
                rest.erase(rest.find_last_not_of(" \t", at) + 1);
            }
        }
        static const std::string kLeave = "COMP LEAVE <";
        std::string key;
        if (rest.size() > kLeave.size() + 1 && rest.compare(0, kLeave.size(), kLeave) == 0 && rest.back() == '>') {
            key = rest.substr(kLeave.size(), rest.size() - kLeave.size() - 1);
            if (key.find_first_of("<> \t") == std::string::npos) {
                rest = "COMP";
            } else {
                key.clear();
            }
        }
        const int mode = rest == "COMP" ? CMacroRun::kComputed
                         : rest == "CTRL" && rule == CMacroRun::kReachUnchecked ? CMacroRun::kController
                                                                                : -1;
        if (mode >= 0 && (word == "LEFT" || word == "RIGHT")) {
            compensation = mode;
            if (reach) {
                *reach = rule;
            }
            if (leave && mode == CMacroRun::kComputed) {
                *leave = key;
            }
            return word == "LEFT" ? 0 : 1;
        }
    }
    return line == "LEFT" ? 0 : 1;
}

std::unique_ptr<CMacro> CPostFileReader::ReadRun(CDefinitionReader& reader, const std::string& name, int side) {
    std::string header;
    std::string line;
    std::string cw;
    std::string ccw;
    std::string trailer;
    if (!ReadLinesUpTo(reader, "<line>", header) || !ReadTemplateLine(reader, "<Cw>", line) ||
        !reader.ScanTo("<Cw>") || !ReadTemplateLine(reader, "<Ccw>", cw) || !reader.ScanTo("<Ccw>") ||
        !ReadTemplateLine(reader, "End", ccw) || !ReadLinesUpTo(reader, "End", trailer)) {
        return nullptr;
    }
    return std::make_unique<CMacroRun>(name, header, line, cw, ccw, trailer, side);
}

std::unique_ptr<CMacro> CPostFileReader::ReadOci(CDefinitionReader& reader, const std::string& name, int side) {
    std::string line;
    std::string arc;
    if (!reader.ScanTo("<line>") || !ReadTemplateLine(reader, "<OCI>", line) || !reader.ScanTo("<OCI>") ||
        !ReadTemplateLine(reader, "BeginMacro", arc)) {
        return nullptr;
    }
    return std::make_unique<CMacroOci>(name, line, arc, side);
}

std::unique_ptr<CMacro> CPostFileReader::ReadOperation(CDefinitionReader& reader, const std::string& name) {
    std::string line;
    if (!reader.NextSignificant(line, "End")) {
        return nullptr;
    }
    // "THREADCYCLE MaxFeedZ=5000": the operation, then settings; a word without "=" is ignored.
    std::string operation;
    std::map<std::string, double> settings;
    size_t at = 0;
    while (at < line.size()) {
        const size_t begin = line.find_first_not_of(' ', at);
        if (begin == std::string::npos) {
            break;
        }
        const size_t end = std::min(line.find(' ', begin), line.size());
        const std::string word = line.substr(begin, end - begin);
        const size_t equals = word.find('=');
        if (operation.empty()) {
            operation = word;
        } else if (equals != std::string::npos && equals > 0) {
            double value = 0.0;
            if (CDefinitionReader::ScanFloat(word.substr(equals + 1), value)) {
                settings[word.substr(0, equals)] = value;
            }
        }
        at = end;
    }
    std::string header;
    std::string trailer;
    std::array<std::string, CMacroOperation::kKinds> moves;
    bool marked = false;
    if (!reader.NextSignificant(line, "End")) {
        return nullptr;
    }
    while (line != "End") {
        const int kind = CMacroOperation::KindOfMarker(line);
        if (kind >= 0) {
            std::string text;
            if (!ReadTemplateLine(reader, "End", text)) {
                return nullptr;
            }
            moves[static_cast<size_t>(kind)] = text;
            marked = true;
        } else {
            (marked ? trailer : header) += line + "\n";
        }
        if (!reader.NextSignificant(line, "End")) {
            return nullptr;
        }
    }
    return std::make_unique<CMacroOperation>(name, operation, settings, header, moves, trailer);
}

bool CPostFileReader::ReadLinesUpTo(CDefinitionReader& reader, const char* marker, std::string& text) {
    std::string line;
    if (!reader.NextSignificant(line, marker)) {
        return false;
    }
    while (line != marker) {
        text += line + "\n";
        if (!reader.NextSignificant(line, marker)) {
            return false;
        }
    }
    return true;
}

bool CPostFileReader::ReadTemplateLine(CDefinitionReader& reader, const char* expected, std::string& text) {
    std::string line;
    if (!reader.NextSignificant(line, expected)) {
        return false;
    }
    text = line + "\n";
    return true;
}
