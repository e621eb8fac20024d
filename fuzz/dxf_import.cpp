// Fuzz target for the DXF importer: any bytes are refused with a reason or give pieces that
// ascend in Z and lie on or above the axis.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exchange/DxfImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CImportResult result;
    std::string error;
    if (!CDxfImport().Load(bytes, {}, result, error)) {
        if (error.empty()) {
            std::abort();
        }
        return 0;
    }
    int32_t last = INT32_MIN;
    for (const CImportPiece& p : result.m_pieces) {
        if (p.m_ptEnd.x <= p.m_ptStart.x || p.m_ptStart.x < last || p.m_ptStart.y < -1 || p.m_ptEnd.y < -1) {
            std::abort();
        }
        last = p.m_ptEnd.x;
    }
    return 0;
}
