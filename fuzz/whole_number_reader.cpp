// Fuzzes the reader of typed velocity and feed values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "view/WholeNumberReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    // The bar's range 0...99999, or a small one that long texts overrun at once.
    const int32_t min = data[0] % 2 ? 0 : data[1] % 10;
    const int32_t max = data[0] % 2 ? 99999 : min + data[1] % 50;
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    const int32_t value = ReadWholeNumber(text, min, max);
    if (!IsInvalidWholeNumber(value, max) && (value < min || value > max)) {
        std::abort();
    }
    return 0;
}
