// The whole-number reader of the object bar.
#include "view/WholeNumberReader.h"

#include <limits>

int32_t ReadWholeNumber(const std::string& text, int32_t min, int32_t max) {
    const int32_t invalid = max < std::numeric_limits<int32_t>::max() ? max + 1 : max;
    int64_t value = 0;
    for (char c : text) {
        if (c == '.') {
            break;
        }
        if (c == ' ') {
            continue;
        }
        if (c < '0' || c > '9') {
            return invalid;
        }
        value = value * 10 + (c - '0');
        // More digits only make it larger: out of range is final.
        if (value > max) {
            return invalid;
        }
    }
    return value < min ? invalid : static_cast<int32_t>(value);
}
