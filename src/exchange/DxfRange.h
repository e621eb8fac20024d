// CDxfRange: whether what a DXF file drew fits the model's coordinates once scaled.
#pragma once

#include <cstddef>
#include <string>

#include "exchange/DxfSegment.h"

class CDxfRange {
public:
    // Millimetres from the model's origin that a coordinate may reach (model units are whole
    // numbers of 1/10000 mm held in 32 bits, with room left for the sentinels).
    static constexpr double kReachMm = 200000.0;
    // Segments and circles an import reads, and pieces it inserts: far more than any turned
    // profile has, and bounds for the memory and time a huge file may take.
    static constexpr size_t kMaxSegments = 1000000;
    static constexpr size_t kMaxPieces = 200000;

    // Empty when every segment and circle, scaled by scale (mm per drawing unit) and moved by
    // origin (mm), lies within kReachMm, and there are no more than kMaxSegments of them;
    // otherwise one line saying what is too far or too many.
    static std::string Check(const CDxfContent& content, double scale, CPlanePoint origin);
    // Empty when the pieces are no more than kMaxPieces; otherwise one line saying so.
    static std::string CheckPieces(size_t pieces);
};
