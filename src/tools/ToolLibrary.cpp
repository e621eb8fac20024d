// Reading and writing the tool library text.
#include "tools/ToolLibrary.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

constexpr size_t kMaxFileSize = 1u << 20;

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return text;
}

// The key of the file's labels as the tool's field names them.
std::string FieldKey(const std::string& label) {
    const std::string key = Lower(label);
    return key == "tool" ? "number" : key;
}

std::string Number(double value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10g", value);
    return buf;
}

// The name a tool gets when it is added without one.
std::string NewToolName(int number) {
    return "Tool " + std::to_string(number);
}

struct CEntry {
    CTool tool;
    bool bHasNumber = false;
    bool bBad = false;
    size_t nLine = 0;
};

}  // namespace

CToolLibrary CToolLibrary::Parse(const std::string& name, const std::string& text,
                                 std::vector<std::string>& problems) {
    CToolLibrary library;
    std::istringstream in(text);
    std::string raw;
    size_t lineNo = 0;
    bool inside = false;
    bool ended = false;
    CEntry entry;
    const auto report = [&](size_t line, const std::string& what) {
        problems.push_back(name + ", line " + std::to_string(line) + ": " + what);
    };
    const auto finish = [&]() {
        if (entry.nLine != 0 && !entry.bBad) {
            if (!entry.bHasNumber) {
                report(entry.nLine, "the entry has no \"Tool:\" number and is left out");
            } else if (library.Find(entry.tool.nNumber)) {
                report(entry.nLine, "tool " + std::to_string(entry.tool.nNumber) + " is listed twice; the second is left out");
            } else {
                // An entry without a name gets the one a new tool gets, so the library writes back
                // as it reads (an empty name line is refused).
                if (entry.tool.strName.empty()) {
                    entry.tool.strName = NewToolName(entry.tool.nNumber);
                }
                library.m_tools.push_back(entry.tool);
            }
        }
        entry = CEntry();
    };
    while (std::getline(in, raw)) {
        ++lineNo;
        if (!raw.empty() && raw.back() == '\r') {
            raw.pop_back();
        }
        if (raw.empty() || raw[0] == ';') {
            continue;
        }
        if (!inside) {
            inside = raw == "BeginTools";
            continue;
        }
        if (raw == "EndTools") {
            ended = true;
            break;
        }
        if (raw.find_first_not_of('-') == std::string::npos) {
            finish();
            continue;
        }
        const size_t colon = raw.find(':');
        if (colon == std::string::npos) {
            report(lineNo, "\"" + raw + "\" is no \"Key: value\" line");
            entry.bBad = true;
            entry.nLine = entry.nLine ? entry.nLine : lineNo;
            continue;
        }
        entry.nLine = entry.nLine ? entry.nLine : lineNo;
        const std::string key = FieldKey(Trim(raw.substr(0, colon)));
        const std::string value = Trim(raw.substr(colon + 1));
        std::string error;
        if (key == "number") {
            char* end = nullptr;
            const long n = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || end != value.c_str() + value.size() || n < 1 || n > 99) {
                report(lineNo, "Tool: \"" + value + "\" is not a tool number from 1 to 99");
                entry.bBad = true;
            } else {
                entry.tool.nNumber = static_cast<int>(n);
                entry.bHasNumber = true;
            }
        } else if (!entry.tool.Set(key, value, error)) {
            report(lineNo, error);
            entry.bBad = true;
        }
    }
    finish();
    if (!inside && lineNo > 0) {
        problems.push_back(name + ": no \"BeginTools\" line; no tools were read");
    } else if (inside && !ended) {
        problems.push_back(name + ": end of file before \"EndTools\"");
    }
    std::sort(library.m_tools.begin(), library.m_tools.end(),
              [](const CTool& a, const CTool& b) { return a.nNumber < b.nNumber; });
    return library;
}

CToolLibrary CToolLibrary::Load(const std::string& path, std::vector<std::string>& problems) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return CToolLibrary();
    }
    std::string text;
    char buf[65536];
    while (text.size() < kMaxFileSize && file.read(buf, sizeof buf).gcount() > 0) {
        text.append(buf, std::min(static_cast<size_t>(file.gcount()), kMaxFileSize - text.size()));
    }
    const size_t slash = path.find_last_of('/');
    return Parse(slash == std::string::npos ? path : path.substr(slash + 1), text, problems);
}

std::string CToolLibrary::Format() const {
    std::string out =
        "; Kestrovel tool library: one entry per tool, ended by a line of dashes.\n"
        "; Shape: ISO insert letter (C 80, D 55, V 35, W 80 trigon, T 60, S 90 degrees, R round).\n"
        "; Radius: nose radius in mm. Orientation: imaginary tip position 1-9 as in the control's\n"
        "; tool table. Front, Back: angles of the cutting edges in degrees from +Z.\n"
        "; Hand: left, right or neutral.\n"
        "; Kind: insert (the default), blade, thread or drill. A blade (grooving, parting) has a\n"
        "; Width in mm along Z; its Radius is its corners' and Orientation 1-4 names the corner that\n"
        "; is the programmed point (2: the lower corner toward -Z). A thread insert is a V of the\n"
        "; Included angle (degrees) whose tip, rounded by the Radius, is the programmed point and\n"
        "; points the way of the Orientation (6: toward the axis). A drill has a Diameter in mm and\n"
        "; a Point angle (118 unless given); its tip is the programmed point, cutting toward -Z\n"
        "; (toward +Z with Orientation 1, 4 or 5).\n"
        "BeginTools\n";
    for (const CTool& t : m_tools) {
        out += "Tool:        " + std::to_string(t.nNumber) + "\n";
        out += "Name:        " + t.strName + "\n";
        out += std::string("Shape:       ") + t.cShape + "\n";
        out += "Radius:      " + Number(t.dNoseRadius) + "\n";
        out += "Orientation: " + std::to_string(t.nOrientation) + "\n";
        out += "Front:       " + Number(t.dFrontAngle) + "\n";
        out += "Back:        " + Number(t.dBackAngle) + "\n";
        out += "Hand:        " + t.strHand + "\n";
        if (t.strKind == "blade") {
            out += "Kind:        blade\nWidth:       " + Number(t.dWidth) + "\n";
        } else if (t.strKind == "thread") {
            out += "Kind:        thread\nIncluded:    " + Number(t.dIncludedAngle) + "\n";
        } else if (t.strKind == "drill") {
            out += "Kind:        drill\nDiameter:    " + Number(t.dDiameter) + "\nPoint:       " +
                   Number(t.dPointAngle) + "\n";
        }
        out += "--------\n";
    }
    out += "EndTools\n";
    return out;
}

const CTool* CToolLibrary::Find(int number) const {
    for (const CTool& t : m_tools) {
        if (t.nNumber == number) {
            return &t;
        }
    }
    return nullptr;
}

CTool& CToolLibrary::FindOrAdd(int number) {
    for (CTool& t : m_tools) {
        if (t.nNumber == number) {
            return t;
        }
    }
    CTool tool;
    tool.nNumber = number;
    tool.strName = NewToolName(number);
    const auto at = std::find_if(m_tools.begin(), m_tools.end(), [number](const CTool& t) { return t.nNumber > number; });
    return *m_tools.insert(at, tool);
}
