// CArc editing through its handles and the object bar, and the move of the whole arc.
#include <algorithm>
#include <cmath>

#include "elements/Arc.h"
#include "elements/CircleMath.h"
#include "elements/Linear.h"
#include "elements/ObjectBarFiller.h"
#include "elements/ViewServices.h"
#include "platform/ControlIds.h"

using namespace circle_math;

// Which end an edit moves; the other end is the one kept or put back on the circle.
struct CArc::EndRole {
    bool bStart;
    CPoint& Moving(CArc& arc) const { return bStart ? arc.m_ptStart : arc.m_ptEnd; }
    CPoint& Other(CArc& arc) const { return bStart ? arc.m_ptEnd : arc.m_ptStart; }
    int LockZ() const { return bStart ? kLockStartZ : kLockEndZ; }
    int LockX() const { return bStart ? kLockStartX : kLockEndX; }
    int OtherLockZ() const { return bStart ? kLockEndZ : kLockStartZ; }
    int OtherLockX() const { return bStart ? kLockEndX : kLockStartX; }
};

namespace {
// Ends closer than this in Z leave no room for a usable arc.
constexpr int32_t kMinLength = 100;
constexpr int32_t kMinSlideLength = 1000;

bool Near(CPoint pixel, int px, int py, int tolerance) {
    if (tolerance <= 0) {
        return false;
    }
    const double dx = static_cast<double>(px) - pixel.x;
    const double dy = static_cast<double>(py) - pixel.y;
    return dx * dx + dy * dy < static_cast<double>(tolerance) * tolerance;
}
}  // namespace

void CArc::Revert() {
    m_ptStart = m_ptOldStart;
    m_ptEnd = m_ptOldEnd;
    m_ptCenter = m_ptOldCenter;
    m_ptMid = m_ptOldMid;
    m_nRadius = m_nOldRadius;
    m_dRadius = m_dOldRadius;
    m_dCenterX = m_dOldCenterX;
    m_dCenterY = m_dOldCenterY;
}

void CArc::SetStartKeepingArc(int32_t a, int32_t b, CMessages* messages) {
    if (a > m_ptEnd.x - kMinLength && m_ptEnd.x != 0) {
        a = m_ptEnd.x - kMinLength;
    }
    SetEndpointKeepingArc(EndRole{true}, a, b, messages);
}

void CArc::SetEndKeepingArc(int32_t a, int32_t b, CMessages* messages) {
    a = Clamp(std::max<int64_t>(a, static_cast<int64_t>(m_ptStart.x) + kMinLength));
    SetEndpointKeepingArc(EndRole{false}, a, b, messages);
}

void CArc::SetEndpointKeepingArc(const EndRole& role, int32_t a, int32_t b, CMessages* messages) {
    b = std::max(b, 0);
    if (GetLock(role.LockZ()) && GetLock(role.LockX())) {
        return;
    }
    SaveOld();
    // The exact centre follows the rounded one (what the bar shows) when they disagree; a
    // circle beyond the model range has no rounded centre to follow.
    if (!OutOfRange(m_dCenterX, m_dCenterY, m_dRadius) && m_ptCenter.x < kRoundLimit &&
        Round(m_dCenterX) != m_ptCenter.x) {
        m_dCenterX = m_ptCenter.x;
    }
    m_dOldCenterX = m_dCenterX;
    m_dOldCenterY = m_dCenterY;
    bool done = true;
    if (!m_bLockCenterX && !m_bLockCenterY) {
        done = KeepRadius(role, a, b, messages);
    } else if (!m_bLockRadius) {
        done = KeepCenter(role, a, b, messages);
    } else {
        done = SlideOnCircle(role, a);
    }
    // An edit never leaves the ends out of order.
    if (!done || m_ptStart.x >= m_ptEnd.x) {
        Revert();
    }
}

bool CArc::KeepRadius(const EndRole& role, int32_t a, int32_t b, CMessages* messages) {
    CPoint& moving = role.Moving(*this);
    if (!GetLock(role.LockZ())) {
        moving.x = a;
    }
    if (!GetLock(role.LockX())) {
        moving.y = b;
    }
    if (m_dRadius == 0.0) {
        m_ptMid = CPoint(Half(m_ptStart.x, m_ptEnd.x), Half(m_ptStart.y, m_ptEnd.y));
        return true;
    }
    if (!CenterAtRadius()) {
        return false;
    }
    ApplyOverflowGuard();
    FitToAxis(messages);
    ComputeMidPoint(true);
    return true;
}

bool CArc::CenterAtRadius() {
    const double z1 = m_ptStart.x, x1 = m_ptStart.y;
    const double w = static_cast<double>(m_ptEnd.x) - m_ptStart.x;
    const double u = static_cast<double>(m_ptEnd.y) - m_ptStart.y;
    if (w == 0.0) {
        return false;
    }
    const double mz = Half(m_ptStart.x, m_ptEnd.x), mx = Half(m_ptStart.y, m_ptEnd.y);
    // On the bisector cz = alpha + beta * cx; the distance to the start gives a quadratic in cx.
    const double alpha = (w * mz + u * mx) / w;
    const double beta = -u / w;
    const double f = beta * beta + 1;
    const double g = 2 * (beta * (alpha - z1) - x1);
    const double h = (alpha - z1) * (alpha - z1) + x1 * x1 - m_dRadius * m_dRadius;
    const double disc = g * g - 4 * f * h;
    if (!(disc >= 0)) {
        return false;
    }
    const double root = m_bCcw ? (-g - std::sqrt(disc)) / (2 * f) : (-g + std::sqrt(disc)) / (2 * f);
    m_dCenterY = root;
    m_dCenterX = alpha + beta * root;
    return std::isfinite(m_dCenterX) && std::isfinite(m_dCenterY);
}

bool CArc::KeepCenter(const EndRole& role, int32_t a, int32_t b, CMessages* messages) {
    if (GetLock(role.OtherLockZ()) && GetLock(role.OtherLockX())) {
        return true;
    }
    CPoint& moving = role.Moving(*this);
    CPoint& other = role.Other(*this);
    if (!GetLock(role.LockZ())) {
        moving.x = a;
    }
    if (!GetLock(role.LockX())) {
        moving.y = b;
    }
    const double cz = m_dCenterX, cx = m_dCenterY;
    const double radius = Dist(moving.x, moving.y, cz, cx);
    if (GetLock(role.OtherLockX())) {
        const double delta = radius * radius - (cx - other.y) * (cx - other.y);
        if (!(delta >= 0)) {
            return false;
        }
        other.x = other.x > cz ? Round(cz + std::sqrt(delta)) : Round(cz - std::sqrt(delta));
    } else {
        const double delta = radius * radius - (cz - other.x) * (cz - other.x);
        if (!(delta >= 0)) {
            return false;
        }
        other.y = m_bCcw ? Round(cx + std::sqrt(delta)) : Round(cx - std::sqrt(delta));
        if (other.y < 0) {
            return false;
        }
    }
    // Putting the other end back on the circle may carry it past the moving one.
    if (static_cast<int64_t>(m_ptEnd.x) - m_ptStart.x < kMinLength) {
        return false;
    }
    m_dRadius = radius;
    m_nRadius = Round(radius);
    FitToAxis(messages);
    UpdateMidPoint();
    return true;
}

bool CArc::SlideOnCircle(const EndRole& role, int32_t a) {
    if (GetLock(role.LockZ()) || GetLock(role.LockX())) {
        return true;
    }
    // A straight arc has no circle to slide on.
    if (m_dRadius == 0.0) {
        return false;
    }
    const CPoint other = role.Other(*this);
    if (role.bStart && a > other.x - kMinSlideLength && other.x != 0) {
        a = other.x - kMinSlideLength;
    } else if (!role.bStart) {
        a = Clamp(std::max<int64_t>(a, static_cast<int64_t>(other.x) + kMinSlideLength));
    }
    const double cz = m_dCenterX, cx = m_dCenterY, r = m_dRadius;
    CPoint& moving = role.Moving(*this);
    const double delta = r * r - (a - cz) * (a - cz);
    if (delta >= 0) {
        moving = CPoint(a, m_bCcw ? Round(cx + std::sqrt(delta)) : Round(cx - std::sqrt(delta)));
    } else {
        // Beyond the circle: its leftmost (start) or rightmost (end) point.
        moving = CPoint(role.bStart ? Round(cz - r) : Round(cz + r), Round(cx));
    }
    if (moving.y < 0) {
        const double delta2 = r * r - cx * cx;
        if (!(delta2 >= 0)) {
            return false;
        }
        moving = CPoint(a >= cz ? Round(cz + std::sqrt(delta2)) : Round(cz - std::sqrt(delta2)), 0);
    }
    // Sliding a lower arc past the bottom of a circle that dips below the axis would carry the
    // contour under it: the point stops where the circle meets the axis on the kept end's side.
    // A circle refitted tangent to the axis sits a rounding error below it and does not dip; the
    // test is the one Move uses, in model units.
    const bool inside = m_ptStart.x < cz && cz < m_ptEnd.x;
    if (!m_bCcw && inside && Round(cx - r) < 0) {
        const double root = std::sqrt(std::max(r * r - cx * cx, 0.0));
        moving = CPoint(role.bStart ? Round(cz + root) : Round(cz - root), 0);
        if (m_ptEnd.x - m_ptStart.x < kMinLength) {
            return false;
        }
    }
    UpdateMidPoint();
    return true;
}

void CArc::SetCenter(int32_t a, int32_t b, CMessages* messages) {
    SaveOld();
    const double u = static_cast<double>(m_ptEnd.y) - m_ptStart.y;
    const double w = static_cast<double>(m_ptEnd.x) - m_ptStart.x;
    if (u == 0.0 && w == 0.0) {
        return;
    }
    // A level chord's bisector is the vertical through its integer middle; any other bisector
    // runs through the exact middle, which an integer half would shift by half a unit.
    double cz = Half(m_ptStart.x, m_ptEnd.x), cx = b;
    if (u != 0.0) {
        const double mz = (static_cast<double>(m_ptStart.x) + m_ptEnd.x) / 2;
        const double mx = (static_cast<double>(m_ptStart.y) + m_ptEnd.y) / 2;
        // Foot of the perpendicular from (a, b) on the bisector through the chord's middle.
        const double t = ((a - mz) * -u + (b - mx) * w) / (u * u + w * w);
        cz = mz - t * u;
        cx = mx + t * w;
    }
    m_ptCenter = CPoint(Round(cz), Round(cx));
    m_dCenterX = m_ptCenter.x;
    m_dCenterY = m_ptCenter.y;
    m_dRadius = Dist(m_ptStart.x, m_ptStart.y, m_dCenterX, m_dCenterY);
    m_nRadius = Round(m_dRadius);
    FitToAxis(messages);
    UpdateMidPoint();
}

void CArc::SetMidPoint(int32_t a, int32_t b, CMessages* messages) {
    SaveOld();
    const CPoint p(a, b);
    if (b == CLinear::LineYAt(m_ptStart, m_ptEnd, a) || !CircleThrough(p)) {
        m_ptMid = m_ptOldMid = p;
        MakeStraight();
        return;
    }
    FitToAxis(messages);
    UpdateMidPoint();
}

void CArc::SetHandle(Handle which, int32_t z, int32_t x, CViewServices* view) {
    CMessages* messages = view ? view->GetMessages() : nullptr;
    CControlBar* bar = view ? view->GetObjectBar() : nullptr;
    const bool startOrEnd = which == &m_ptStart || which == &m_ptEnd;
    if (which == &m_ptStart) {
        m_bEdited[0] = m_bEdited[1] = 1;
        SetStartKeepingArc(std::max(z, 0), x, messages);
        if (bar) {
            bar->SetText(IDC_START_Z, view->FormatLength(m_ptStart.x));
            bar->SetText(IDC_START_X, view->FormatLengthField(IDC_START_X, m_ptStart.y));
        }
    } else if (which == &m_ptEnd) {
        m_bEdited[2] = m_bEdited[3] = 1;
        SetEndKeepingArc(view ? std::min(z, view->GetDrawingLength()) : z, x, messages);
        if (bar) {
            bar->SetText(IDC_END_Z, view->FormatLength(m_ptEnd.x));
            bar->SetText(IDC_END_X, view->FormatLengthField(IDC_END_X, m_ptEnd.y));
        }
    } else if (which == &m_ptCenter) {
        SetEdited(kEditedCenterZ, 1);
        SetEdited(kEditedCenterX, 1);
        SetCenter(z, x, messages);
    } else if (which == &m_ptMid) {
        SetEdited(kEditedMidZ, 1);
        SetEdited(kEditedMidX, 1);
        SetMidPoint(z, x, messages);
    } else {
        return;
    }
    UpdateBounds();
    WriteCircleFields(view, startOrEnd);
}

void CArc::WriteCircleFields(CViewServices* view, bool startOrEnd) {
    CControlBar* bar = view ? view->GetObjectBar() : nullptr;
    if (!bar) {
        return;
    }
    if (!startOrEnd || m_dCenterX != m_dOldCenterX) {
        bar->SetText(IDC_STEER_I, view->FormatLength(Round(m_dCenterX)));
    }
    if (!startOrEnd || m_dCenterY != m_dOldCenterY) {
        bar->SetText(IDC_STEER_J, view->FormatLengthField(IDC_STEER_J, Round(m_dCenterY)));
    }
    if (m_dRadius != m_dOldRadius) {
        bar->SetText(IDC_RADIUS, view->FormatLength(Round(m_dRadius)));
    }
}

void CArc::ReadPropertyBar(CViewServices* view) {
    if (!view) {
        return;
    }
    CPoint start = m_ptStart, end = m_ptEnd, center = m_ptCenter;
    const auto read = [view](bool edited, int id, int32_t& target) {
        view->ReadEditedLength(edited, id, target);
    };
    read(m_bEdited[0], IDC_START_Z, start.x);
    read(m_bEdited[1], IDC_START_X, start.y);
    read(m_bEdited[2], IDC_END_Z, end.x);
    read(m_bEdited[3], IDC_END_X, end.y);
    read(IsEdited(kEditedCenterZ) || IsEdited(kEditedMidZ), IDC_STEER_I, center.x);
    read(IsEdited(kEditedCenterX) || IsEdited(kEditedMidX), IDC_STEER_J, center.y);
    CMessages* messages = view->GetMessages();
    SetStartKeepingArc(start.x, start.y, messages);
    SetEndKeepingArc(end.x, end.y, messages);
    SetCenter(center.x, center.y, messages);
    UpdateBounds();
}

void CArc::FillPropertyBar(CViewServices* view) {
    CObjectBarFiller::FillPoints(view, m_ptStart, m_ptEnd);
    if (CControlBar* bar = view ? view->GetObjectBar() : nullptr) {
        bar->SetText(IDC_STEER_I, view->FormatLength(Round(m_dCenterX)));
        bar->SetText(IDC_STEER_J, view->FormatLengthField(IDC_STEER_J, Round(m_dCenterY)));
        bar->SetText(IDC_RADIUS, view->FormatLength(Round(m_dRadius)));
    }
    CObjectBarFiller::SelectType(view, CObjectBarFiller::kTypeArc);
    CObjectBarFiller::FillLocks(view, *this, 7);
    CObjectBarFiller::FillAttributes(view, *this);
}

void CArc::ShiftZ(int64_t dz) {
    m_ptStart.x = Add(m_ptStart.x, dz);
    m_ptEnd.x = Add(m_ptEnd.x, dz);
    m_ptMid.x = Add(m_ptMid.x, dz);
    m_dCenterX += static_cast<double>(dz);
    if (!OutOfRange(m_dCenterX, m_dCenterY, m_dRadius)) {
        m_ptCenter.x = Round(m_dCenterX);
    }
}

void CArc::ShiftX(int64_t dx) {
    m_ptStart.y = Add(m_ptStart.y, dx);
    m_ptEnd.y = Add(m_ptEnd.y, dx);
    m_ptMid.y = Add(m_ptMid.y, dx);
    m_dCenterY += static_cast<double>(dx);
    if (!OutOfRange(m_dCenterX, m_dCenterY, m_dRadius)) {
        m_ptCenter.y = Round(m_dCenterY);
    }
}

void CArc::Move(int32_t dz, int32_t dx, CViewServices* view) {
    const bool axial = !m_bLockStartX && !m_bLockEndX && !m_bLockCenterX;
    const bool radial = !m_bLockStartY && !m_bLockEndY && !m_bLockCenterY;
    if (!axial && !radial) {
        return;
    }
    // Saved once, so that the old members hold the position before the whole move.
    SaveOld();
    if (axial) {
        ShiftZ(dz);
        if (m_ptStart.x < 0) {
            ShiftZ(-static_cast<int64_t>(m_ptStart.x));
        }
        if (view && m_ptEnd.x > view->GetDrawingLength()) {
            ShiftZ(static_cast<int64_t>(view->GetDrawingLength()) - m_ptEnd.x);
        }
    }
    if (radial) {
        ShiftX(dx);
        const int32_t low = std::min(m_ptStart.y, m_ptEnd.y);
        if (low < 0) {
            ShiftX(-static_cast<int64_t>(low));
        }
        const bool inside = m_ptStart.x < m_dCenterX && m_dCenterX < m_ptEnd.x;
        if (!m_bCcw && !IsStraight() && inside && m_dCenterY - m_dRadius < 0) {
            const int64_t lift = -static_cast<int64_t>(Round(m_dCenterY - m_dRadius));
            m_ptStart.y = Add(m_ptStart.y, lift);
            m_ptEnd.y = Add(m_ptEnd.y, lift);
            m_ptMid.y = Add(m_ptMid.y, lift);
            m_dCenterY = m_dRadius;
            m_ptCenter.y = Round(m_dRadius);
        }
    }
}

CPoint CArc::GetHandle(Handle which) const {
    for (const CPoint* p : {&m_ptStart, &m_ptEnd, &m_ptCenter, &m_ptMid}) {
        if (which == p) {
            return *p;
        }
    }
    return {};
}

Handle CArc::HitTestHandle(int px, int py, CViewServices* view, int tolerance) const {
    if (!view) {
        return nullptr;
    }
    for (const CPoint* p : {&m_ptStart, &m_ptEnd, &m_ptCenter, &m_ptMid}) {
        // A straight arc shows no centre handle, so none can be picked there.
        if (p == &m_ptCenter && IsStraight()) {
            continue;
        }
        if (Near(view->ModelToScreen(*p), px, py, tolerance)) {
            return p;
        }
    }
    return nullptr;
}
