// The inert base behaviours of the element interface.
#include "elements/Piece.h"

#include "elements/ViewServices.h"
#include "platform/ControlIds.h"

double CPiece::GetSlopeAt(int32_t) const { return 0.0; }

double CPiece::GetValue(const std::string&, int, int, int) const { return kNoValue; }

double CPiece::GetValueAtX(const std::string&, int32_t, int, int, int32_t) const { return kNoValue; }

int CPiece::DrawMoveFeedback(CSurface&, CViewServices*, int, int, int, int, int32_t, int32_t) { return 1; }

void CPiece::ClearPropertyBar(CViewServices* view) {
    CControlBar* bar = view ? view->GetObjectBar() : nullptr;
    if (!bar) {
        return;
    }
    // Without an element no field applies: each is empty and disabled, none keeps the last
    // element's value.
    for (int i = 0; i < 7; ++i) {
        bar->SetText(kPointFieldIds[i], "");
        bar->Enable(kPointFieldIds[i], false);
        bar->SetCheck(kLockBoxIds[i], 0);
        bar->Enable(kLockBoxIds[i], false);
    }
    bar->SetCurSel(IDC_TYPE, 0);
    for (int id : {IDC_FEED, IDC_VELOCITY, IDC_LEAVE}) {
        bar->DeleteString(id, id == IDC_LEAVE ? 3 : 2);
        bar->SetCurSel(id, -1);
        bar->SetText(id, "");
        bar->Enable(id, false);
    }
    bar->Enable(IDC_READ_VALUES, false);
}

void CPiece::SerializeLocks(CArchive& ar) {
    ar.Int(m_bLockEndX);
    ar.Int(m_bLockEndY);
    ar.Int(m_bLockStartX);
    ar.Int(m_bLockStartY);
}

void CPiece::SerializeCommon(CArchive& ar) {
    ar.Int(m_nLeave);
    ar.Int(m_nFeed);
    ar.Int(m_nSpeed);
    ar.Int(m_nNumber);
    ar.Point(m_ptStart);
    ar.Point(m_ptEnd);
}

int* CPiece::EndLock(int index) {
    switch (index) {
        case kLockStartZ: return &m_bLockStartX;
        case kLockStartX: return &m_bLockStartY;
        case kLockEndZ: return &m_bLockEndX;
        case kLockEndX: return &m_bLockEndY;
        default: return nullptr;
    }
}

void CPiece::CopyAttributesTo(CPiece& copy) const {
    copy.m_nNumber = m_nNumber;
    copy.m_nFeed = m_nFeed;
    copy.m_nSpeed = m_nSpeed;
    copy.m_nLeave = m_nLeave;
    copy.m_bLockStartX = m_bLockStartX;
    copy.m_bLockStartY = m_bLockStartY;
    copy.m_bLockEndX = m_bLockEndX;
    copy.m_bLockEndY = m_bLockEndY;
}
