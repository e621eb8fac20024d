// CDoubleArc geometry: the recomputation of its two circles, queries, transformations and record.
#include "elements/DoubleArc.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "elements/Arc.h"
#include "elements/CircleMath.h"
#include "elements/Linear.h"
#include "platform/Messages.h"

using namespace circle_math;

namespace {
constexpr double kHalfPi = CDoubleArc::kPi / 2;
// The direction point keeps at least this distance from the start.
constexpr int32_t kMinDirection = 1000;

// Inclination of the chord p->q against the axis, 0...pi/2; a chord of no length is level.
double Inclination(CPoint p, CPoint q) {
    const double len = Dist(p.x, p.y, q.x, q.y);
    if (len == 0.0) {
        return 0.0;
    }
    return std::acos(std::clamp(std::fabs(static_cast<double>(q.x) - p.x) / len, 0.0, 1.0));
}

// The same, signed like the start tangent: positive when q lies above p.
double SignedInclination(CPoint p, CPoint q) {
    const double a = Inclination(p, q);
    return q.y >= p.y ? a : -a;
}

// Intersection of a1*z + b1*x = c1 and a2*z + b2*x = c2; false for parallel lines.
bool Intersect(double a1, double b1, double c1, double a2, double b2, double c2, double& z, double& x) {
    const double det = a1 * b2 - a2 * b1;
    if (det == 0.0 || !std::isfinite(det)) {
        return false;
    }
    z = (c1 * b2 - c2 * b1) / det;
    x = (a1 * c2 - a2 * c1) / det;
    return std::isfinite(z) && std::isfinite(x);
}

// The perpendicular bisector of p and q (through the middle with integer halves) as a line.
void Bisector(CPoint p, CPoint q, double& a, double& b, double& c) {
    a = static_cast<double>(q.x) - p.x;
    b = static_cast<double>(q.y) - p.y;
    c = a * Half(p.x, q.x) + b * Half(p.y, q.y);
}

// The centre lies strictly right of the chord p->q: the arc is the upper part of its circle.
int UpperFromCentre(CPoint p, CPoint q, double cz, double cx) {
    const double side =
        (static_cast<double>(p.y) - q.y) * (cz - p.x) + (static_cast<double>(q.x) - p.x) * (cx - p.y);
    return side < 0 ? 1 : 0;
}
}  // namespace

CDoubleArc::CDoubleArc(CPoint start, CPoint junction, CPoint end, CPoint direction, CMessages* messages) {
    m_ptStart = m_ptOldStart = start;
    m_ptEnd = m_ptOldEnd = end;
    m_ptJunction = m_ptOldJunction = junction;
    m_ptDirection = m_ptOldDirection = direction;
    Recompute(messages);
    UpdateBounds();
}

CDoubleArc::CCircle CDoubleArc::Circle(int part) const {
    return part == 1 ? CCircle{m_dRadius1, m_dCenter1Z, m_dCenter1X, m_bUpper1}
                     : CCircle{m_dRadius2, m_dCenter2Z, m_dCenter2X, m_bUpper2};
}

void CDoubleArc::SetCircle(int part, const CCircle& c) {
    if (part == 1) {
        m_dRadius1 = c.dRadius, m_dCenter1Z = c.dCenterZ, m_dCenter1X = c.dCenterX, m_bUpper1 = c.bUpper;
    } else {
        m_dRadius2 = c.dRadius, m_dCenter2Z = c.dCenterZ, m_dCenter2X = c.dCenterX, m_bUpper2 = c.bUpper;
    }
}

void CDoubleArc::SaveOld() {
    m_ptOldStart = m_ptStart;
    m_ptOldEnd = m_ptEnd;
    m_ptOldJunction = m_ptJunction;
    m_ptOldDirection = m_ptDirection;
    m_dOldRadius1 = m_dRadius1, m_dOldCenter1Z = m_dCenter1Z, m_dOldCenter1X = m_dCenter1X;
    m_dOldRadius2 = m_dRadius2, m_dOldCenter2Z = m_dCenter2Z, m_dOldCenter2X = m_dCenter2X;
}

int CDoubleArc::RecalcFromStart(int32_t z, int32_t x, CMessages* messages) {
    if (z > m_ptJunction.x - 100 && m_ptJunction.x != 0) {
        z = m_ptJunction.x - 100;
    }
    x = std::max(x, 0);
    if (m_bLockStartX && m_bLockStartY) {
        return 0;
    }
    if (m_bLockStartX) {
        z = m_ptStart.x;
    }
    if (m_bLockStartY) {
        x = m_ptStart.y;
    }
    SaveOld();
    m_ptStart = CPoint(z, x);
    if (m_ptDirection.x > z) {
        // A start moved left past the direction point: the same line through the start, seen
        // from its left side.
        m_ptDirection = CPoint(Clamp(2 * static_cast<int64_t>(z) - m_ptDirection.x),
                               Clamp(2 * static_cast<int64_t>(x) - m_ptDirection.y));
    }
    Recompute(messages);
    return 1;
}

void CDoubleArc::Recompute(CMessages* messages) {
    ComputeWindow(messages, true);
    ComputeCentres(ApplyTangent());
}

void CDoubleArc::ComputeWindow(CMessages* messages, bool correct) {
    // Inclinations are signed like the start tangent: positive where the curve rises toward
    // larger Z. An arc's chord is inclined by the mean of the tangents at its ends, so with the
    // start tangent t the first arc reaches M at 2a - t and the second reaches E at 2b - 2a + t;
    // both parts stay functions of Z while t and these two lie within +-pi/2.
    const double a = SignedInclination(m_ptStart, m_ptJunction);
    const double b = SignedInclination(m_ptJunction, m_ptEnd);
    double lower = std::max({-kHalfPi, 2 * a - kHalfPi, 2 * a - 2 * b - kHalfPi});
    double upper = std::min({kHalfPi, 2 * a + kHalfPi, 2 * a - 2 * b + kHalfPi});
    if (lower > upper) {
        // A crest (or trough) sharper than a right angle at M leaves no start tangent. On the
        // circle over S-E the angle at M is a right one, and the only tangent is the vertical.
        const bool crest = a > b;
        if (CorrectJunction(crest ? "Diskriminat nula" : "Diskriminant zaporny", correct ? messages : nullptr,
                            correct)) {
            lower = upper = crest ? kHalfPi : -kHalfPi;
        }
    }
    m_dMinAngle = lower;
    m_dMaxAngle = upper;
}

bool CDoubleArc::CorrectJunction(const char* text, CMessages* messages, bool apply) {
    const CPoint s = m_ptStart, e = m_ptEnd;
    const double u = Half(s.x, e.x), w = Half(s.y, e.y);
    const double mz = m_ptJunction.x;
    const double b = 2 * w;
    const double c = (mz - u) * (mz - u) + w * w - (u - s.x) * (u - s.x) - (w - s.y) * (w - s.y);
    const double delta = b * b - 4 * c;
    if (!(delta >= 0)) {
        if (apply && messages) {
            messages->MessageBox(text, "Error", MessageIcon::None, MessageButtons::OkCancel);
        }
        return false;
    }
    if (apply) {
        const double y1 = (b + std::sqrt(delta)) / 2, y2 = (b - std::sqrt(delta)) / 2;
        const int64_t d1 = std::llabs(static_cast<int64_t>(Truncate(y1 - m_ptJunction.y)));
        const int64_t d2 = std::llabs(static_cast<int64_t>(Truncate(y2 - m_ptJunction.y)));
        m_ptJunction.y = d1 < d2 ? Round(y1) : Round(y2);
    }
    return true;
}

double CDoubleArc::ApplyTangent() {
    const double dz = static_cast<double>(m_ptStart.x) - m_ptDirection.x;
    const double dx = static_cast<double>(m_ptStart.y) - m_ptDirection.y;
    const double t = std::atan2(dx, std::fabs(dz));
    // An empty window (a junction that could not be corrected) still yields a tangent that
    // leaves the start forward.
    const double limited = std::clamp(std::max(std::min(t, m_dMaxAngle), m_dMinAngle), -kHalfPi, kHalfPi);
    if (limited != t) {
        PlaceDirection(limited, std::max({std::fabs(dz), std::fabs(dx), static_cast<double>(kMinDirection)}));
    }
    // The limit itself, not the whole-unit point near it: a point close to S would tilt the
    // tangent past the window by up to half a unit over its distance.
    return limited;
}

void CDoubleArc::PlaceDirection(double angle, double reach) {
    // On the tangent line left of S, as far from S in Z or in X as reach, whichever is the
    // larger: a level tangent keeps D one reach left, a steep one keeps it one reach below or
    // above instead of far outside the drawing.
    const double cz = std::cos(angle), cx = std::sin(angle);
    const double scale = reach / std::max(std::fabs(cz), std::fabs(cx));
    m_ptDirection.x = Clamp(static_cast<int64_t>(m_ptStart.x) - Round(cz * scale));
    m_ptDirection.y = Clamp(static_cast<int64_t>(m_ptStart.y) - Round(cx * scale));
}

double CDoubleArc::StartTangent() const {
    const CCircle c = Circle(1);
    if (c.dRadius == 0.0) {
        return SignedInclination(m_ptStart, m_ptJunction);
    }
    // Toward larger Z the radius turns clockwise on an upper arc and counter-clockwise on a
    // lower one; a tangent pointing backward is held at the vertical.
    const double rz = m_ptStart.x - c.dCenterZ, rx = m_ptStart.y - c.dCenterX;
    const double tz = c.bUpper ? rx : -rx, tx = c.bUpper ? -rz : rz;
    return std::atan2(tx, std::max(tz, 0.0));
}

void CDoubleArc::ComputeCentres(double tangent) {
    const CPoint s = m_ptStart, m = m_ptJunction, e = m_ptEnd;
    double a1 = 0, b1 = 0, c1 = 0, a2 = 0, b2 = 0, c2 = 0;
    // The first centre: on the normal of the start tangent at S, and on the bisector of S and M.
    a1 = std::cos(tangent);
    b1 = std::sin(tangent);
    c1 = a1 * s.x + b1 * s.y;
    Bisector(s, m, a2, b2, c2);
    double z = 0, x = 0;
    // A circle the model range cannot hold is a straight part, as for an arc; a tangent along
    // the chord, exact but for a rounding error, gives one.
    const auto circular = [&](CPoint p) {
        return Intersect(a1, b1, c1, a2, b2, c2, z, x) && !OutOfRange(z, x, Dist(z, x, p.x, p.y));
    };
    if (circular(s)) {
        SetCircle(1, CCircle{Dist(z, x, s.x, s.y), z, x, UpperFromCentre(s, m, z, x)});
        // The second centre lies on the line through the first centre and M (shared tangent).
        a1 = -(static_cast<double>(m.y) - x);
        b1 = static_cast<double>(m.x) - z;
    } else {
        SetCircle(1, CCircle{0.0, 0.0, 0.0, m_bUpper1});
        // A straight first part: the normal at M is perpendicular to the chord S-M.
        a1 = static_cast<double>(m.x) - s.x;
        b1 = static_cast<double>(m.y) - s.y;
    }
    c1 = a1 * m.x + b1 * m.y;
    Bisector(m, e, a2, b2, c2);
    if (circular(e)) {
        SetCircle(2, CCircle{Dist(z, x, e.x, e.y), z, x, UpperFromCentre(m, e, z, x)});
    } else {
        SetCircle(2, CCircle{0.0, 0.0, 0.0, m_bUpper2});
    }
}

void CDoubleArc::ResetDirection() {
    const int64_t dz = (static_cast<int64_t>(m_ptEnd.x) - m_ptStart.x) / 10;
    PlaceDirection(StartTangent(), static_cast<double>(std::max<int64_t>(dz, kMinDirection)));
}

int32_t CDoubleArc::GetYAt(int32_t z) const {
    if (z < m_ptStart.x || z > m_ptEnd.x) {
        return -1;
    }
    if (z == m_ptStart.x) {
        return m_ptStart.y;
    }
    if (z == m_ptJunction.x) {
        return m_ptJunction.y;
    }
    if (z == m_ptEnd.x) {
        return m_ptEnd.y;
    }
    const bool first = z < m_ptJunction.x;
    const CPoint p = first ? m_ptStart : m_ptJunction, q = first ? m_ptJunction : m_ptEnd;
    const CCircle c = Circle(first ? 1 : 2);
    if (c.dRadius == 0.0) {
        return CLinear::LineYAt(p, q, z);
    }
    const double b = -2 * c.dCenterX;
    const double k = (z - c.dCenterZ) * (z - c.dCenterZ) + c.dCenterX * c.dCenterX - c.dRadius * c.dRadius;
    const double delta = b * b - 4 * k;
    if (!(delta >= 0)) {
        return 0;
    }
    return Round(c.bUpper ? (-b + std::sqrt(delta)) / 2 : (-b - std::sqrt(delta)) / 2);
}

double CDoubleArc::GetSlopeAt(int32_t z) const {
    if (z < m_ptStart.x || z > m_ptEnd.x) {
        return kNoSlope;
    }
    const bool first = z <= m_ptJunction.x;
    const CCircle c = Circle(first ? 1 : 2);
    if (c.dRadius == 0.0) {
        // A straight part answers in the same convention: minus its dX/dZ.
        const CPoint p = first ? m_ptStart : m_ptJunction, q = first ? m_ptJunction : m_ptEnd;
        if (q.x == p.x) {
            return kNoSlope;
        }
        return -(static_cast<double>(q.y) - p.y) / (static_cast<double>(q.x) - p.x);
    }
    const double x = GetYAt(z);
    if (c.dCenterX == x) {
        return kNoSlope;
    }
    return (c.dCenterZ - z) / (c.dCenterX - x);
}

int32_t CDoubleArc::GetMaxY() const {
    int32_t best = std::max({m_ptStart.y, m_ptJunction.y, m_ptEnd.y});
    for (int part = 1; part <= 2; ++part) {
        const CCircle c = Circle(part);
        const int32_t lo = part == 1 ? m_ptStart.x : m_ptJunction.x,
                      hi = part == 1 ? m_ptJunction.x : m_ptEnd.x;
        if (c.dRadius != 0.0 && c.bUpper && lo < c.dCenterZ && c.dCenterZ < hi) {
            best = std::max(best, GetYAt(Round(c.dCenterZ)));
        }
    }
    return best;
}

int32_t CDoubleArc::GetMinY() const {
    int32_t best = std::min({m_ptStart.y, m_ptJunction.y, m_ptEnd.y});
    for (int part = 1; part <= 2; ++part) {
        const CCircle c = Circle(part);
        const int32_t lo = part == 1 ? m_ptStart.x : m_ptJunction.x,
                      hi = part == 1 ? m_ptJunction.x : m_ptEnd.x;
        if (c.dRadius != 0.0 && !c.bUpper && lo < c.dCenterZ && c.dCenterZ < hi) {
            best = std::min(best, GetYAt(Round(c.dCenterZ)));
        }
    }
    return best;
}

void CDoubleArc::UpdateBounds() {
    // The junction counts too: a crest between two arcs can be the highest point.
    int32_t top = std::max({m_ptStart.y, m_ptEnd.y, m_ptJunction.y});
    for (int part = 1; part <= 2; ++part) {
        const CCircle c = Circle(part);
        const int32_t lo = part == 1 ? m_ptStart.x : m_ptJunction.x,
                      hi = part == 1 ? m_ptJunction.x : m_ptEnd.x;
        if (c.dRadius != 0.0 && c.bUpper && lo < c.dCenterZ && c.dCenterZ < hi) {
            top = std::max(top, Round(c.dCenterX + c.dRadius));
        }
    }
    SetBoundsUpTo(top);
}

int CDoubleArc::SetStart(int32_t z, int32_t x) {
    return RecalcFromStart(z, x, nullptr);
}

int CDoubleArc::SetEnd(int32_t z, int32_t x) {
    if (MoveEnd(z, x)) {
        Recompute(nullptr);
    }
    UpdateBounds();
    return 1;
}

int CDoubleArc::GetLock(int index) const {
    if (const int* lock = EndLock(index)) {
        return *lock;
    }
    switch (index) {
        case 4:  // the object bar's "I=" box
        case kLockJunctionZ: return m_bLockJunctionZ;
        case 5:  // the object bar's "J=" box
        case kLockJunctionX: return m_bLockJunctionX;
        case kLockDirection: return m_bLockDirection;
        default: return 0;
    }
}

void CDoubleArc::SetLock(int index, int flag) {
    if (int* lock = EndLock(index)) {
        *lock = flag;
        return;
    }
    switch (index) {
        case 4:
        case kLockJunctionZ: m_bLockJunctionZ = flag; break;
        case 5:
        case kLockJunctionX: m_bLockJunctionX = flag; break;
        case kLockDirection: m_bLockDirection = flag; break;
        default: break;
    }
}

void CDoubleArc::SetEdited(int index, int flag) {
    if (index >= 0 && index < 4) {
        m_bEdited[index] = flag;
    } else if (index == kEditedJunctionZ || index == kEditedJunctionX) {
        m_bEditedJunction[index - kEditedJunctionZ] = flag;
    } else if (index == kEditedDirectionZ || index == kEditedDirectionX) {
        m_bEditedDirection[index - kEditedDirectionZ] = flag;
    }
}

int CDoubleArc::IsEdited(int index) const {
    if (index >= 0 && index < 4) {
        return m_bEdited[index];
    }
    if (index == kEditedJunctionZ || index == kEditedJunctionX) {
        return m_bEditedJunction[index - kEditedJunctionZ];
    }
    if (index == kEditedDirectionZ || index == kEditedDirectionX) {
        return m_bEditedDirection[index - kEditedDirectionZ];
    }
    return 0;
}

void CDoubleArc::ClearEdited() {
    std::fill(std::begin(m_bEdited), std::end(m_bEdited), 0);
    m_bEditedJunction[0] = m_bEditedJunction[1] = 0;
    m_bEditedDirection[0] = m_bEditedDirection[1] = 0;
}

void CDoubleArc::CollapseOnto(int part, int32_t zFrom, int32_t zTo) {
    const CCircle c = Circle(part);
    const int32_t zm = Half(zFrom, zTo);
    m_ptJunction = CPoint(zm, GetYAt(zm));
    SetCircle(part == 1 ? 2 : 1, c);
}

void CDoubleArc::CutStartAt(int32_t z, CViewServices*) {
    const CPoint start(z, GetYAt(z));
    if (z >= m_ptJunction.x) {
        CollapseOnto(2, z, m_ptEnd.x);
    }
    m_ptStart = start;
    // The direction handle is limited by the window of the shape it now belongs to.
    ComputeWindow(nullptr, false);
    ResetDirection();
}

void CDoubleArc::CutEndAt(int32_t z, CViewServices*) {
    const CPoint end(z, GetYAt(z));
    if (z <= m_ptJunction.x) {
        CollapseOnto(1, m_ptStart.x, z);
    }
    m_ptEnd = end;
    ComputeWindow(nullptr, false);
}

std::unique_ptr<CPiece> CDoubleArc::CreatePart(int32_t z1, int32_t z2) const {
    return CutCopy(*this, z1, z2);
}

std::unique_ptr<CPiece> CDoubleArc::Clone() const {
    return std::make_unique<CDoubleArc>(*this);
}

void CDoubleArc::Turn(CViewServices*) {
    SaveOld();
    const int64_t span = static_cast<int64_t>(m_ptStart.x) + m_ptEnd.x;
    std::swap(m_ptStart.y, m_ptEnd.y);
    m_ptJunction.x = Clamp(span - m_ptJunction.x);
    CCircle first = Circle(2), second = Circle(1);
    first.dCenterZ = static_cast<double>(span) - first.dCenterZ;
    second.dCenterZ = static_cast<double>(span) - second.dCenterZ;
    // Each circle keeps its own half: the upper flags travel with the circles.
    SetCircle(1, first);
    SetCircle(2, second);
    ComputeWindow(nullptr, false);
    ResetDirection();
}

void CDoubleArc::Mirror(CViewServices* view) {
    Turn(view);
}

void CDoubleArc::MirrorAt(int32_t a) {
    SaveOld();
    const int64_t twice = 2 * static_cast<int64_t>(a);
    const CPoint start(Clamp(twice - m_ptEnd.x), m_ptEnd.y);
    const CPoint end(Clamp(twice - m_ptStart.x), m_ptStart.y);
    m_ptStart = start;
    m_ptEnd = end;
    m_ptJunction.x = Clamp(twice - m_ptJunction.x);
    CCircle first = Circle(2), second = Circle(1);
    first.dCenterZ = static_cast<double>(twice) - first.dCenterZ;
    second.dCenterZ = static_cast<double>(twice) - second.dCenterZ;
    SetCircle(1, first);
    SetCircle(2, second);
    ComputeWindow(nullptr, false);
    // The reflected direction point would lie right of the new end; it goes back to the start.
    ResetDirection();
}

std::string CDoubleArc::GetLabel() const {
    char buf[96];
    std::snprintf(buf, sizeof buf, "DoubleArc %d (%d, %d)", m_nNumber, m_ptStart.x / 100000,
                  m_ptEnd.x / 100000);
    return buf;
}

double CDoubleArc::GetValue(const std::string& name, int relative, int centreRelative, int forward) const {
    if (name == "EndZ" || name == "EndX") {
        return CLinear(m_ptStart, m_ptEnd).GetValue(name, relative, centreRelative, forward);
    }
    if (name == "Speed") {
        return m_nSpeed >= 0 ? static_cast<double>(m_nSpeed) : kEmptyValue;
    }
    if (name == "Feed") {
        return m_nFeed >= 0 ? static_cast<double>(m_nFeed) : kEmptyValue;
    }
    return kNoValue;
}

double CDoubleArc::GetValueAtX(const std::string& name, int32_t step, int forward, int atPoint,
                               int32_t z) const {
    if (name == "EndZ" && atPoint) {
        return static_cast<double>(z / 10000);
    }
    if (name == "EndX") {
        const int32_t at = atPoint ? z : forward ? Add(z, step) : Add(z, -static_cast<int64_t>(step));
        return static_cast<double>(GetYAt(at) / 10000);
    }
    return kNoValue;
}

std::unique_ptr<CArc> CDoubleArc::MakePart(int index) const {
    if (index != 1 && index != 2) {
        return nullptr;
    }
    const bool first = index == 1;
    const CCircle c = Circle(index);
    auto arc = std::make_unique<CArc>();
    arc->m_nLeave = m_nLeave;
    arc->SetCenterPoint(CPoint(Round(c.dCenterZ), Round(c.dCenterX)));
    arc->SetStart(first ? m_ptStart.x : m_ptJunction.x, first ? m_ptStart.y : m_ptJunction.y);
    arc->m_nFeed = m_nFeed;
    arc->m_nNumber = m_nNumber;
    arc->m_ptOldStart = first ? m_ptOldStart : m_ptOldJunction;
    arc->m_ptOldEnd = first ? m_ptOldJunction : m_ptOldEnd;
    arc->m_nSpeed = m_nSpeed;
    arc->SetRadius(Round(c.dRadius));
    arc->SetEnd(first ? m_ptJunction.x : m_ptEnd.x, first ? m_ptJunction.y : m_ptEnd.y);
    arc->SetCircle(c.dCenterZ, c.dCenterX, c.dRadius);
    arc->SetLock(kLockStartZ, first ? m_bLockStartX : m_bLockJunctionZ);
    arc->SetLock(kLockStartX, first ? m_bLockStartY : m_bLockJunctionX);
    arc->SetLock(kLockEndZ, first ? m_bLockJunctionZ : m_bLockEndX);
    arc->SetLock(kLockEndX, first ? m_bLockJunctionX : m_bLockEndY);
    arc->SetLock(kLockRadius, m_bLockDirection);
    // A circle the model range cannot hold leaves the part straight, as for any arc.
    if (c.dRadius != 0.0) {
        arc->ApplyOverflowGuard();
    }
    arc->UpdateDirection();
    arc->UpdateMidPoint();
    arc->UpdateBounds();
    return arc;
}

std::unique_ptr<CPiece> CDoubleArc::GetPart(int index) const {
    return MakePart(index);
}

void CDoubleArc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString("DOUBLEARC");
    }
    std::string tag = "Zacatek DoubleArcu";
    ar.String(tag);
    SerializeLocks(ar);
    ar.Int(m_bLockJunctionZ);
    ar.Int(m_bLockJunctionX);
    ar.Int(m_bLockDirection);
    ar.Int(m_bUpper1);
    ar.Int(m_bUpper2);
    SerializeCommon(ar);
    ar.Double(m_dRadius1);
    ar.Double(m_dCenter1Z);
    ar.Double(m_dCenter1X);
    ar.Double(m_dRadius2);
    ar.Double(m_dCenter2Z);
    ar.Double(m_dCenter2X);
    ar.Point(m_ptDirection);
    ar.Point(m_ptJunction);
    tag = "Konec DoubleArcu";
    ar.String(tag);
    if (ar.IsLoading()) {
        for (int part = 1; part <= 2; ++part) {
            const CCircle c = Circle(part);
            if (!std::isfinite(c.dRadius) || !std::isfinite(c.dCenterZ) || !std::isfinite(c.dCenterX)) {
                SetCircle(part, CCircle{0.0, 0.0, 0.0, c.bUpper});
            }
        }
        ClearEdited();
        ComputeWindow(nullptr, false);
        SaveOld();
        UpdateBounds();
    }
}
