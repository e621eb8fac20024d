// Small numeric helpers shared by the circular elements: safe truncation, clamped sums, sides.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/Geometry.h"

namespace circle_math {

// Conversion toward zero, clamped like the rounding function; NaN gives 0.
inline int32_t Truncate(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    if (v > kRoundLimit) {
        return kRoundLimit;
    }
    if (v < -kRoundLimit) {
        return -kRoundLimit;
    }
    return static_cast<int32_t>(v);
}

// A model coordinate from a 64-bit intermediate, clamped to the model range.
inline int32_t Clamp(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, -kRoundLimit, kRoundLimit)); }

inline int32_t Add(int32_t a, int64_t b) { return Clamp(static_cast<int64_t>(a) + b); }

// Integer half of a + b without overflow.
inline int32_t Half(int32_t a, int32_t b) { return static_cast<int32_t>((static_cast<int64_t>(a) + b) / 2); }

// Which side of the directed chord s->e point q lies on: positive to the left.
inline double Side(CPoint s, CPoint e, CPoint q) {
    return (static_cast<double>(s.y) - e.y) * (static_cast<double>(q.x) - s.x) +
           (static_cast<double>(e.x) - s.x) * (static_cast<double>(q.y) - s.y);
}

inline double Dist(double z1, double x1, double z2, double x2) { return std::hypot(z1 - z2, x1 - x2); }

// A circle whose centre or radius leaves the model range cannot be held in model units.
inline bool OutOfRange(double cz, double cx, double r) {
    if (!std::isfinite(cz) || !std::isfinite(cx) || !std::isfinite(r)) {
        return true;
    }
    return std::fabs(cz) > kRoundLimit || std::fabs(cx) > kRoundLimit || r > kRoundLimit;
}

}  // namespace circle_math
