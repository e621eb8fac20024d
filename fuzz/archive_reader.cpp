// Fuzz target for the document-file reader: any bytes fail with a reason or load a drawing that
// saves, loads and saves again to the same bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "document/KestrovelDoc.h"
#include "postprocessor/DocumentFile.h"

namespace {

// The active program is stored by its own index but found again by its list position, so a
// damaged index may move or drop it on the next load; those four bytes are left out.
std::vector<uint8_t> WithoutActiveProgram(std::vector<uint8_t> bytes) {
    const std::string tail = std::string("\x0E") + "Aktualni Layer";
    const auto at = std::search(bytes.begin(), bytes.end(), tail.begin(), tail.end());
    const size_t programs = static_cast<size_t>(at - bytes.begin()) + tail.size() + 4;
    if (at != bytes.end() && programs + 13 <= bytes.size() && bytes[programs] == 8) {
        std::fill_n(bytes.begin() + static_cast<long>(programs + 9), 4, 0);
    }
    return bytes;
}

}  // namespace

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
    if (!again || WithoutActiveProgram(CDocumentFile::Write(*again)) != WithoutActiveProgram(saved)) {
        std::abort();
    }
    return 0;
}
