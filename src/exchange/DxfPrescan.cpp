// Checking a DXF file's text, group by group, before the reading library sees it.
#include "exchange/DxfPrescan.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A count an entity announces, and the group code of the entries it counts (0: entries are not
// counted one by one, only the rest of the file bounds the count).
struct CCountRule {
    std::string_view entity;
    int code;
    int entryCode;
    const char* what;
};

constexpr CCountRule kCountRules[] = {
    {"SPLINE", 72, 40, "knots"},
    {"SPLINE", 73, 10, "control points"},
    {"SPLINE", 74, 11, "fit points"},
    {"LWPOLYLINE", 90, 10, "vertices"},
    {"LEADER", 76, 10, "vertices"},
    {"HATCH", 91, 0, "boundary paths"},
    {"HATCH", 93, 0, "edges"},
    {"HATCH", 95, 0, "knots"},
    {"HATCH", 96, 0, "control points"},
    {"HATCH", 97, 0, "fit points"},
};

// Group codes whose values are read as floating-point numbers.
bool IsRealCode(long code) {
    return (code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
           (code >= 460 && code <= 469) || (code >= 1010 && code <= 1059);
}

// The integer the library makes of the text (strtol, base 10, trailing text ignored).
long WholeOf(std::string_view text) {
    // Group codes are a few plain digits: read them here, the same as strtol would.
    if (!text.empty() && text.size() <= 9) {
        long value = 0;
        bool digits = true;
        for (const char c : text) {
            digits = digits && c >= '0' && c <= '9';
            value = value * 10 + (c - '0');
        }
        if (digits) {
            return value;
        }
    }
    const std::string s(text);
    return std::strtol(s.c_str(), nullptr, 10);
}

// False when the text holds a number that cannot be represented (an overflow, inf, nan).
bool IsFiniteReal(std::string_view text) {
    // Plain decimals without an exponent are the rule; too few digits to overflow, they need no parse.
    if (text.size() <= 300 && std::all_of(text.begin(), text.end(), [](char c) {
            return (c >= '0' && c <= '9') || c == '.' || c == ',' || c == '+' || c == '-';
        })) {
        return true;
    }
    std::string s(text);
    for (char& c : s) {
        c = c == ',' ? '.' : c;
    }
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end == s.c_str()) {
        return true;  // no number at all: the library reads 0
    }
    return std::isfinite(v) && !(errno == ERANGE && std::fabs(v) > 1.0);
}

// Whether the value holds more than white space. The library reads a number from nothing as
// whatever its memory held before, so such a value where it reads numbers would make the drawing
// come out different from one reading to the next.
bool HasText(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return !std::isspace(static_cast<unsigned char>(c)); });
}

// The entities and table entries whose numbers the library reads (the header's settings stand
// under the SECTION that holds them); it passes over the rest unread.
bool ReadByLibrary(std::string_view entity) {
    static constexpr std::string_view kRead[] = {
        "SECTION", "LAYER",  "LTYPE", "BLOCK", "STYLE",  "POINT",  "LINE",           "XLINE",  "RAY",
        "POLYLINE", "LWPOLYLINE", "VERTEX", "SPLINE", "ARC", "CIRCLE", "ELLIPSE", "INSERT", "TRACE",
        "SOLID", "3DFACE", "MTEXT", "TEXT", "ARCALIGNEDTEXT", "ATTRIB", "DIMENSION", "LEADER", "HATCH",
        "IMAGE", "IMAGEDEF", "DICTIONARY", "XRECORD"};
    return std::find(std::begin(kRead), std::end(kRead), entity) != std::end(kRead);
}

struct CPendingCount {
    const CCountRule* rule;
    long value;
    size_t line;
    long entries = 0;
};

class CScanner {
public:
    explicit CScanner(size_t groups) : m_nGroupsTotal(groups) {}

    // One group: the index of its code line (from 0), its code and value; an error ends the scan
    // and names the value's line.
    std::string Group(size_t line, size_t index, long code, std::string_view value) {
        if (code == 0) {
            std::string error = EndEntity();
            m_strEntity.assign(value);
            return error;
        }
        for (CPendingCount& pending : m_pending) {
            pending.entries += pending.rule->entryCode == code ? 1 : 0;
        }
        for (const CCountRule& rule : kCountRules) {
            if (code < 72 || code > 97) {
                break;  // no count has such a code
            }
            if (rule.code == code && rule.entity == m_strEntity) {
                const long count = WholeOf(value);
                const size_t left = m_nGroupsTotal - index - 1;
                if (count < 0) {
                    return Refuse(line + 2, count, rule, "a count cannot be negative");
                }
                if (static_cast<unsigned long>(count) > left) {
                    return Refuse(line + 2, count, rule, "the rest of the file cannot hold them");
                }
                if (rule.entryCode != 0) {
                    m_pending.push_back({&rule, count, line + 2});
                }
            }
        }
        if (IsRealCode(code) && !HasText(value) && ReadByLibrary(m_strEntity)) {
            return "line " + std::to_string(line + 2) + ": a number is missing after group code " +
                   std::to_string(code);
        }
        if (IsRealCode(code) && !IsFiniteReal(value)) {
            return "line " + std::to_string(line + 2) + ": the number \"" + std::string(value.substr(0, 40)) +
                   "\" is beyond what a drawing can hold";
        }
        return {};
    }

    std::string EndEntity() {
        std::string error;
        for (const CPendingCount& pending : m_pending) {
            if (error.empty() && pending.value > pending.entries) {
                error = Refuse(pending.line, pending.value, *pending.rule,
                               "it holds " + std::to_string(pending.entries));
            }
        }
        m_pending.clear();
        return error;
    }

private:
    std::string Refuse(size_t line, long count, const CCountRule& rule, const std::string& why) const {
        return "line " + std::to_string(line) + ": the " + m_strEntity + " announces " + std::to_string(count) +
               " " + rule.what + ", but " + why;
    }

    size_t m_nGroupsTotal;
    std::string m_strEntity;
    std::vector<CPendingCount> m_pending;
};

// Counts the entities of the ENTITIES section whose kinds the library does not know.
class CUnknownKinds {
public:
    explicit CUnknownKinds(std::vector<std::pair<std::string, int>>& kinds) : m_kinds(kinds) {}

    void Group(std::string_view code, std::string_view value) {
        if (code == "2" && m_bSectionName) {
            m_bInEntities = value == "ENTITIES";
            m_bSectionName = false;
            return;
        }
        if (code != "0") {
            return;
        }
        m_bSectionName = value == "SECTION";
        if (value == "ENDSEC") {
            m_bInEntities = false;
        }
        if (m_bInEntities && !value.empty() && std::find(std::begin(kKnown), std::end(kKnown), value) == std::end(kKnown)) {
            auto it = std::find_if(m_kinds.begin(), m_kinds.end(), [&](const auto& e) { return e.first == value; });
            if (it == m_kinds.end()) {
                m_kinds.emplace_back(std::string(value), 1);
            } else {
                ++it->second;
            }
        }
    }

private:
    static constexpr std::string_view kKnown[] = {
        "LINE",  "ARC",   "CIRCLE", "LWPOLYLINE", "POLYLINE", "VERTEX", "SEQEND", "SPLINE",
        "ELLIPSE", "INSERT", "ATTRIB", "POINT", "XLINE", "RAY", "TRACE", "3DFACE", "SOLID",
        "MTEXT", "TEXT", "DIMENSION", "LEADER", "HATCH", "IMAGE", "ENDSEC"};
    std::vector<std::pair<std::string, int>>& m_kinds;
    bool m_bInEntities = false;
    bool m_bSectionName = false;
};

}  // namespace

size_t CDxfPrescan::LineEnd(std::string_view text, size_t start) {
    // DXF lines are mostly a few characters: a plain look at them beats a call per line.
    const size_t near = std::min(text.size(), start + 24);
    for (size_t i = start; i < near; ++i) {
        if (text[i] == '\n') {
            return i;
        }
    }
    const size_t end = near < text.size() ? text.find('\n', near) : std::string_view::npos;
    return end == std::string_view::npos ? text.size() : end;
}

std::string_view CDxfPrescan::Stripped(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    size_t first = 0;
    size_t last = s.size();
    while (first < last && blank(s[first])) {
        ++first;
    }
    while (last > first && blank(s[last - 1])) {
        --last;
    }
    return s.substr(first, last - first);
}

std::string CDxfPrescan::Check(const std::string& bytes, std::vector<std::pair<std::string, int>>* unknownKinds) {
    // The lines as the library reads them: split at '\n', a carriage return kept with its line.
    // One pass reads the groups and measures every line; an over-long line is named before any
    // other fault, wherever it stands, so the groups' own fault waits until the lines are measured.
    const std::string_view text(bytes);
    size_t lineCount = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    lineCount += !text.empty() && text.back() != '\n' ? 1 : 0;
    CScanner scanner(lineCount / 2);
    std::vector<std::pair<std::string, int>> kinds;
    CUnknownKinds unknown(kinds);
    std::string groupError;
    size_t start = 0;
    std::string_view codeText;
    for (size_t i = 0; i < lineCount; ++i) {
        const size_t end = LineEnd(text, start);
        if (end - start > kMaxLineBytes) {
            return "line " + std::to_string(i + 1) + " is longer than " + std::to_string(kMaxLineBytes) +
                   " characters, which no DXF line is";
        }
        const std::string_view line = Stripped(text.substr(start, end - start));
        start = end + 1;
        if (i % 2 == 0) {
            codeText = line;
        } else if (groupError.empty()) {
            groupError = scanner.Group(i - 1, i / 2, WholeOf(codeText), line);
            unknown.Group(codeText, line);
        }
    }
    const std::string error = groupError.empty() ? scanner.EndEntity() : groupError;
    if (unknownKinds) {
        *unknownKinds = error.empty() ? std::move(kinds) : std::vector<std::pair<std::string, int>>{};
    }
    return error;
}
