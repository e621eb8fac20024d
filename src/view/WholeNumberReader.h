// ReadWholeNumber: the object bar's reader of typed velocity and feed values.
#pragma once

#include <cstdint>
#include <string>

// Digits accumulate from the start, spaces are skipped and a "." ends the number (the rest is
// not looked at); any other character, or a value outside min...max, is invalid. An invalid
// text answers max + 1. Long digit strings cannot overflow: once past max the value stays invalid.
int32_t ReadWholeNumber(const std::string& text, int32_t min, int32_t max);

// True when a result of ReadWholeNumber with that max marks an invalid text.
inline bool IsInvalidWholeNumber(int32_t value, int32_t max) {
    return value == max + 1;
}
