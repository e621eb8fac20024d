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
// damaged index may move or drop it on the next load; those four bytes are left out. They follow
// the "Programs" tag after the active layer; every place that looks so is blanked, since a
// damaged file may carry the same bytes inside a string before the real one.
std::vector<uint8_t> WithoutActiveProgram(std::vector<uint8_t> bytes) {
    const std::string tail = std::string("\x0E") + "Aktualni Layer";
    const std::string programs = std::string("\x08") + "Programs";
    for (auto at = bytes.begin();
         (at = std::search(at, bytes.end(), tail.begin(), tail.end())) != bytes.end(); ++at) {
        const size_t tag = static_cast<size_t>(at - bytes.begin()) + tail.size() + 4;
        if (tag + programs.size() + 4 <= bytes.size() &&
            std::equal(programs.begin(), programs.end(), bytes.begin() + static_cast<long>(tag))) {
            std::fill_n(bytes.begin() + static_cast<long>(tag + programs.size()), 4, 0);
        }
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
