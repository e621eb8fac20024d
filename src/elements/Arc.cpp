// CArc construction, circle fitting, geometric queries, transformations, values and the record.
#include "elements/Arc.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "elements/CircleMath.h"
#include "elements/Linear.h"
#include "platform/Messages.h"

using namespace circle_math;

CArc::CArc(const CArc& other) : CPiece(other) { CopyFrom(other); }

CArc& CArc::operator=(const CArc& other) {
    if (this != &other) {
        CPiece::operator=(other);
        CopyFrom(other);
    }
    return *this;
}

void CArc::CopyFrom(const CArc& other) {
    m_dRadius = other.m_dRadius;
    m_dCenterY = other.m_dCenterY;
    m_dCenterX = other.m_dCenterX;
    m_dOldRadius = other.m_dOldRadius;
    m_dOldCenterY = other.m_dOldCenterY;
    m_dOldCenterX = other.m_dOldCenterX;
    m_nOldRadius = other.m_nOldRadius;
    m_ptOldMid = other.m_ptOldMid;
    m_ptOldCenter = other.m_ptOldCenter;
    m_ptCenter = other.m_ptCenter;
    m_bCcw = other.m_bCcw;
    m_bLockCenterY = other.m_bLockCenterY;
    m_bLockCenterX = other.m_bLockCenterX;
    m_bLockRadius = other.m_bLockRadius;
    m_ptMid = other.m_ptMid;
    m_nRadius = other.m_nRadius;
    ClearEdited();
}

CArc::CArc(const CPiece& src, CMessages* messages) {
    m_ptStart = src.GetStart();
    m_ptEnd = src.GetEnd();
    m_ptOldStart = src.GetOldStart();
    m_ptOldEnd = src.GetOldEnd();
    m_nSpeed = src.m_nSpeed;
    m_nFeed = src.m_nFeed;
    m_nLeave = src.m_nLeave;
    for (int i = 0; i <= kLockRadius; ++i) {
        SetLock(i, src.GetLock(i));
    }
    ClearEdited();
    const int32_t zm = Half(m_ptStart.x, m_ptEnd.x);
    const CPoint p(zm, src.GetYAt(zm));
    if (p.y == CLinear::LineYAt(m_ptStart, m_ptEnd, zm) || !CircleThrough(p)) {
        m_ptMid = m_ptOldMid = p;
        MakeStraight();
        m_nOldRadius = 0;
        m_dOldRadius = 0.0;
    } else {
        m_ptOldCenter = m_ptCenter;
        m_dOldRadius = m_dRadius;
        m_dOldCenterX = m_dCenterX;
        m_dOldCenterY = m_dCenterY;
        FitToAxis(messages);
        UpdateMidPoint();
    }
    UpdateBounds();
}

CArc::CArc(CPoint start, CPoint end, CPoint through, CMessages* messages) {
    m_ptStart = m_ptOldStart = start;
    m_ptEnd = m_ptOldEnd = end;
    ClearEdited();
    SetMidPoint(through.x, through.y, messages);
    UpdateBounds();
}

void CArc::MakeStraight() {
    m_nRadius = 0;
    m_dRadius = 0.0;
}

void CArc::ApplyOverflowGuard() {
    if (!std::isfinite(m_dCenterX) || !std::isfinite(m_dCenterY) || !std::isfinite(m_dRadius)) {
        // A failed computation must not leave garbage: the arc falls back to its chord.
        m_dCenterX = m_dCenterY = 0.0;
        m_ptCenter = CPoint();
        MakeStraight();
        return;
    }
    if (OutOfRange(m_dCenterX, m_dCenterY, m_dRadius)) {
        m_nRadius = 0;
        m_ptCenter = CPoint();
        return;
    }
    m_nRadius = Round(m_dRadius);
    m_ptCenter = CPoint(Round(m_dCenterX), Round(m_dCenterY));
}

void CArc::SaveOld() {
    m_ptOldStart = m_ptStart;
    m_ptOldEnd = m_ptEnd;
    m_ptOldCenter = m_ptCenter;
    m_ptOldMid = m_ptMid;
    m_nOldRadius = m_nRadius;
    m_dOldRadius = m_dRadius;
    m_dOldCenterX = m_dCenterX;
    m_dOldCenterY = m_dCenterY;
}

bool CArc::CircleThrough(CPoint p) {
    const double z1 = m_ptStart.x, x1 = m_ptStart.y, z2 = m_ptEnd.x, x2 = m_ptEnd.y;
    const double z3 = p.x, x3 = p.y;
    const double a = z2 - z1, b = x2 - x1, c = z3 - z1, d = x3 - x1;
    const double pp = (z1 + z2) * a + (x1 + x2) * b;
    const double q = (z1 + z3) * c + (x1 + x3) * d;
    const double det = 2.0 * (a * (x3 - x2) - b * (z3 - z2));
    if (det == 0.0) {
        MakeStraight();
        return false;
    }
    m_dCenterX = (d * pp - b * q) / det;
    m_dCenterY = (a * q - c * pp) / det;
    m_dRadius = Dist(m_dCenterX, m_dCenterY, z1, x1);
    ApplyOverflowGuard();
    m_bCcw = Side(m_ptStart, m_ptEnd, p) >= 0 ? 1 : 0;
    return true;
}

void CArc::FitToAxis(CMessages* messages) {
    const int32_t z1 = m_ptStart.x, x1 = m_ptStart.y, z2 = m_ptEnd.x, x2 = m_ptEnd.y;
    const bool upper = m_bCcw != 0;
    const double m = upper ? std::min(x1, x2) : std::max(x1, x2);
    // A vertical chord has no bisector that crosses a given height.
    if (z2 != z1 && (upper ? m < m_dCenterY : m > m_dCenterY)) {
        const double mz = Half(z1, z2), mx = Half(x1, x2);
        const double w = static_cast<double>(z2) - z1, u = static_cast<double>(x2) - x1;
        const double k = -(w * mz + u * mx);
        m_dCenterY = m;
        m_dCenterX = (-u * m_dCenterY - k) / w;
        m_dRadius = Dist(m_dCenterX, m_dCenterY, z1, x1);
        ApplyOverflowGuard();
    }
    if (upper || IsStraight() || !(z1 < m_dCenterX && m_dCenterX < z2) || m_dCenterY - m_dRadius >= 0) {
        return;
    }
    const double half = (static_cast<double>(z1) + z2 + 0.5) / 2;
    int32_t zt = 0;
    if (x1 != x2) {
        const double e = (static_cast<double>(z1) * (x1 - static_cast<double>(x2)) +
                          static_cast<double>(x1) * (z2 - static_cast<double>(z1))) /
                         (x1 - static_cast<double>(x2));
        const double d1 = std::hypot(e - z1, static_cast<double>(x1));
        const double d2 = std::hypot(e - z2, static_cast<double>(x2));
        const double t = std::sqrt(d1 * d2);
        const double ztd = z2 >= e ? e + t : e - t;
        if (!(ztd >= z1 && ztd <= z2)) {
            if (messages) {
                messages->MessageBox("Spatne urceni dotykoveho bodu", "Chyba", MessageIcon::None,
                                     MessageButtons::Ok);
            }
            zt = Round(half);
        } else {
            zt = Truncate(ztd);
        }
    } else {
        zt = Round(half);
    }
    // The refitted arc passes through the touch point, so it takes that point's side; the
    // stored mid point may be stale here (a fresh conversion, or a mid point being dragged).
    const CPoint touch(zt, 0);
    if (!CircleThrough(touch)) {
        m_ptOldMid = m_ptMid;
    }
}

void CArc::ComputeMidPoint(bool rounded) {
    const double z1 = m_ptStart.x, x1 = m_ptStart.y, z2 = m_ptEnd.x, x2 = m_ptEnd.y;
    if (IsStraight() || m_dRadius == 0.0) {
        // A straight arc has no circle to meet: its mid point is the chord's middle.
        m_ptMid = CPoint(Half(m_ptStart.x, m_ptEnd.x), Half(m_ptStart.y, m_ptEnd.y));
        return;
    }
    const double u = x2 - x1, w = z2 - z1;
    if (w == 0.0) {
        return;
    }
    const double cz = m_dCenterX, cx = m_dCenterY, r = m_dRadius;
    const double delta = -(w * cz + u * cx);
    const double f = u * u / (w * w) + 1;
    const double g = 2 * u * delta / (w * w) + 2 * u * cz / w - 2 * cx;
    const double h = cx * cx + cz * cz + delta * delta / (w * w) + 2 * cz * delta / w - r * r;
    const double disc = g * g - 4 * f * h;
    if (!(disc >= 0)) {
        m_ptMid = CPoint();
        return;
    }
    const double x = m_bCcw ? (-g + std::sqrt(disc)) / (2 * f) : (-g - std::sqrt(disc)) / (2 * f);
    const double z = -(delta + u * x) / w;
    if (!std::isfinite(x) || !std::isfinite(z)) {
        return;
    }
    m_ptMid = rounded ? CPoint(Round(z), Round(x)) : CPoint(Truncate(z), Truncate(x));
}

void CArc::UpdateMidPoint() { ComputeMidPoint(false); }

void CArc::UpdateDirection() {
    const double side = (static_cast<double>(m_ptStart.y) - m_ptEnd.y) * (m_dCenterX - m_ptStart.x) +
                        (static_cast<double>(m_ptEnd.x) - m_ptStart.x) * (m_dCenterY - m_ptStart.y);
    m_bCcw = side < 0 ? 1 : 0;
}

int32_t CArc::GetYAt(int32_t z) const {
    if (z < m_ptStart.x || z > m_ptEnd.x) {
        return -1;
    }
    if (z == m_ptStart.x) {
        return m_ptStart.y;
    }
    if (z == m_ptEnd.x) {
        return m_ptEnd.y;
    }
    if (IsStraight()) {
        return CLinear::LineYAt(m_ptStart, m_ptEnd, z);
    }
    const double b = -2.0 * m_ptCenter.y;
    const double dz = z - m_dCenterX;
    const double k = dz * dz + m_dCenterY * m_dCenterY - m_dRadius * m_dRadius;
    const double disc = b * b - 4 * k;
    if (!(disc >= 0)) {
        return 0;
    }
    return Round(m_bCcw ? (-b + std::sqrt(disc)) / 2 : (-b - std::sqrt(disc)) / 2);
}

double CArc::GetStartSlope() const {
    if (m_ptStart.y == m_ptCenter.y) {
        return kNoSlope;
    }
    return (static_cast<double>(m_ptCenter.x) - m_ptStart.x) / (static_cast<double>(m_ptCenter.y) - m_ptStart.y);
}

double CArc::GetEndSlope() const {
    if (m_ptEnd.y == m_ptCenter.y) {
        return kNoSlope;
    }
    return (static_cast<double>(m_ptEnd.x) - m_ptCenter.x) / (static_cast<double>(m_ptEnd.y) - m_ptCenter.y);
}

double CArc::GetSlopeAt(int32_t z) const {
    if (z < m_ptStart.x || z > m_ptEnd.x) {
        return kNoSlope;
    }
    const int32_t y = GetYAt(z);
    if (y == m_ptCenter.y) {
        return kNoSlope;
    }
    return (static_cast<double>(m_ptCenter.x) - z) / (static_cast<double>(m_ptCenter.y) - y);
}

int32_t CArc::GetMaxY() const {
    if (m_bCcw && !IsStraight() && m_ptStart.x < m_dCenterX && m_dCenterX < m_ptEnd.x) {
        return GetYAt(Round(m_dCenterX));
    }
    return std::max(m_ptStart.y, m_ptEnd.y);
}

int32_t CArc::GetMinY() const {
    if (!m_bCcw && !IsStraight() && m_ptStart.x < m_dCenterX && m_dCenterX < m_ptEnd.x) {
        return GetYAt(Round(m_dCenterX));
    }
    return std::min(m_ptStart.y, m_ptEnd.y);
}

void CArc::UpdateBounds() {
    int32_t top = std::max(m_ptStart.y, m_ptEnd.y);
    if (m_bCcw && !IsStraight() && m_ptStart.x < m_dCenterX && m_dCenterX < m_ptEnd.x) {
        top = Round(m_dCenterY + m_dRadius);
    }
    SetBoundsUpTo(top);
}

int CArc::SetStart(int32_t z, int32_t x) {
    if (z > m_ptEnd.x - 100 && m_ptEnd.x != 0) {
        z = m_ptEnd.x - 100;
    }
    m_ptOldStart = m_ptStart;
    m_ptStart = CPoint(z, std::max(x, 0));
    return 1;
}

int CArc::SetEnd(int32_t z, int32_t x) {
    z = static_cast<int32_t>(std::max<int64_t>(z, static_cast<int64_t>(m_ptStart.x) + 100));
    m_ptOldEnd = m_ptEnd;
    m_ptEnd = CPoint(z, std::max(x, 0));
    return 1;
}

void CArc::SetCenterPoint(CPoint center) {
    m_ptOldCenter = m_ptCenter;
    m_ptCenter = center;
    m_dCenterX = center.x;
    m_dCenterY = center.y;
}

void CArc::SetMid(CPoint mid) {
    m_ptOldMid = m_ptMid;
    m_ptMid = mid;
}

void CArc::SetCircle(double centerZ, double centerX, double radius) {
    m_dCenterX = centerZ;
    m_dCenterY = centerX;
    m_dRadius = radius;
}

int CArc::GetLock(int index) const {
    if (const int* lock = EndLock(index)) {
        return *lock;
    }
    switch (index) {
        case kLockCenterZ: return m_bLockCenterX;
        case kLockCenterX: return m_bLockCenterY;
        case kLockRadius: return m_bLockRadius;
        default: return 0;
    }
}

void CArc::SetLock(int index, int flag) {
    if (int* lock = EndLock(index)) {
        *lock = flag;
        return;
    }
    switch (index) {
        case kLockCenterZ: m_bLockCenterX = flag; break;
        case kLockCenterX: m_bLockCenterY = flag; break;
        case kLockRadius: m_bLockRadius = flag; break;
        default: break;
    }
}

void CArc::SetEdited(int index, int flag) {
    if (index >= 0 && index < 4) {
        m_bEdited[index] = flag;
    } else if (index >= 4 && index <= 8) {
        m_bEditedArc[index - 4] = flag;
    }
}

int CArc::IsEdited(int index) const {
    if (index >= 0 && index < 4) {
        return m_bEdited[index];
    }
    return index >= 4 && index <= 8 ? m_bEditedArc[index - 4] : 0;
}

void CArc::ClearEdited() {
    std::fill(std::begin(m_bEdited), std::end(m_bEdited), 0);
    std::fill(std::begin(m_bEditedArc), std::end(m_bEditedArc), 0);
}

void CArc::CutStartAt(int32_t z, CViewServices*) {
    m_ptStart = CPoint(z, GetYAt(z));
    UpdateMidPoint();
}

void CArc::CutEndAt(int32_t z, CViewServices*) {
    m_ptEnd = CPoint(z, GetYAt(z));
    UpdateMidPoint();
}

std::unique_ptr<CPiece> CArc::CreatePart(int32_t z1, int32_t z2) const {
    return CutCopy(*this, z1, z2);
}

std::unique_ptr<CPiece> CArc::Clone() const { return std::make_unique<CArc>(*this); }

void CArc::Turn(CViewServices*) {
    const int64_t span = static_cast<int64_t>(m_ptStart.x) + m_ptEnd.x;
    std::swap(m_ptStart.y, m_ptEnd.y);
    m_dCenterX = static_cast<double>(span) - m_dCenterX;
    m_ptCenter.x = Round(m_dCenterX);
    m_ptMid.x = Clamp(span - m_ptMid.x);
}

void CArc::Mirror(CViewServices* view) { Turn(view); }

void CArc::MirrorAt(int32_t a) {
    m_ptOldStart = m_ptStart;
    m_ptOldEnd = m_ptEnd;
    m_ptOldCenter = m_ptCenter;
    m_ptOldMid = m_ptMid;
    m_dOldCenterX = m_dCenterX;
    const int64_t twice = 2 * static_cast<int64_t>(a);
    const CPoint start(Clamp(twice - m_ptEnd.x), m_ptEnd.y);
    const CPoint end(Clamp(twice - m_ptStart.x), m_ptStart.y);
    m_ptStart = start;
    m_ptEnd = end;
    m_ptCenter.x = Clamp(twice - m_ptCenter.x);
    m_dCenterX = static_cast<double>(twice) - m_dCenterX;
    m_ptMid.x = Clamp(twice - m_ptMid.x);
}

std::string CArc::GetLabel() const {
    char buf[96];
    std::snprintf(buf, sizeof buf, "Arc %d (%d, %d)", m_nNumber, m_ptStart.x / 100000, m_ptEnd.x / 100000);
    return buf;
}

double CArc::GetValue(const std::string& name, int relative, int centreRelative, int forward) const {
    if (name == "EndZ" || name == "EndX") {
        const CLinear chord(m_ptStart, m_ptEnd);
        return chord.GetValue(name, relative, centreRelative, forward);
    }
    if (name == "CtrI") {
        if (!centreRelative) {
            return m_dCenterX / 10000;
        }
        return (m_dCenterX - (forward ? m_ptStart.x : m_ptEnd.x)) / 10000;
    }
    if (name == "CtrJ") {
        // Both centre words follow the centre-relative flag: a controller takes I and K either
        // both absolute or both from the arc's start, whatever mode its end points are in.
        if (!centreRelative) {
            return m_dCenterY / 10000;
        }
        return (m_dCenterY - (forward ? m_ptStart.y : m_ptEnd.y)) / 10000;
    }
    if (name == "Rad") {
        // In millimetres like every other value a macro receives; a straight arc has no radius
        // word, so its R is left out.
        return m_nRadius != 0 ? m_nRadius / 10000.0 : kEmptyValue;
    }
    if (name == "Speed") {
        return m_nSpeed >= 0 ? static_cast<double>(m_nSpeed) : kEmptyValue;
    }
    if (name == "Feed") {
        return m_nFeed >= 0 ? static_cast<double>(m_nFeed) : kEmptyValue;
    }
    return kNoValue;
}

double CArc::GetValueAtX(const std::string& name, int32_t step, int forward, int atPoint, int32_t z) const {
    if (name == "EndZ" && atPoint) {
        return static_cast<double>(z / 10000);
    }
    if (name == "EndX") {
        if (atPoint) {
            return static_cast<double>(GetYAt(z) / 10000);
        }
        const int32_t at = forward ? Add(z, step) : Add(z, -static_cast<int64_t>(step));
        return static_cast<double>(GetYAt(at) / 10000);
    }
    return kNoValue;
}

void CArc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString("ARC");
    }
    std::string tag = "Zacatek Arcu";
    ar.String(tag);
    SerializeLocks(ar);
    ar.Int(m_bLockCenterX);
    ar.Int(m_bLockCenterY);
    ar.Int(m_bLockRadius);
    ar.Int(m_bCcw);
    SerializeCommon(ar);
    ar.Point(m_ptCenter);
    ar.Point(m_ptMid);
    ar.Coordinate(m_nRadius);
    ar.Double(m_dRadius);
    ar.Double(m_dCenterX);
    ar.Double(m_dCenterY);
    tag = "Konec Arcu";
    ar.String(tag);
    if (ar.IsLoading()) {
        if (!std::isfinite(m_dCenterX) || !std::isfinite(m_dCenterY) || !std::isfinite(m_dRadius)) {
            ApplyOverflowGuard();
        }
        ClearEdited();
        SaveOld();
        UpdateBounds();
    }
}
