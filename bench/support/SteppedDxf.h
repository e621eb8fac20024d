// A stepped profile written as a DXF file by the exporter, for the import benchmarks.
#pragma once

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "exchange/DxfExport.h"

// count lines and arcs along lengthMm, stepping between radii baseMm and baseMm + 6, written to path.
inline void WriteSteppedProfile(const std::string& path, int count, double lengthMm, double baseMm) {
    std::vector<CDxfEntity> entities;
    const double step = lengthMm / count;
    for (int i = 0; i < count; ++i) {
        CDxfEntity e;
        e.m_strLayer = "0";
        const double z = i * step;
        const double x = baseMm + (i % 7);
        if (i % 2) {
            e.m_bArc = true;
            e.m_center = {z + step / 2, x - 0.5};
            e.m_dRadius = std::hypot(step / 2, 0.5);
            e.m_dStart = std::atan2(0.5, step / 2) * 180 / std::numbers::pi;
            e.m_dEnd = 180.0 - e.m_dStart;
        } else {
            e.m_a = {z, x};
            e.m_b = {z + step, x};
        }
        entities.push_back(e);
    }
    std::string error;
    CDxfExport::Write(entities, path, error);
}
