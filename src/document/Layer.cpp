// CLayer construction, copying, set-up, queries, the layer and object bars and the profile keys.
#include "document/Layer.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "document/KestrovelDoc.h"
#include "elements/Linear.h"
#include "elements/ViewServices.h"
#include "platform/ControlBar.h"
#include "platform/ControlIds.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"

CLayer::CLayer() {
    m_posWalk = m_pieces.end();
}

CLayer::CLayer(const CLayer& other)
    : CPieceChain(),
      m_bWalkForward(other.m_bWalkForward),
      m_bActiveInFront(other.m_bActiveInFront),
      m_nDirection(other.m_nDirection),
      m_nNextNumber(other.m_nNextNumber),
      m_nIndex(other.m_nIndex),
      m_pView(other.m_pView),
      m_pDoc(other.m_pDoc),
      m_style(other.m_style) {
    if (other.m_pLeftBorder) {
        m_pLeftBorder = other.m_pLeftBorder->CloneBorder();
    }
    if (other.m_pRightBorder) {
        m_pRightBorder = other.m_pRightBorder->CloneBorder();
    }
    for (const auto& piece : other.m_pieces) {
        if (auto copy = piece->Clone()) {
            m_pieces.push_back(std::move(copy));
        }
    }
    std::copy(std::begin(other.m_bVisible), std::end(other.m_bVisible), std::begin(m_bVisible));
    m_posWalk = m_pieces.end();
}

CLayer::~CLayer() = default;

void CLayer::SetView(CViewServices* view) {
    if (view) {
        m_pView = view;
    }
}

void CLayer::ResetVisibility() {
    m_bVisible[0] = 1;
    for (int i = 1; i < kVisibilityCount; ++i) {
        m_bVisible[i] = i == m_nIndex + 1 ? 1 : 0;
    }
}

void CLayer::SetVisible(int i, int flag) {
    if (i >= 0 && i < kVisibilityCount) {
        m_bVisible[i] = flag;
    }
}

void CLayer::CreateBorders(int32_t left, int32_t top, int32_t right) {
    m_pLeftBorder = std::make_unique<CBorder>(CPoint(left - 500000, top + 100000), CPoint(left, top), 1);
    m_pRightBorder = std::make_unique<CBorder>(CPoint(right, top), CPoint(right + 500000, top + 100000), 0);
}

void CLayer::AddLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    AddPiece(std::make_unique<CLinear>(x1, y1, x2, y2), 1);
}

int32_t CLayer::GetDrawingLength() const {
    if (m_pDoc) {
        return m_pDoc->GetLength();
    }
    if (m_pRightBorder) {
        return m_pRightBorder->GetStart().x;
    }
    if (m_pView) {
        return m_pView->GetDrawingLength();
    }
    return std::numeric_limits<int32_t>::max();
}

CPiece* CLayer::FindAt(int32_t x) const {
    if (x < 0) {
        return m_pLeftBorder.get();
    }
    if (x > GetDrawingLength()) {
        return m_pRightBorder.get();
    }
    if (m_pieces.empty()) {
        return nullptr;
    }
    if (m_pieces.size() == 1) {
        return m_pieces.front().get();
    }
    const CPiece* prev = nullptr;
    auto it = m_pieces.begin();
    while (std::next(it) != m_pieces.end() && (*it)->GetStart().x < x) {
        prev = it->get();
        ++it;
    }
    if ((*it)->GetStart().x <= x) {
        return it->get();
    }
    return const_cast<CPiece*>(prev);
}

CLayer::Pos CLayer::FindPosAtStrict(int32_t x) {
    if (m_pieces.empty() || x < m_pieces.front()->GetStart().x) {
        return m_pieces.end();
    }
    auto prev = m_pieces.end();
    auto it = m_pieces.begin();
    while (std::next(it) != m_pieces.end() && (*it)->GetStart().x < x) {
        prev = it;
        ++it;
    }
    return StrictAnswer(it, prev, x);
}

// it: the first element starting at or after x, else the last; prev: the one before it, if any.
CLayer::Pos CLayer::StrictAnswer(Pos it, Pos prev, int32_t x) {
    const CPiece& e = **it;
    if (e.GetStart().x == x) {
        return it;
    }
    if (e.GetStart().x < x) {
        // Only the last element can start before x here: x lies in it or past the chain.
        return e.GetEnd().x < x ? m_pieces.end() : it;
    }
    return prev;
}

CPiece* CLayer::FindAtStrict(int32_t x) const {
    auto pos = const_cast<CLayer*>(this)->FindPosAtStrict(x);
    return pos == m_pieces.end() ? nullptr : pos->get();
}

CPiece* CLayer::FindByNumber(int n) const {
    if (m_pieces.empty()) {
        return nullptr;
    }
    if (n == 0) {
        return m_pLeftBorder.get();
    }
    for (const auto& piece : m_pieces) {
        if (piece->GetNumber() == n) {
            return piece.get();
        }
    }
    return m_pRightBorder.get();
}

CLayer::Pos CLayer::PositionOf(const CPiece* piece) {
    return std::find_if(m_pieces.begin(), m_pieces.end(),
                        [piece](const auto& p) { return p.get() == piece; });
}

int32_t CLayer::GetYAt(int32_t x) const {
    const CPiece* e = FindAt(x);
    return e ? e->GetYAt(x) : 0;
}

double CLayer::GetSlopeAt(int32_t x) const {
    const CPiece* e = FindAt(x);
    return e ? e->GetSlopeAt(x) : kNoSlope;
}

int32_t CLayer::GetMaxY() const {
    int32_t top = m_pLeftBorder ? m_pLeftBorder->GetMaxY() : 0;
    for (const auto& piece : m_pieces) {
        top = std::max(top, piece->GetMaxY());
    }
    return m_pRightBorder ? std::max(top, m_pRightBorder->GetMaxY()) : top;
}

CControlBar* CLayer::GetObjectBar() const {
    CControlBar* bar = m_pDoc ? m_pDoc->GetObjectBar() : nullptr;
    return bar ? bar : (m_pView ? m_pView->GetObjectBar() : nullptr);
}

CControlBar* CLayer::GetLayerBar() const {
    return m_pDoc ? m_pDoc->GetLayerBar() : nullptr;
}

CMessages* CLayer::GetMessages() const {
    CMessages* messages = m_pDoc ? m_pDoc->GetMessages() : nullptr;
    return messages ? messages : (m_pView ? m_pView->GetMessages() : nullptr);
}

void CLayer::ShowError(const char* text) const {
    if (CMessages* messages = GetMessages()) {
        messages->MessageBox(text, "chyba", MessageIcon::Error, MessageButtons::Ok);
    }
}

void CLayer::UpdateViews(bool erase) const {
    if (m_pDoc) {
        m_pDoc->UpdateAllViews(erase);
    }
}

void CLayer::MarkModified() const {
    if (m_pDoc) {
        m_pDoc->SetModifiedFlag(true);
    }
}

void CLayer::UpdateLayerBar() {
    if (CControlBar* bar = GetLayerBar()) {
        bar->SetCurSel(IDC_LAYER, m_nIndex);
    }
    UpdateDirectionChecks();
    UpdateVisibilityChecks();
}

void CLayer::UpdateDirectionChecks() {
    if (CControlBar* bar = GetLayerBar()) {
        bar->SetCheck(IDC_DIR_RIGHT, m_nDirection);
        bar->SetCheck(IDC_DIR_LEFT, !m_nDirection);
    }
}

void CLayer::UpdateVisibilityChecks() {
    CControlBar* bar = GetLayerBar();
    if (!bar) {
        return;
    }
    bar->SetCheck(IDC_SHOW_SOURCE, m_bVisible[0]);
    for (int i = 0; i < kLayerCount; ++i) {
        bar->SetCheck(kShowLayerIds[i], m_bVisible[i + 1]);
    }
    bar->SetCheck(IDC_ACTIVE_IN_FRONT, m_bActiveInFront);
}

void CLayer::ToggleVisibility(int i) {
    if (i == m_nIndex + 1) {
        // A layer cannot hide itself.
        UpdateVisibilityChecks();
        return;
    }
    if (i < 0 || i >= kVisibilityCount) {
        return;
    }
    m_bVisible[i] = !m_bVisible[i];
    UpdateViews(true);
}

void CLayer::ReadActiveInFront() {
    if (CControlBar* bar = GetLayerBar()) {
        m_bActiveInFront = bar->GetCheck(IDC_ACTIVE_IN_FRONT);
    }
    UpdateViews(true);
}

void CLayer::FillObjectCombo() {
    CControlBar* bar = GetObjectBar();
    if (!bar) {
        return;
    }
    bar->ResetContent(IDC_OBJECT);
    bar->AddString(IDC_OBJECT, "No selection");
    if (!m_pieces.empty()) {
        if (m_pLeftBorder) {
            bar->AddString(IDC_OBJECT, m_pLeftBorder->GetLabel());
        }
        for (const auto& piece : m_pieces) {
            bar->AddString(IDC_OBJECT, piece->GetLabel());
        }
        if (m_pRightBorder) {
            bar->AddString(IDC_OBJECT, m_pRightBorder->GetLabel());
        }
    }
    bar->SetCurSel(IDC_OBJECT, 0);
}

void CLayer::SelectObjectInCombo(int number) {
    if (CControlBar* bar = GetObjectBar()) {
        bar->SetCurSel(IDC_OBJECT, number == -1 ? bar->GetCount(IDC_OBJECT) - 1 : number + 1);
    }
}

namespace {
std::string ProfileSection(int n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "Layer %d", n);
    return buf;
}

std::string VisibilityKey(int i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "m_Visibility %d", i + 1);
    return buf;
}
}  // namespace

void CLayer::SaveProfile(CSettingsStore& store, int n) const {
    const std::string section = ProfileSection(n);
    for (int i = 0; i < kVisibilityCount; ++i) {
        store.WriteInt(section, VisibilityKey(i), m_bVisible[i]);
    }
    store.WriteInt(section, "Direction", m_nDirection);
    store.WriteInt(section, "Brush Color", static_cast<int>(m_style.m_crBrush));
    store.WriteInt(section, "Brush Null", m_style.m_bBrushNull);
    store.WriteInt(section, "Brush Solid", m_style.m_bBrushSolid);
    store.WriteInt(section, "Brush Type", m_style.m_nBrushType);
    store.WriteInt(section, "Draw Borders", m_style.m_bDrawEdges);
    store.WriteInt(section, "Pen Color", static_cast<int>(m_style.m_crPen));
    store.WriteInt(section, "Pen Style", m_style.m_nPenStyle);
    store.WriteInt(section, "Pen Width", m_style.m_nPenWidth);
}

void CLayer::LoadProfile(const CSettingsStore& store, int n) {
    const std::string section = ProfileSection(n);
    auto load = [&](const char* key, int& value) { value = store.GetInt(section, key, value); };
    auto loadColor = [&](const char* key, COLORREF& value) {
        value = static_cast<COLORREF>(store.GetInt(section, key, static_cast<int>(value)));
    };
    for (int i = 0; i < kVisibilityCount; ++i) {
        m_bVisible[i] = store.GetInt(section, VisibilityKey(i), m_bVisible[i]);
    }
    load("Direction", m_nDirection);
    loadColor("Brush Color", m_style.m_crBrush);
    load("Brush Null", m_style.m_bBrushNull);
    load("Brush Solid", m_style.m_bBrushSolid);
    load("Brush Type", m_style.m_nBrushType);
    load("Draw Borders", m_style.m_bDrawEdges);
    loadColor("Pen Color", m_style.m_crPen);
    load("Pen Style", m_style.m_nPenStyle);
    load("Pen Width", m_style.m_nPenWidth);
}
