// CLinear geometry, editing and post-processor values.
#include "elements/Linear.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "elements/ObjectBarFiller.h"
#include "elements/ViewServices.h"
#include "platform/ControlIds.h"

CLinear::CLinear(CPoint start, CPoint end) {
    m_ptStart = start;
    m_ptEnd = end;
    ClearEdited();
}

CLinear::CLinear(const CPiece& src) {
    m_ptStart = src.GetStart();
    m_ptEnd = src.GetEnd();
    m_ptOldStart = m_ptStart;
    m_ptOldEnd = m_ptEnd;
    m_nSpeed = src.m_nSpeed;
    m_nFeed = src.m_nFeed;
    m_nLeave = src.m_nLeave;
    for (int i = 0; i < 4; ++i) {
        SetLock(i, src.GetLock(i));
    }
    ClearEdited();
}

int32_t CLinear::LineYAt(CPoint a, CPoint b, int32_t x) {
    if (x < a.x || x > b.x) {
        return -1;
    }
    if (x == a.x) {
        return a.y;
    }
    if (x == b.x) {
        return b.y;
    }
    if (a.y == b.y) {
        return a.y;
    }
    const int64_t k = (static_cast<int64_t>(b.y) - a.y) * 1000 / (static_cast<int64_t>(b.x) - a.x);
    const int64_t c = a.y - (a.x / 1000) * k;
    const int64_t y = (x / 1000) * k + c;
    return static_cast<int32_t>(std::clamp<int64_t>(y, -kRoundLimit, kRoundLimit));
}

int32_t CLinear::GetYAt(int32_t x) const { return LineYAt(m_ptStart, m_ptEnd, x); }

double CLinear::GetSlopeAt(int32_t x) const {
    if (x < m_ptStart.x || x > m_ptEnd.x || m_ptEnd.x == m_ptStart.x) {
        return kNoSlope;
    }
    return static_cast<double>(static_cast<int64_t>(m_ptEnd.y) - m_ptStart.y) /
           static_cast<double>(static_cast<int64_t>(m_ptEnd.x) - m_ptStart.x);
}

double CLinear::GetStartSlope() const {
    if (m_ptEnd.x == m_ptStart.x) {
        return kNoSlope;
    }
    return static_cast<double>(static_cast<int64_t>(m_ptEnd.y) - m_ptStart.y) /
           static_cast<double>(static_cast<int64_t>(m_ptEnd.x) - m_ptStart.x);
}

double CLinear::GetEndSlope() const { return GetStartSlope(); }

int32_t CLinear::GetMinY() const { return std::min(m_ptStart.y, m_ptEnd.y); }
int32_t CLinear::GetMaxY() const { return std::max(m_ptStart.y, m_ptEnd.y); }

void CLinear::UpdateBounds() {
    SetChordBounds();
}

namespace {
// Coordinates stay 32-bit; sums that could leave the range (elements read from a damaged file,
// moves of far-away elements) saturate instead of wrapping.
int32_t Saturate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}
}  // namespace

int CLinear::SetStart(int32_t x, int32_t y) {
    if (x > static_cast<int64_t>(m_ptEnd.x) - 100 && m_ptEnd.x != 0) {
        x = Saturate(static_cast<int64_t>(m_ptEnd.x) - 100);
    }
    if (y < 0) {
        y = 0;
    }
    if (!m_bLockStartX) {
        m_ptStart.x = x;
    }
    if (!m_bLockStartY) {
        m_ptStart.y = y;
    }
    UpdateBounds();
    return 1;
}

int CLinear::SetEnd(int32_t x, int32_t y) {
    if (x < static_cast<int64_t>(m_ptStart.x) + 100) {
        x = Saturate(static_cast<int64_t>(m_ptStart.x) + 100);
    }
    if (y < 0) {
        y = 0;
    }
    if (!m_bLockEndX) {
        m_ptEnd.x = x;
    }
    if (!m_bLockEndY) {
        m_ptEnd.y = y;
    }
    UpdateBounds();
    return 1;
}

int CLinear::GetLock(int index) const {
    const int* lock = EndLock(index);
    return lock ? *lock : 0;
}

void CLinear::SetLock(int index, int flag) {
    if (int* lock = EndLock(index)) {
        *lock = flag;
    }
}

void CLinear::SetEdited(int index, int flag) {
    if (index >= 0 && index < 4) {
        m_bEdited[index] = flag;
    }
}

int CLinear::IsEdited(int index) const { return index >= 0 && index < 4 ? m_bEdited[index] : 0; }

void CLinear::ClearEdited() {
    for (int& e : m_bEdited) {
        e = 0;
    }
}

CPoint CLinear::GetHandle(Handle which) const {
    if (which == &m_ptStart) {
        return m_ptStart;
    }
    if (which == &m_ptEnd) {
        return m_ptEnd;
    }
    return {};
}

void CLinear::CutStartAt(int32_t x, CViewServices*) { m_ptStart = CPoint(x, GetYAt(x)); }

void CLinear::CutEndAt(int32_t x, CViewServices*) { m_ptEnd = CPoint(x, GetYAt(x)); }

namespace {
void Shift(int32_t& a, int32_t& b, int64_t d) {
    a = Saturate(a + d);
    b = Saturate(b + d);
}
}  // namespace

void CLinear::Move(int32_t dx, int32_t dy, CViewServices* view) {
    m_ptOldStart = m_ptStart;
    m_ptOldEnd = m_ptEnd;
    if (!m_bLockStartX && !m_bLockEndX) {
        Shift(m_ptStart.x, m_ptEnd.x, dx);
    }
    if (!m_bLockStartY && !m_bLockEndY) {
        Shift(m_ptStart.y, m_ptEnd.y, dy);
    }
    const int32_t low = std::min(m_ptStart.y, m_ptEnd.y);
    if (low < 0) {
        Shift(m_ptStart.y, m_ptEnd.y, -static_cast<int64_t>(low));
    }
    if (m_ptStart.x < 0) {
        Shift(m_ptStart.x, m_ptEnd.x, -static_cast<int64_t>(m_ptStart.x));
    }
    if (view && m_ptEnd.x > view->GetDrawingLength()) {
        Shift(m_ptStart.x, m_ptEnd.x, static_cast<int64_t>(view->GetDrawingLength()) - m_ptEnd.x);
    }
}

void CLinear::MirrorAt(int32_t a) {
    m_ptOldStart = m_ptStart;
    m_ptOldEnd = m_ptEnd;
    m_ptStart.x = Saturate(2 * static_cast<int64_t>(a) - m_ptStart.x);
    m_ptEnd.x = Saturate(2 * static_cast<int64_t>(a) - m_ptEnd.x);
    std::swap(m_ptStart, m_ptEnd);
}

void CLinear::Turn(CViewServices*) { std::swap(m_ptStart.y, m_ptEnd.y); }

void CLinear::Mirror(CViewServices*) { std::swap(m_ptStart.y, m_ptEnd.y); }

std::string CLinear::GetLabel() const {
    char buf[96];
    std::snprintf(buf, sizeof buf, "Linear %d (%d, %d)", m_nNumber, m_ptStart.x / 100000, m_ptEnd.x / 100000);
    return buf;
}

std::unique_ptr<CPiece> CLinear::Clone() const {
    auto p = std::make_unique<CLinear>(m_ptStart, m_ptEnd);
    CopyAttributesTo(*p);
    p->m_ptOldStart = m_ptOldStart;
    p->m_ptOldEnd = m_ptOldEnd;
    p->m_rcBounds = m_rcBounds;
    return p;
}

std::unique_ptr<CPiece> CLinear::CreatePart(int32_t x1, int32_t x2) const {
    auto p = std::make_unique<CLinear>(CPoint(x1, GetYAt(x1)), CPoint(x2, GetYAt(x2)));
    CopyAttributesTo(*p);
    p->m_ptOldStart = m_ptOldStart;
    p->m_ptOldEnd = m_ptOldEnd;
    p->UpdateBounds();
    return p;
}

double CLinear::GetValue(const std::string& name, int relative, int, int forward) const {
    if (name == "EndZ") {
        if (!relative) {
            return (forward ? m_ptEnd.x : m_ptStart.x) / 10000.0;
        }
        return forward ? (static_cast<double>(m_ptEnd.x) - m_ptStart.x) / 10000.0
                       : (static_cast<double>(m_ptStart.x) - m_ptEnd.x) / 10000.0;
    }
    if (name == "EndX") {
        if (!relative) {
            return (forward ? m_ptEnd.y : m_ptStart.y) / 10000.0;
        }
        return forward ? (static_cast<double>(m_ptEnd.y) - m_ptStart.y) / 10000.0
                       : (static_cast<double>(m_ptStart.y) - m_ptEnd.y) / 10000.0;
    }
    if (name == "Speed") {
        return m_nSpeed < 0 ? kNoValue : static_cast<double>(m_nSpeed);
    }
    if (name == "Feed") {
        return m_nFeed < 0 ? kNoValue : static_cast<double>(m_nFeed);
    }
    return kNoValue;
}

double CLinear::GetValueAtX(const std::string& name, int32_t step, int forward, int atPoint, int32_t x) const {
    if (name == "EndZ" && atPoint) {
        return static_cast<double>(x / 10000);
    }
    if (name == "EndX") {
        if (atPoint) {
            return static_cast<double>(GetYAt(x) / 10000);
        }
        const int64_t at = forward ? static_cast<int64_t>(x) + step : static_cast<int64_t>(x) - step;
        const int32_t xx = static_cast<int32_t>(std::clamp<int64_t>(at, -kRoundLimit, kRoundLimit));
        return static_cast<double>(GetYAt(xx) / 10000);
    }
    return kNoValue;
}


void CLinear::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString("LINEAR");
        ar.WriteString("Zacatek Linearu");
    } else {
        ar.ReadString();  // the opening tag; the layer has read the kind tag
    }
    SerializeLocks(ar);
    SerializeCommon(ar);
    if (ar.IsStoring()) {
        ar.WriteString("Konec Linearu");
    } else {
        ar.ReadString();
        UpdateBounds();
    }
}

void CLinear::ReadPropertyBar(CViewServices* view) {
    if (!view) {
        return;
    }
    CPoint start = m_ptStart;
    CPoint end = m_ptEnd;
    int32_t* targets[4] = {&start.x, &start.y, &end.x, &end.y};
    const int ids[4] = {IDC_START_Z, IDC_START_X, IDC_END_Z, IDC_END_X};
    for (int i = 0; i < 4; ++i) {
        view->ReadEditedLength(m_bEdited[i], ids[i], *targets[i]);
    }
    SetStart(start.x, start.y);
    SetEnd(end.x, end.y);
}

void CLinear::FillPropertyBar(CViewServices* view) {
    CObjectBarFiller::FillPoints(view, m_ptStart, m_ptEnd);
    CObjectBarFiller::SelectType(view, CObjectBarFiller::kTypeLinear);
    CObjectBarFiller::FillLocks(view, *this, 4);
    CObjectBarFiller::FillAttributes(view, *this);
}

void CLinear::SetHandle(Handle which, int32_t x, int32_t y, CViewServices* view) {
    CControlBar* bar = view ? view->GetObjectBar() : nullptr;
    if (which == &m_ptStart) {
        m_bEdited[0] = m_bEdited[1] = 1;
        SetStart(std::max(x, 0), y);
        if (bar) {
            bar->SetText(IDC_START_Z, view->FormatLength(m_ptStart.x));
            bar->SetText(IDC_START_X, view->FormatLengthField(IDC_START_X, m_ptStart.y));
        }
    } else if (which == &m_ptEnd) {
        m_bEdited[2] = m_bEdited[3] = 1;
        if (view) {
            x = std::min(x, view->GetDrawingLength());
        }
        SetEnd(x, y);
        if (bar) {
            bar->SetText(IDC_END_Z, view->FormatLength(m_ptEnd.x));
            bar->SetText(IDC_END_X, view->FormatLengthField(IDC_END_X, m_ptEnd.y));
        }
    }
}

namespace {
// Strictly closer than tolerance pixels; squares in double are exact for any on-screen distance.
bool Near(CPoint pixel, int px, int py, int tolerance) {
    if (tolerance <= 0) {
        return false;
    }
    const double dx = static_cast<double>(px) - pixel.x;
    const double dy = static_cast<double>(py) - pixel.y;
    return dx * dx + dy * dy < static_cast<double>(tolerance) * tolerance;
}
}  // namespace

Handle CLinear::HitTestHandle(int px, int py, CViewServices* view, int tolerance) const {
    if (!view) {
        return nullptr;
    }
    if (Near(view->ModelToScreen(m_ptStart), px, py, tolerance)) {
        return &m_ptStart;
    }
    if (Near(view->ModelToScreen(m_ptEnd), px, py, tolerance)) {
        return &m_ptEnd;
    }
    return nullptr;
}
