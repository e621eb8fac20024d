// Tag checks of the document file reader.
#include "document/ArchiveTags.h"

#include "platform/Archive.h"

void FailUnexpectedTag(CArchive& ar, const std::string& tag, size_t offset) {
    std::string shown = tag.size() > 40 ? tag.substr(0, 40) + "..." : tag;
    ar.Fail("unexpected tag \"" + shown + "\" at byte " + std::to_string(offset));
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
