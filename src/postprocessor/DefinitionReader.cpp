// The shared line rules of the definition files, with a bounded end of file.
#include "postprocessor/DefinitionReader.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Messages.h"

namespace {

std::string FormatOpenFailure(const std::string& path, unsigned code) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%u", code);
    return "Can't open file " + path + ", error = " + buf + "\n";
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

CDefinitionReader::CDefinitionReader(const std::string& path, CMessages* messages)
    : m_strPath(path), m_pMessages(messages) {
    errno = 0;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        const unsigned code = static_cast<unsigned>(errno);
        if (m_pMessages) {
            m_pMessages->Trace(FormatOpenFailure(path, code));
        }
        m_bExhausted = true;
        return;
    }
    // A definition file is a few kilobytes; a path to a device or a runaway file must not make
    // the reading endless, so only the first kMaxFileSize bytes are read.
    std::string text;
    char buf[65536];
    size_t n = 0;
    while (text.size() < kMaxFileSize && (n = std::fread(buf, 1, sizeof buf, file)) > 0) {
        text.append(buf, std::min(n, kMaxFileSize - text.size()));
    }
    std::fclose(file);
    m_bOpen = true;
    SplitLines(text);
}

CDefinitionReader::CDefinitionReader(const std::string& path, const std::string& text, CMessages* messages)
    : m_strPath(path), m_pMessages(messages), m_bOpen(true) {
    SplitLines(text);
}

void CDefinitionReader::SplitLines(const std::string& text) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        if (last) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        m_lines.push_back(std::move(line));
        start = last ? text.size() : end + 1;
    }
}

void CDefinitionReader::ReportEnd(const std::string& expected) {
    if (m_bExhausted) {
        return;
    }
    m_bExhausted = true;
    if (m_pMessages) {
        m_pMessages->Trace("End of file " + m_strPath + " before \"" + expected + "\"\n");
    }
}

bool CDefinitionReader::NextLine(std::string& line, const char* expected) {
    if (m_bExhausted || m_nNext >= m_lines.size()) {
        ReportEnd(expected);
        line.clear();
        return false;
    }
    line = m_lines[m_nNext++];
    return true;
}

bool CDefinitionReader::NextSignificant(std::string& line, const char* expected) {
    do {
        if (!NextLine(line, expected)) {
            return false;
        }
    } while (IsComment(line));
    return true;
}

bool CDefinitionReader::ScanTo(const std::string& key) {
    std::string line;
    while (NextLine(line, key.c_str())) {
        if (line == key) {
            return true;
        }
    }
    return false;
}

int CDefinitionReader::ScanToEither(const std::string& first, const std::string& second) {
    std::string line;
    const std::string expected = first + "\" or \"" + second;
    while (NextLine(line, expected.c_str())) {
        if (line == first) {
            return 0;
        }
        if (line == second) {
            return 1;
        }
    }
    return -1;
}

std::string CDefinitionReader::FromColumn(const std::string& line, size_t column) {
    const size_t skip = column > 0 ? column - 1 : 0;
    return line.size() > skip ? line.substr(skip) : std::string();
}

bool CDefinitionReader::ScanInt(const std::string& text, int32_t& value) {
    const char* p = text.c_str();
    while (IsBlank(*p)) {
        ++p;
    }
    const char* digits = p + ((*p == '-' || *p == '+') ? 1 : 0);
    if (*digits < '0' || *digits > '9') {
        return false;
    }
    errno = 0;
    const long long v = std::strtoll(p, nullptr, 10);
    value = v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v);
    return true;
}

bool CDefinitionReader::ScanFloat(const std::string& text, double& value) {
    const char* p = text.c_str();
    char* end = nullptr;
    const float v = std::strtof(p, &end);
    if (end == p) {
        return false;
    }
    value = static_cast<double>(v);
    return true;
}
