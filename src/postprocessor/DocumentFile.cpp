// Reading drawing files into new documents that carry a program list.
#include "postprocessor/DocumentFile.h"

#include "document/KestrovelDoc.h"
#include "platform/Archive.h"
#include "postprocessor/ProgramDocument.h"

std::unique_ptr<CKestrovelDoc> CDocumentFile::Open(const std::string& path, const CDocServices& services,
                                                   std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes, error)) {
        return nullptr;
    }
    return Read(std::move(bytes), services, error);
}

std::unique_ptr<CKestrovelDoc> CDocumentFile::Read(std::vector<uint8_t> bytes, const CDocServices& services,
                                                   std::string& error) {
    std::unique_ptr<CKestrovelDoc> doc = CProgramDocument::Create(services);
    CArchive ar(std::move(bytes));
    if (!doc->OnOpenDocument(ar)) {
        error = ar.GetError();
        return nullptr;
    }
    return doc;
}

std::vector<uint8_t> CDocumentFile::Write(CKestrovelDoc& doc) {
    CArchive ar;
    doc.Serialize(ar);
    return ar.GetBytes();
}
