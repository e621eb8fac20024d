// Fuzz target for the document-file reader: any bytes fail with a reason or load a drawing that
// saves, loads and saves again to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "document/KestrovelDoc.h"
#include "postprocessor/DocumentFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    auto doc = CDocumentFile::Read(std::vector<uint8_t>(data, data + size), {}, error);
    if (!doc) {
        if (error.empty()) {
            std::abort();
        }
        return 0;
    }
    const std::vector<uint8_t> saved = CDocumentFile::Write(*doc);
    auto again = CDocumentFile::Read(saved, {}, error);
    if (!again || CDocumentFile::Write(*again) != saved) {
        std::abort();
    }
    return 0;
}
