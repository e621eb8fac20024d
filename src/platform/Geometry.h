// Model-unit value types, the shared rounding function and the sentinel values.
#pragma once

#include <cstdint>

// Post-processor sentinels: no such value, value known but empty, no slope.
constexpr double kNoValue = 2000000.0;
constexpr double kEmptyValue = 1000000.0;
constexpr double kNoSlope = 1.7e308;

// Limits of the rounding function and of pixel coordinates handed to a surface.
constexpr int32_t kRoundLimit = 2000000000;
constexpr int32_t kPixelLimit = 32000;

struct CPoint {
    int32_t x = 0;
    int32_t y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(int32_t px, int32_t py) : x(px), y(py) {}
    constexpr bool operator==(const CPoint&) const = default;
};

struct CSize {
    int32_t cx = 0;
    int32_t cy = 0;
    constexpr bool operator==(const CSize&) const = default;
};

struct CRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    constexpr CRect() = default;
    constexpr CRect(int32_t l, int32_t t, int32_t r, int32_t b) : left(l), top(t), right(r), bottom(b) {}
    constexpr bool operator==(const CRect&) const = default;
    constexpr int32_t Width() const { return right - left; }
    constexpr int32_t Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    // Swaps edges so that left <= right and top <= bottom.
    void Normalize();
};

// floor(v + 0.5), clamped to +-2 000 000 000; NaN gives 0.
int32_t Round(double v);

// Clamps a pixel coordinate to the range a surface accepts (+-32000).
int32_t ClampPixel(int64_t v);

// Colour as a dword: red in the low byte, then green, then blue.
using COLORREF = uint32_t;
constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }
