// CSelection markers, moves, the mirror and turn of a stretch, the object bar and the archive record.
#include "elements/Selection.h"

#include <algorithm>
#include <cstdio>

#include "elements/ObjectBarFiller.h"
#include "elements/PieceChain.h"
#include "elements/ViewServices.h"
#include "platform/ControlIds.h"

CSelection::CSelection() = default;

CSelection::CSelection(int32_t startZ, int32_t startX, int32_t endZ, int32_t endX) {
    m_ptStart = CPoint(startZ, startX);
    m_ptEnd = CPoint(endZ, endX);
    m_ptOldStart = m_ptStart;
    m_ptOldEnd = m_ptEnd;
}

CSelection::CSelection(const CPiece& src) {
    m_ptStart = src.GetStart();
    m_ptEnd = src.GetEnd();
    m_ptOldStart = m_ptStart;
    m_ptOldEnd = m_ptEnd;
    m_nLeave = src.m_nLeave;
    m_nFeed = src.m_nFeed;
    m_nSpeed = src.m_nSpeed;
    for (int i = 0; i < 4; ++i) {
        SetLock(i, src.GetLock(i));
    }
}

void CSelection::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString("SELECTION");
    }
    std::string tag = "Zacatek Selekce";
    ar.String(tag);
    SerializeLocks(ar);
    SerializeCommon(ar);
    tag = "Konec Selekce";
    ar.String(tag);
}

double CSelection::GetSlopeAt(int32_t z) const {
    return m_pLayer ? m_pLayer->GetSlopeAt(z) : 0.0;
}

int32_t CSelection::GetYAt(int32_t z) const {
    return m_pLayer ? m_pLayer->GetYAt(z) : 0;
}

int32_t CSelection::GetMinY() const {
    return std::min(m_ptStart.y, m_ptEnd.y);
}

int32_t CSelection::GetMaxY() const {
    return std::max(m_ptStart.y, m_ptEnd.y);
}

int CSelection::GetLock(int index) const {
    const int* lock = EndLock(index);
    return lock ? *lock : 0;
}

void CSelection::SetLock(int index, int flag) {
    if (int* lock = EndLock(index)) {
        *lock = flag;
    }
}

CPoint CSelection::GetHandle(Handle which) const {
    if (which == &m_ptStart) {
        return m_ptStart;
    }
    if (which == &m_ptEnd) {
        return m_ptEnd;
    }
    return {};
}

void CSelection::UpdateBounds() {
    SetChordBounds();
}

int CSelection::SetStart(int32_t z, int32_t x) {
    if (z > static_cast<int64_t>(m_ptEnd.x) - 100 && m_ptEnd.x != 0) {
        return 0;
    }
    x = std::max(x, 0);
    if (!m_bLockStartX) {
        m_ptStart.x = z;
    }
    if (!m_bLockStartY) {
        m_ptStart.y = x;
    }
    UpdateBounds();
    return 1;
}

int CSelection::SetEnd(int32_t z, int32_t x) {
    if (z < static_cast<int64_t>(m_ptStart.x) + 100) {
        return 0;
    }
    x = std::max(x, 0);
    if (!m_bLockEndX) {
        m_ptEnd.x = z;
    }
    if (!m_bLockEndY) {
        m_ptEnd.y = x;
    }
    UpdateBounds();
    return 1;
}

void CSelection::CutStartAt(int32_t z, CViewServices* view) {
    const int32_t x = GetYAt(z);
    m_ptStart = CPoint(z, view ? view->RoundToAccuracy(x) : x);
}

void CSelection::CutEndAt(int32_t z, CViewServices* view) {
    const int32_t x = GetYAt(z);
    m_ptEnd = CPoint(z, view ? view->RoundToAccuracy(x) : x);
}

void CSelection::Move(int32_t dz, int32_t dx, CViewServices* view) {
    m_ptOldStart = m_ptStart;
    m_ptOldEnd = m_ptEnd;
    if (!m_bLockStartX && !m_bLockEndX) {
        m_ptStart.x += dz;
        m_ptEnd.x += dz;
    }
    if (!m_bLockStartY && !m_bLockEndY) {
        m_ptStart.y += dx;
        m_ptEnd.y += dx;
    }
    // The lower marker lands on the axis and the other keeps its distance.
    int32_t& low = m_ptStart.y < m_ptEnd.y ? m_ptStart.y : m_ptEnd.y;
    int32_t& high = &low == &m_ptStart.y ? m_ptEnd.y : m_ptStart.y;
    if (low < 0) {
        high -= low;
        low = 0;
    }
    if (m_ptStart.x < 0) {
        m_ptEnd.x -= m_ptStart.x;
        m_ptStart.x = 0;
    }
    const int32_t length = view ? view->GetDrawingLength() : m_ptEnd.x;
    if (m_ptEnd.x > length) {
        m_ptStart.x += length - m_ptEnd.x;
        m_ptEnd.x = length;
    }
}

void CSelection::PlaceMarker(CViewServices* view, int32_t z, int32_t x, int which) {
    const int32_t length = view ? view->GetDrawingLength() : z;
    if (z < 0) {
        z = 0;
        x = GetYAt(0);
    } else if (z > length) {
        z = length;
        x = GetYAt(length);
    }
    CPoint& marker = which == kMarkerStart ? m_ptStart : m_ptEnd;
    CPoint& old = which == kMarkerStart ? m_ptOldStart : m_ptOldEnd;
    (which == kMarkerStart ? m_bStartPlaced : m_bEndPlaced) = 1;
    old = marker;
    if (!(which == kMarkerStart ? m_bLockStartX : m_bLockEndX)) {
        marker = CPoint(z, x);
    }
}

bool CSelection::ClipToDrawing(std::unique_ptr<CPiece>& piece, CViewServices* view) {
    if (!piece) {
        return false;
    }
    const int32_t length = view ? view->GetDrawingLength() : piece->GetEnd().x;
    if (piece->GetStart().x >= length || piece->GetEnd().x <= 0) {
        piece.reset();
        return false;
    }
    if (piece->GetStart().x < 0) {
        piece->CutStartAt(0, view);
    }
    if (piece->GetEnd().x > length) {
        piece->CutEndAt(length, view);
    }
    return true;
}

std::vector<std::unique_ptr<CPiece>> CSelection::CopyStretch(int32_t lo, int32_t hi,
                                                             CViewServices* view) const {
    std::vector<std::unique_ptr<CPiece>> copies;
    const CPiece* first = m_pLayer ? m_pLayer->FindAt(lo) : nullptr;
    std::unique_ptr<CPiece> c = first ? first->Clone() : nullptr;
    if (!c) {
        return copies;
    }
    c->CutStartAt(lo, view);
    int32_t n = c->GetEnd().x;
    copies.push_back(std::move(c));
    while (n < hi) {
        const CPiece* next = m_pLayer->FindAt(n);
        c = next ? next->Clone() : nullptr;
        // A chain that does not advance (an element of no length) would walk forever.
        if (!c || c->GetEnd().x <= n) {
            break;
        }
        n = c->GetEnd().x;
        copies.push_back(std::move(c));
    }
    copies.back()->CutEndAt(hi, view);
    return copies;
}

void CSelection::AddToLayer(std::unique_ptr<CPiece> piece, CViewServices* view, int redraw) const {
    if (ClipToDrawing(piece, view)) {
        m_pLayer->AddPiece(std::move(piece), redraw);
    }
}

void CSelection::Mirror(CViewServices* view) {
    const int32_t s = m_ptStart.x;
    const int32_t e = m_ptEnd.x;
    if (s == e || !m_pLayer) {
        return;
    }
    std::vector<std::unique_ptr<CPiece>> copies = CopyStretch(std::min(s, e), std::max(s, e), view);
    for (size_t i = 0; i < copies.size(); ++i) {
        copies[i]->MirrorAt(s);
        AddToLayer(std::move(copies[i]), view, i + 1 == copies.size() ? 1 : 0);
    }
}

void CSelection::Turn(CViewServices* view) {
    const int32_t lo = std::min(m_ptStart.x, m_ptEnd.x);
    const int32_t hi = std::max(m_ptStart.x, m_ptEnd.x);
    if (lo == hi || !m_pLayer) {
        return;
    }
    std::vector<std::unique_ptr<CPiece>> copies = CopyStretch(lo, hi, view);
    const int32_t mid = static_cast<int32_t>((static_cast<int64_t>(hi) - lo + 1) / 2 + lo);
    for (std::unique_ptr<CPiece>& c : copies) {
        c->MirrorAt(mid);
        AddToLayer(std::move(c), view, 1);
    }
}

std::string CSelection::GetLabel() const {
    char buf[96];
    std::snprintf(buf, sizeof buf, "Selection %d (%d, %d)", m_nNumber, m_ptStart.x / 100000,
                  m_ptEnd.x / 100000);
    return buf;
}

std::unique_ptr<CPiece> CSelection::Clone() const {
    auto p = std::make_unique<CSelection>(m_ptStart.x, m_ptStart.y, m_ptEnd.x, m_ptEnd.y);
    CopyAttributesTo(*p);
    p->m_pLayer = m_pLayer;
    return p;
}

namespace {
// "Default" for -1, "Set" for -2, otherwise the number as a fresh third entry.
void ShowRate(CControlBar& bar, int id, int32_t value) {
    bar.DeleteString(id, 2);
    if (value == -1) {
        bar.SetCurSel(id, 0);
    } else if (value == -2) {
        bar.SetCurSel(id, 1);
    } else {
        bar.SetCurSel(id, bar.AddString(id, std::to_string(value)));
    }
}
}  // namespace

void CSelection::FillPropertyBar(CViewServices* view) {
    CControlBar* bar = view ? view->GetObjectBar() : nullptr;
    if (!bar) {
        return;
    }
    CObjectBarFiller::FillPoints(view, m_ptStart, m_ptEnd);
    CObjectBarFiller::SelectType(view, CObjectBarFiller::kTypeSelection);
    CObjectBarFiller::FillLocks(view, *this, 4);
    ShowRate(*bar, IDC_VELOCITY, m_nSpeed);
    ShowRate(*bar, IDC_FEED, m_nFeed);
    bar->DeleteString(IDC_LEAVE, 3);
    if (m_nLeave == kLeaveNone) {
        bar->SetCurSel(IDC_LEAVE, 0);
    } else if (m_nLeave == kLeaveCurrent) {
        bar->SetCurSel(IDC_LEAVE, 1);
    } else {
        bar->SetCurSel(IDC_LEAVE, bar->AddString(IDC_LEAVE, view->FormatLength(m_nLeave)));
    }
    const int count = bar->GetCount(IDC_OBJECT);
    if (count > 0 && bar->GetEntry(IDC_OBJECT, count - 1).find("Selection") != std::string::npos) {
        bar->DeleteString(IDC_OBJECT, count - 1);
    }
    bar->SetCurSel(IDC_OBJECT, bar->AddString(IDC_OBJECT, GetLabel()));
}
