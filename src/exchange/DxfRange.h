// CDxfRange: whether what a DXF file drew fits the model's coordinates once scaled.
#pragma once

#include <string>

#include "exchange/DxfSegment.h"

class CDxfRange {
public:
    // Millimetres from the model's origin that a coordinate may reach (model units are whole
    // numbers of 1/10000 mm held in 32 bits, with room left for the sentinels).
    static constexpr double kReachMm = 200000.0;

    // Empty when every segment and circle, scaled by scale (mm per drawing unit) and moved by
    // origin (mm), lies within kReachMm; otherwise one line saying how far the drawing reaches.
    static std::string Check(const CDxfContent& content, double scale, CPlanePoint origin);
};
