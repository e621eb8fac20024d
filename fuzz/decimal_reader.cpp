// Fuzzes the readers of typed numbers: the decimal reader and the object-bar length field.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "elements/ViewServices.h"
#include "platform/ControlIds.h"
#include "platform/MemoryControlBar.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const int units = data[0] % 4;  // 3 is outside the table on purpose
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    const double value = CViewServices::ReadDecimal(text);
    if (std::isnan(value) || value < 0.0) {
        std::abort();
    }

    CMemoryControlBar bar;
    CViewServices view;
    view.SetObjectBar(&bar);
    view.SetUnits(units);
    bar.SetText(IDC_END_X, text);
    const int32_t length = view.ReadLengthField(IDC_END_X);
    if (value == CViewServices::kInvalidDecimal ? length != 1 : (length < 0 || length > 2000000000)) {
        std::abort();
    }
    // What was read must show as text again without trouble.
    view.SetFormatDigit(data[0] % 5);
    (void)view.FormatLength(length);
    return 0;
}
