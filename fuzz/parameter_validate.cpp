// Fuzz target: validation of typed parameter text against a specification.
#include <cstddef>
#include <cstdint>
#include <string>

#include "postprocessor/Parameter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The first line is the specification, the rest the typed text.
    const size_t lf = input.find('\n');
    const std::string spec = lf == std::string::npos ? std::string() : input.substr(0, lf);
    const std::string text = lf == std::string::npos ? input : input.substr(lf + 1);
    CParameter parameter("fuzz", "K", 0, 0, spec);
    if (parameter.ValidateText(text, nullptr)) {
        (void)parameter.FormatStoredValue();
    }
    (void)CParameter::FromDefinition(input);
    (void)CParameter::ParseDefault(input);
    return 0;
}
