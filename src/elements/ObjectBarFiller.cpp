// Filling the object bar's point fields, lock boxes and attribute boxes.
#include "elements/ObjectBarFiller.h"

#include <string>

#include "elements/Piece.h"
#include "elements/ViewServices.h"
#include "platform/ControlIds.h"

namespace {
// Index of the entry a typed value occupies in Velocity/Feed ("Default", "Set", value) and in
// 3D Leave ("None", "Current", "Custom", value); removed before each fill so values never pile up.
constexpr int kTypedRateEntry = 2;
constexpr int kTypedLeaveEntry = 3;

CControlBar* BarOf(CViewServices* view) { return view ? view->GetObjectBar() : nullptr; }

void SelectAdded(CControlBar& bar, int id, const std::string& text) {
    bar.SetCurSel(id, bar.AddString(id, text));
}

// Velocity or Feed: -1 is "Default"; with setMarker, -2 is "Set"; anything else shows itself.
void FillRate(CControlBar& bar, int id, int32_t value, bool setMarker) {
    bar.DeleteString(id, kTypedRateEntry);
    if (value == -1) {
        bar.SetCurSel(id, 0);
    } else if (setMarker && value == -2) {
        bar.SetCurSel(id, 1);
    } else {
        SelectAdded(bar, id, std::to_string(value));
    }
}

void FillLeave(CControlBar& bar, const CViewServices& view, int32_t leave, bool border) {
    bar.DeleteString(IDC_LEAVE, kTypedLeaveEntry);
    if (leave == kLeaveNone) {
        bar.SetCurSel(IDC_LEAVE, 0);
    } else if (leave == kLeaveCurrent) {
        bar.SetCurSel(IDC_LEAVE, border ? 0 : 1);
    } else {
        SelectAdded(bar, IDC_LEAVE, view.FormatLength(leave));
    }
}
}  // namespace

void CObjectBarFiller::FillPoints(CViewServices* view, CPoint start, CPoint end) {
    CControlBar* bar = BarOf(view);
    if (!bar) {
        return;
    }
    bar->SetText(IDC_START_Z, view->FormatLength(start.x));
    bar->SetText(IDC_START_X, view->FormatLengthField(IDC_START_X, start.y));
    bar->SetText(IDC_END_Z, view->FormatLength(end.x));
    bar->SetText(IDC_END_X, view->FormatLengthField(IDC_END_X, end.y));
}

void CObjectBarFiller::SelectType(CViewServices* view, int entry) {
    if (CControlBar* bar = BarOf(view)) {
        bar->SetCurSel(IDC_TYPE, entry);
    }
}

void CObjectBarFiller::ShowApplicable(CViewServices* view, int count) {
    CControlBar* bar = BarOf(view);
    if (!bar) {
        return;
    }
    for (int i = 0; i < 7; ++i) {
        const bool applies = i < count;
        if (!applies) {
            bar->SetText(kPointFieldIds[i], "");
            bar->SetCheck(kLockBoxIds[i], 0);
        }
        bar->Enable(kPointFieldIds[i], applies);
        bar->Enable(kLockBoxIds[i], applies);
    }
    for (int id : {IDC_VELOCITY, IDC_FEED, IDC_LEAVE, IDC_READ_VALUES}) {
        bar->Enable(id, true);
    }
}

void CObjectBarFiller::FillLocks(CViewServices* view, const CPiece& piece, int count) {
    CControlBar* bar = BarOf(view);
    if (!bar) {
        return;
    }
    ShowApplicable(view, count);
    for (int i = 0; i < 7; ++i) {
        bar->SetCheck(kLockBoxIds[i], i < count ? piece.GetLock(i) : 0);
    }
}

void CObjectBarFiller::FillAttributes(CViewServices* view, const CPiece& piece) {
    if (CControlBar* bar = BarOf(view)) {
        FillRate(*bar, IDC_VELOCITY, piece.GetSpeed(), false);
        FillRate(*bar, IDC_FEED, piece.GetFeed(), false);
        FillLeave(*bar, *view, piece.GetLeave(), false);
    }
}

void CObjectBarFiller::FillBorderAttributes(CViewServices* view, const CPiece& piece) {
    if (CControlBar* bar = BarOf(view)) {
        FillRate(*bar, IDC_VELOCITY, piece.GetSpeed(), true);
        FillRate(*bar, IDC_FEED, piece.GetFeed(), true);
        FillLeave(*bar, *view, piece.GetLeave(), true);
    }
}
