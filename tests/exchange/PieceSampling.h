// Points along an imported piece, for comparing it with the curve it follows.
#pragma once

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "exchange/ProfileExtraction.h"

// Points along an imported piece (mm): ends, and for an arc points of its circle between them.
inline std::vector<std::pair<double, double>> Along(const CImportPiece& p) {
    std::vector<std::pair<double, double>> out;
    if (!p.m_bArc) {
        for (int i = 0; i <= 8; ++i) {
            out.emplace_back((p.m_ptStart.x + (p.m_ptEnd.x - p.m_ptStart.x) * i / 8.0) / 1e4,
                             (p.m_ptStart.y + (p.m_ptEnd.y - p.m_ptStart.y) * i / 8.0) / 1e4);
        }
        return out;
    }
    const double cz = p.m_dCenterZ / 1e4, cx = p.m_dCenterX / 1e4, r = p.m_dRadius / 1e4;
    auto angle = [&](CPoint q) { return std::atan2(q.y / 1e4 - cx, q.x / 1e4 - cz); };
    const double a0 = angle(p.m_ptStart), am = angle(p.m_ptMid), a1 = angle(p.m_ptEnd);
    auto ccw = [](double from, double to) { return std::remainder(to - from - std::numbers::pi, 2 * std::numbers::pi) + std::numbers::pi; };
    const double sweep = ccw(a0, am) <= ccw(a0, a1) ? ccw(a0, a1) : ccw(a0, a1) - 2 * std::numbers::pi;
    for (int i = 0; i <= 16; ++i) {
        const double a = a0 + sweep * i / 16.0;
        out.emplace_back(cz + r * std::cos(a), cx + r * std::sin(a));
    }
    return out;
}

