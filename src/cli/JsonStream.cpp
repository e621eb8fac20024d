// Writing JSON in the layout of a two-space dump, buffered, every write checked.
#include "cli/JsonStream.h"

#include <charconv>

namespace {

constexpr size_t kBufferSize = 1 << 16;

// Printable ASCII without quote or backslash: the library writes such a string as it stands.
bool NeedsNoEscape(const std::string& text) {
    for (const char c : text) {
        if (c < 0x20 || c > 0x7E || c == '"' || c == '\\') {
            return false;
        }
    }
    return true;
}

}  // namespace

void CJsonStream::String(const std::string& text) {
    if (NeedsNoEscape(text)) {
        Put('"');
        Put(text);
        Put('"');
    } else {
        Put(Json(text).dump());
    }
}

CJsonStream::~CJsonStream() {
    Flush();
}

void CJsonStream::Put(const char* text, size_t size) {
    m_strBuffer.append(text, size);
    if (m_strBuffer.size() >= kBufferSize) {
        Flush();
    }
}

void CJsonStream::Put(char c) {
    m_strBuffer += c;
    if (m_strBuffer.size() >= kBufferSize) {
        Flush();
    }
}

bool CJsonStream::Flush() {
    if (!m_strBuffer.empty() && !m_bFailed &&
        std::fwrite(m_strBuffer.data(), 1, m_strBuffer.size(), m_pOut) != m_strBuffer.size()) {
        m_bFailed = true;
    }
    m_strBuffer.clear();
    if (!m_bFailed && std::fflush(m_pOut) != 0) {
        m_bFailed = true;
    }
    return !m_bFailed;
}

void CJsonStream::Indent() {
    m_strBuffer.append(2 * m_levels.size(), ' ');
}

void CJsonStream::NextItem() {
    if (m_bAfterKey) {
        m_bAfterKey = false;
        return;
    }
    if (m_levels.empty()) {
        return;
    }
    CLevel& level = m_levels.back();
    Put(level.bEmpty ? "\n" : ",\n", level.bEmpty ? 1 : 2);
    level.bEmpty = false;
    Indent();
}

void CJsonStream::BeginObject() {
    NextItem();
    Put('{');
    m_levels.push_back({true, true});
}

void CJsonStream::BeginArray() {
    NextItem();
    Put('[');
    m_levels.push_back({false, true});
}

void CJsonStream::EndObject() {
    EndArray();
}

void CJsonStream::EndArray() {
    const CLevel level = m_levels.back();
    m_levels.pop_back();
    if (!level.bEmpty) {
        Put('\n');
        Indent();
    }
    Put(level.bObject ? '}' : ']');
}

void CJsonStream::Key(const std::string& key) {
    NextItem();
    String(key);
    Put(": ", 2);
    m_bAfterKey = true;
}

void CJsonStream::Value(const Json& value) {
    if (value.is_object()) {
        BeginObject();
        for (const auto& [key, member] : value.items()) {
            Key(key);
            Value(member);
        }
        EndObject();
        return;
    }
    if (value.is_array()) {
        BeginArray();
        for (const Json& item : value) {
            Value(item);
        }
        EndArray();
        return;
    }
    NextItem();
    // Whole numbers are the most common values; the library writes them as plain decimals too.
    char digits[24];
    std::to_chars_result r{};
    if (value.is_number_integer()) {
        r = value.is_number_unsigned() ? std::to_chars(digits, digits + sizeof digits, value.get<uint64_t>())
                                       : std::to_chars(digits, digits + sizeof digits, value.get<int64_t>());
        Put(digits, static_cast<size_t>(r.ptr - digits));
        return;
    }
    if (value.is_string()) {
        String(value.get_ref<const std::string&>());
        return;
    }
    Put(value.dump());
}
