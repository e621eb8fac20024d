// CBorder geometry, setters, labels, object bar, drawing and archive record.
#include "elements/Border.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "elements/Linear.h"
#include "elements/ObjectBarFiller.h"
#include "elements/ViewServices.h"
#include "platform/ControlIds.h"

CBorder::CBorder(CPoint start, CPoint end) {
    m_ptStart = start;
    m_ptEnd = end;
    ClearEdited();
    UpdateBounds();
}

CBorder::CBorder(CPoint start, CPoint end, int left) : CBorder(start, end) {
    m_bLeft = left;
    m_nNumber = left ? 0 : -1;
}

void CBorder::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString("BORDER");
    }
    std::string tag = "Zacatek Borderu";
    ar.String(tag);
    ar.Int(m_bLeft);
    SerializeLocks(ar);
    SerializeCommon(ar);
    tag = "Konec Borderu";
    ar.String(tag);
    if (ar.IsLoading()) {
        UpdateBounds();
    }
}

int32_t CBorder::GetYAt(int32_t x) const { return CLinear::LineYAt(m_ptStart, m_ptEnd, x); }

double CBorder::GetSlopeAt(int32_t x) const {
    if (x < m_ptStart.x || x > m_ptEnd.x || m_ptEnd.x == m_ptStart.x) {
        return kNoSlope;
    }
    return static_cast<double>(static_cast<int64_t>(m_ptEnd.y) - m_ptStart.y) /
           static_cast<double>(static_cast<int64_t>(m_ptEnd.x) - m_ptStart.x);
}

int32_t CBorder::GetMinY() const { return std::min(m_ptStart.y, m_ptEnd.y); }
int32_t CBorder::GetMaxY() const { return std::max(m_ptStart.y, m_ptEnd.y); }

double CBorder::GetValue(const std::string& name, int relative, int centreRelative, int forward) const {
    return CLinear(*this).GetValue(name, relative, centreRelative, forward);
}

CPoint CBorder::GetHandle(Handle which) const {
    if (which == &m_ptStart) {
        return m_ptStart;
    }
    if (which == &m_ptEnd) {
        return m_ptEnd;
    }
    return {};
}

void CBorder::SetLock(int index, int flag) {
    if (int* lock = EndLock(index)) {
        *lock = flag;
    }
}

void CBorder::UpdateBounds() {
    SetChordBounds();
}

int CBorder::SetStart(int32_t x, int32_t y) {
    if (m_bLeft) {
        if (x >= m_ptEnd.x) {
            x = m_ptEnd.x - 1;
        }
        if (!m_bLockStartX) {
            m_ptStart.x = x;
        }
    }
    if (!m_bLockStartY) {
        m_ptStart.y = y;
    }
    if (m_ptStart.y < 0) {
        m_ptStart.y = 0;
    }
    UpdateBounds();
    return 1;
}

int CBorder::SetEnd(int32_t x, int32_t y) {
    if (!m_bLeft) {
        if (x <= m_ptStart.x) {
            x = m_ptStart.x + 1;
        }
        if (!m_bLockEndX) {
            m_ptEnd.x = x;
        }
    }
    if (!m_bLockEndY) {
        m_ptEnd.y = y;
    }
    if (m_ptEnd.y < 0) {
        m_ptEnd.y = 0;
    }
    UpdateBounds();
    return 1;
}

void CBorder::ShiftX(int32_t dx) {
    m_ptStart.x += dx;
    m_ptEnd.x += dx;
    UpdateBounds();
}

void CBorder::SetHandle(Handle which, int32_t x, int32_t y, CViewServices* view) {
    CControlBar* bar = view ? view->GetObjectBar() : nullptr;
    if (which == &m_ptStart) {
        SetStart(x, y);
        if (bar) {
            bar->SetText(IDC_START_Z, view->FormatLength(m_ptStart.x));
            bar->SetText(IDC_START_X, view->FormatLengthField(IDC_START_X, m_ptStart.y));
        }
    } else if (which == &m_ptEnd) {
        SetEnd(x, y);
        if (bar) {
            bar->SetText(IDC_END_Z, view->FormatLength(m_ptEnd.x));
            bar->SetText(IDC_END_X, view->FormatLengthField(IDC_END_X, m_ptEnd.y));
        }
    }
}

namespace {
bool Near(CPoint pixel, int px, int py, int tolerance) {
    if (tolerance <= 0) {
        return false;
    }
    const int64_t dx = static_cast<int64_t>(pixel.x) - px;
    const int64_t dy = static_cast<int64_t>(pixel.y) - py;
    return dx * dx + dy * dy < static_cast<int64_t>(tolerance) * tolerance;
}

}  // namespace

Handle CBorder::HitTestHandle(int px, int py, CViewServices* view, int tolerance) const {
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

void CBorder::FillPropertyBar(CViewServices* view) {
    CObjectBarFiller::FillPoints(view, m_ptStart, m_ptEnd);
    CObjectBarFiller::SelectType(view, CObjectBarFiller::kTypeLinear);
    CObjectBarFiller::ShowApplicable(view, 4);
    if (CControlBar* bar = view ? view->GetObjectBar() : nullptr) {
        // The boxes show the border's own lock members: it keeps them although it answers the
        // base lock query.
        const int locks[7] = {m_bLockStartX, m_bLockStartY, m_bLockEndX, m_bLockEndY, 0, 0, 0};
        for (int i = 0; i < 7; ++i) {
            bar->SetCheck(kLockBoxIds[i], locks[i]);
        }
    }
    CObjectBarFiller::FillBorderAttributes(view, *this);
}

std::string CBorder::GetLabel() const {
    char buf[96];
    const int end = Round(m_ptEnd.x / 100000 + 0.5);
    std::snprintf(buf, sizeof buf, "%s (%d, %d)", m_bLeft ? "LeftBorder " : "RightBorder ",
                  m_ptStart.x / 100000, end);
    return buf;
}

void CBorder::CopyAttributesTo(CBorder& copy) const {
    CPiece::CopyAttributesTo(copy);
    copy.m_bLeft = m_bLeft;
}

std::unique_ptr<CBorder> CBorder::CloneBorder() const {
    auto p = std::make_unique<CBorder>(m_ptStart, m_ptEnd);
    CopyAttributesTo(*p);
    p->m_ptOldStart = m_ptOldStart;
    p->m_ptOldEnd = m_ptOldEnd;
    return p;
}

std::unique_ptr<CPiece> CBorder::Clone() const { return CloneBorder(); }

std::unique_ptr<CPiece> CBorder::CreatePart(int32_t x1, int32_t x2) const {
    auto p = std::make_unique<CBorder>(CPoint(x1, GetYAt(x1)), CPoint(x2, GetYAt(x2)));
    CopyAttributesTo(*p);
    return p;
}
