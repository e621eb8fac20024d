// Finding the turning axis of a drawing and turning the drawing onto it.
#include "exchange/TurningAxis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr double kTouch = 1e-6;  // drawing units: geometry this close to a line touches it
constexpr double kPi = std::numbers::pi;

// The box of a segment: an arc's includes the quarter points its sweep passes.
void Extend(const CDxfSegment& s, double box[4]) {
    auto add = [&](CPlanePoint p) {
        box[0] = std::min(box[0], p.z);
        box[1] = std::min(box[1], p.x);
        box[2] = std::max(box[2], p.z);
        box[3] = std::max(box[3], p.x);
    };
    add(s.m_a);
    add(s.m_b);
    if (!s.m_bArc) {
        return;
    }
    const double from = std::min(s.m_dStart, s.m_dStart + s.m_dSweep);
    const double to = std::max(s.m_dStart, s.m_dStart + s.m_dSweep);
    // A degenerate arc (no sweep, or angles a zero radius left undefined) adds only its ends.
    if (!std::isfinite(from) || !std::isfinite(to) || s.m_dSweep == 0.0) {
        return;
    }
    for (int k = static_cast<int>(std::ceil(from / (kPi / 2))); k * (kPi / 2) <= to && k < from / (kPi / 2) + 8;
         ++k) {
        add(s.At((k * (kPi / 2) - s.m_dStart) / s.m_dSweep));
    }
}

}  // namespace

CTurningAxis CTurningAxis::Find(const CDxfContent& content) {
    CTurningAxis axis;
    const CDxfContent::CAxisLine* best = nullptr;
    double longest = 0.0;
    for (const CDxfContent::CAxisLine& line : content.m_axisLines) {
        const double length = std::hypot(line.m_b.z - line.m_a.z, line.m_b.x - line.m_a.x);
        if (length > longest) {
            longest = length;
            best = &line;
        }
    }
    if (best) {
        axis.m_a = best->m_a;
        axis.m_b = best->m_b;
        // A horizontal line runs to the right, a vertical one upwards, whichever way it was drawn.
        const double dz = axis.m_b.z - axis.m_a.z;
        const double dx = axis.m_b.x - axis.m_a.x;
        if (dz < -kTouch || (std::fabs(dz) <= kTouch && dx < 0.0)) {
            std::swap(axis.m_a, axis.m_b);
        }
        axis.m_strWhy = "the " + best->m_strLinetype + " line on layer " + best->m_strLayer + ", " + axis.Orientation();
        return axis;
    }
    double box[4] = {HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (const CDxfSegment& s : content.m_segments) {
        Extend(s, box);
    }
    for (const CDxfContent::CCircle& c : content.m_circles) {
        box[0] = std::min(box[0], c.m_center.z - c.m_dRadius);
        box[1] = std::min(box[1], c.m_center.x - c.m_dRadius);
        box[2] = std::max(box[2], c.m_center.z + c.m_dRadius);
        box[3] = std::max(box[3], c.m_center.x + c.m_dRadius);
    }
    if (box[0] > box[2] || (box[1] <= kTouch && box[3] >= -kTouch)) {
        axis.m_strWhy = box[0] > box[2] ? "the DXF x axis" : "the DXF x axis, which the outline touches";
        return axis;
    }
    // Standing on the y axis: a stretch of the outline lies along it.
    const bool standing = std::any_of(content.m_segments.begin(), content.m_segments.end(), [](const CDxfSegment& s) {
        return !s.m_bArc && std::fabs(s.m_a.z) <= kTouch && std::fabs(s.m_b.z) <= kTouch && s.m_a.x != s.m_b.x;
    });
    if (standing) {
        axis.m_b = {0.0, 1.0};
        axis.m_strWhy = "the DXF y axis, which the outline stands on; vertical";
        return axis;
    }
    axis.m_strWhy = "the DXF x axis (no centre line, and the outline touches neither axis)";
    return axis;
}

bool CTurningAxis::Given(CPlanePoint a, CPlanePoint b, CTurningAxis& axis) {
    if (!(std::hypot(b.z - a.z, b.x - a.x) > 0.0) || !std::isfinite(a.z + a.x + b.z + b.x)) {
        return false;
    }
    axis.m_a = a;
    axis.m_b = b;
    char text[160];
    std::snprintf(text, sizeof text, "as given, from %g,%g to %g,%g", a.z, a.x, b.z, b.x);
    axis.m_strWhy = std::string(text) + ", " + axis.Orientation();
    return true;
}

CTurningAxis CTurningAxis::Flipped() const {
    // About its first point, so Z 0 stays where it was.
    CTurningAxis axis = *this;
    axis.m_b = {2.0 * m_a.z - m_b.z, 2.0 * m_a.x - m_b.x};
    return axis;
}

std::string CTurningAxis::Orientation() const {
    const double degrees = std::atan2(m_b.x - m_a.x, m_b.z - m_a.z) * 180.0 / kPi;
    const double folded = std::fabs(std::remainder(degrees, 180.0));
    if (folded < 1e-6) {
        return "horizontal";
    }
    if (std::fabs(folded - 90.0) < 1e-6) {
        return "vertical";
    }
    char text[48];
    std::snprintf(text, sizeof text, "at %.4g degrees", degrees);
    return text;
}

CPlanePoint CTurningAxis::Direction() const {
    const double length = std::hypot(m_b.z - m_a.z, m_b.x - m_a.x);
    return {(m_b.z - m_a.z) / length, (m_b.x - m_a.x) / length};
}

CPlanePoint CTurningAxis::InFrame(CPlanePoint u, CPlanePoint p) const {
    // z along u, x along u turned a quarter counter-clockwise: a rotation, so arcs keep their sense.
    const double dz = p.z - m_a.z;
    const double dx = p.x - m_a.x;
    return {dz * u.z + dx * u.x, dx * u.z - dz * u.x};
}

CPlanePoint CTurningAxis::ToFrame(CPlanePoint p) const {
    return InFrame(Direction(), p);
}

CPlanePoint CTurningAxis::FromFrame(CPlanePoint p) const {
    const CPlanePoint u = Direction();
    return {m_a.z + p.z * u.z - p.x * u.x, m_a.x + p.z * u.x + p.x * u.z};
}

void CTurningAxis::ToAxisFrame(CDxfContent& content) const {
    const CPlanePoint u = Direction();
    const double turn = std::atan2(u.x, u.z);
    const bool identity = m_a.z == 0.0 && m_a.x == 0.0 && u.z == 1.0 && u.x == 0.0;
    auto map = [&](CPlanePoint p) { return InFrame(u, p); };
    if (identity) {
        return;
    }
    for (CDxfSegment& s : content.m_segments) {
        s.m_a = map(s.m_a);
        s.m_b = map(s.m_b);
        if (s.m_bArc) {
            s.m_center = map(s.m_center);
            s.m_dStart -= turn;
        }
    }
    for (CDxfContent::CCircle& c : content.m_circles) {
        c.m_center = map(c.m_center);
    }
}
