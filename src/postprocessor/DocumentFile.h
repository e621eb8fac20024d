// CDocumentFile: drawing files read into complete documents with their program lists.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/DocServices.h"

class CKestrovelDoc;

// Opening hands out a document only when the whole file was read: a damaged file gives null and
// the reason, never a partly filled drawing.
class CDocumentFile {
public:
    static std::unique_ptr<CKestrovelDoc> Open(const std::string& path, const CDocServices& services,
                                               std::string& error);
    static std::unique_ptr<CKestrovelDoc> Read(std::vector<uint8_t> bytes, const CDocServices& services,
                                               std::string& error);
    // The bytes the document saves as.
    static std::vector<uint8_t> Write(CKestrovelDoc& doc);
};
