// The DXF library's number and group formats, written into a string.
#include "exchange/DxfTextWriter.h"

#include <charconv>
#include <cstdio>
#include <string_view>

#include "platform/SafeFileWriter.h"

namespace {

// Text is passed to the save in pieces of about this size.
constexpr size_t kPiece = 1 << 16;

}  // namespace

void CDxfTextWriter::PassOn() const {
    if (!m_bFailed &&
        !m_pSave->Append(reinterpret_cast<const uint8_t*>(m_strText.data()), m_strText.size())) {
        m_bFailed = true;
    }
    m_strText.clear();
}

bool CDxfTextWriter::Finish() const {
    if (m_pSave) {
        PassOn();
    }
    return !m_bFailed;
}

void CDxfTextWriter::Code(int gc) const {
    m_strText += gc < 10 ? "  " : (gc < 100 ? " " : "");
    char digits[16];
    m_strText.append(digits, std::to_chars(digits, digits + sizeof digits, gc).ptr);
    m_strText += '\n';
}

void CDxfTextWriter::dxfReal(int gc, double value) const {
    // Fixed notation with trailing zeros cut, keeping one digit after the point; the digits are
    // exactly those of printf's "%.16f" (or "%.6f"), made without its slow general path.
    char text[512];
    const int precision = version == DL_Codes::AC1009_MIN ? 6 : 16;
    const std::to_chars_result r =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, precision);
    std::string_view s(text, r.ec == std::errc() ? static_cast<size_t>(r.ptr - text) : 0);
    const size_t dot = s.find('.');
    if (dot != std::string_view::npos) {
        size_t end = dot + 2;
        for (size_t i = dot + 1; i < s.size(); ++i) {
            if (s[i] != '0') {
                end = i + 1;
            }
        }
        if (end < s.size()) {
            s = s.substr(0, end);
        }
    }
    Line(gc, s);
}

void CDxfTextWriter::dxfInt(int gc, int value) const {
    dxfString(gc, std::to_string(value));
}

void CDxfTextWriter::dxfHex(int gc, int value) const {
    char text[16];
    std::snprintf(text, sizeof text, "%0X", static_cast<unsigned>(value));
    dxfString(gc, text);
}

void CDxfTextWriter::dxfString(int gc, const char* value) const {
    dxfString(gc, std::string(value ? value : ""));
}

void CDxfTextWriter::dxfString(int gc, const std::string& value) const {
    Line(gc, value);
}

void CDxfTextWriter::Line(int gc, std::string_view value) const {
    Code(gc);
    m_strText += value;
    m_strText += '\n';
    if (m_pSave && m_strText.size() >= kPiece) {
        PassOn();
    }
}
