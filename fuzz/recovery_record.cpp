// Fuzz target for the recovery-file reader: any bytes fail with a reason or give a record that
// encodes and decodes to itself.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/RecoveryRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    CRecoveryRecord record;
    std::string error;
    if (!CRecoveryRecord::Decode(bytes, record, error)) {
        if (error.empty()) {
            std::abort();
        }
        return 0;
    }
    CRecoveryRecord again;
    if (!CRecoveryRecord::Decode(record.Encode(), again, error) || again.document != record.document ||
        again.strOriginalPath != record.strOriginalPath || again.strTitle != record.strTitle ||
        again.nSavedAt != record.nSavedAt) {
        std::abort();
    }
    return 0;
}
