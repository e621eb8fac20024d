// The shared rounding function and rectangle helpers.
#include "platform/Geometry.h"

#include <cmath>
#include <utility>

int32_t Round(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    const double r = std::floor(v + 0.5);
    if (r > kRoundLimit) {
        return kRoundLimit;
    }
    if (r < -kRoundLimit) {
        return -kRoundLimit;
    }
    return static_cast<int32_t>(r);
}

int32_t ClampPixel(int64_t v) {
    if (v > kPixelLimit) {
        return kPixelLimit;
    }
    if (v < -kPixelLimit) {
        return -kPixelLimit;
    }
    return static_cast<int32_t>(v);
}

void CRect::Normalize() {
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
}
