// CRecoveryRecord: what a recovery file holds: the document's bytes and where they belong.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The file starts with a line naming the format, then fields "key length:value\n"; the length
// prefix lets paths and titles hold any byte. Unknown keys are skipped, so a later version may
// add fields; "document" is required.
struct CRecoveryRecord {
    std::string strOriginalPath;  // empty for a drawing never saved
    std::string strTitle;
    int64_t nSavedAt = 0;  // seconds since 1970 (UTC)
    std::vector<uint8_t> document;

    std::vector<uint8_t> Encode() const;
    // False with error set when the bytes are not a whole recovery record.
    static bool Decode(const std::vector<uint8_t>& bytes, CRecoveryRecord& record, std::string& error);
};
