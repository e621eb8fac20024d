// Tag checks of the document file reader.
#include "document/ArchiveTags.h"

#include "platform/Archive.h"

std::string EscapeForMessage(const std::string& text) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E || byte == '\\') {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

void FailUnexpectedTag(CArchive& ar, const std::string& tag, size_t offset) {
    std::string shown = tag.size() > 40 ? EscapeForMessage(tag.substr(0, 40)) + "..." : EscapeForMessage(tag);
    ar.Fail("unexpected tag \"" + shown + "\" at byte " + std::to_string(offset), offset);
}

bool ReadExpectedTag(CArchive& ar, const std::string& expected) {
    const size_t offset = ar.GetOffset();
    const std::string tag = ar.ReadString();
    if (ar.Failed()) {
        return false;
    }
    if (tag != expected) {
        FailUnexpectedTag(ar, tag, offset);
        return false;
    }
    return true;
}

bool ReadRecordTag(CArchive& ar, const std::string& record, const std::string& end) {
    const size_t offset = ar.GetOffset();
    const std::string tag = ar.ReadString();
    if (ar.Failed() || tag == end) {
        return false;
    }
    if (tag != record) {
        FailUnexpectedTag(ar, tag, offset);
        return false;
    }
    return true;
}
