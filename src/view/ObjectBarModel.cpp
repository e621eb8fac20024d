// Object-bar notifications: object choice, locks, point fields, velocity, feed, 3D leave, Read Values.
#include "view/ObjectBarModel.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "document/Layer.h"
#include "elements/Piece.h"
#include "platform/ControlIds.h"
#include "platform/Geometry.h"
#include "platform/Messages.h"
#include "platform/Units.h"
#include "platform/ViewHost.h"
#include "view/EditingTools.h"
#include "view/KestrovelView.h"
#include "view/ViewCommands.h"
#include "view/WholeNumberReader.h"

namespace {
// Point fields in the order of the element's edited flags.
constexpr const int* kFieldIds = kPointFieldIds;

// How the status bar names each point field when it refuses a typed value.
constexpr const char* kFieldNames[7] = {"Starting Point Z", "Starting Point X", "End Point Z", "End Point X",
                                        "Steering point I", "Steering point J", "Radius"};

int IndexOf(const int* ids, int count, int id) {
    for (int i = 0; i < count; ++i) {
        if (ids[i] == id) {
            return i;
        }
    }
    return -1;
}

// Appends an empty entry for a typed value and selects the entry the box reserves for it.
void OpenTypedEntry(CControlBar& bar, int id, int index) {
    bar.AddString(id, "");
    bar.SetCurSel(id, index);
}
}  // namespace

bool CObjectBarModel::OnNotify(CControlBar& bar, int id, BarNotify what) {
    const int lock = IndexOf(kLockBoxIds, 7, id);
    const int field = IndexOf(kFieldIds, 7, id);
    if (lock >= 0) {
        if (what == BarNotify::Clicked) {
            LockChanged(lock, bar.GetCheck(id));
        }
    } else if (field >= 0) {
        if (what == BarNotify::EditChange) {
            m_bTyped[field] = true;
        } else if (what == BarNotify::KillFocus) {
            FieldLeft(field);
        } else if (what == BarNotify::Return) {
            EnterPressed(bar, id);
        }
    } else if (id == IDC_OBJECT || id == IDC_VELOCITY || id == IDC_FEED || id == IDC_LEAVE) {
        if (what == BarNotify::Return && id != IDC_OBJECT) {
            EnterPressed(bar, id);
            return true;
        }
        if (what == BarNotify::EditChange && id != IDC_OBJECT) {
            // A typed value waits for Enter, Read Values or OK, wherever the focus goes meanwhile.
            ActiveForEdit(true);
            return true;
        }
        if (what != BarNotify::SelChange) {
            return true;
        }
        const int entry = bar.GetCurSel(id);
        if (id == IDC_OBJECT) {
            SelectObject(entry);
        } else if (id == IDC_LEAVE) {
            LeaveChanged(bar, entry);
        } else {
            RateChanged(bar, id, entry);
        }
    } else if (id == IDC_READ_VALUES) {
        if (what == BarNotify::Clicked) {
            ReadValues(bar);
        }
    } else {
        return id == IDC_TYPE;
    }
    return true;
}

void CObjectBarModel::SelectObject(int entry) {
    CLayer* layer = m_view.GetActiveLayer();
    const CPiece* found = entry >= 1 && layer ? layer->FindByNumber(entry - 1) : nullptr;
    if (!found) {
        if (entry == 0 && m_view.GetActiveElement()) {
            // "No selection": the element goes, and with it every value the bar showed.
            m_view.DiscardActiveElement();
            m_view.EditState().m_nMouseMode = kModeIdle;
        }
        return;
    }
    std::fill(std::begin(m_bTyped), std::end(m_bTyped), false);
    m_view.DiscardActiveElement();
    m_view.Repaint(true);
    CEditState& st = m_view.EditState();
    if (st.m_nMouseMode != kModeIdle && st.m_nMouseMode != kModeSelected) {
        st.m_nCursor = kCursorArrow;
        st.m_nPrevMouseMode = kModeIdle;
        if (CViewHost* host = m_view.GetHost()) {
            host->SetCursor(kCursorArrow);
        }
    }
    m_view.Tools().SetActive(found->Clone());
    if (CPiece* active = m_view.GetActiveElement()) {
        active->FillPropertyBar(&m_view);
        m_view.RepaintOverlay();
    }
    st.m_nMouseMode = kModeSelected;
}

CPiece* CObjectBarModel::ActiveForEdit(bool pending) {
    CPiece* active = m_view.GetActiveElement();
    if (active) {
        m_view.EditState().m_bElementChanged = 1;
        if (pending) {
            m_view.EditState().m_bValuesPending = 1;
        }
    }
    return active;
}

void CObjectBarModel::LockChanged(int lock, int state) {
    if (CPiece* active = ActiveForEdit(false)) {
        active->SetLock(lock, state);
    }
}

void CObjectBarModel::FieldLeft(int field) {
    if (CPiece* active = m_view.GetActiveElement()) {
        active->SetEdited(field, 1);
        m_view.EditState().m_bValuesPending = 1;
    }
}

void CObjectBarModel::RateChanged(CControlBar& bar, int id, int entry) {
    CPiece* active = ActiveForEdit(true);
    if (!active) {
        return;
    }
    if (entry == 0) {
        if (id == IDC_VELOCITY) {
            active->SetSpeed(-1);
        } else {
            active->SetFeed(-1);
        }
    } else if (entry == 1) {
        OpenTypedEntry(bar, id, 2);
    }
}

void CObjectBarModel::LeaveChanged(CControlBar& bar, int entry) {
    CPiece* active = ActiveForEdit(true);
    if (!active) {
        return;
    }
    if (entry == 0) {
        active->SetLeave(kLeaveNone);
    } else if (entry == 1) {
        active->SetLeave(kLeaveCurrent);
    } else if (entry == 2) {
        OpenTypedEntry(bar, IDC_LEAVE, 3);
    }
}

void CObjectBarModel::ShowError(const char* text) const {
    if (CMessages* messages = m_view.GetMessages()) {
        messages->MessageBox(text, "Error", MessageIcon::None, MessageButtons::Ok);
    }
}

std::optional<int32_t> CObjectBarModel::ReadRate(const CControlBar& bar, int id, const char* message) const {
    if (bar.GetCurSel(id) == 0) {
        return -1;
    }
    const int32_t value = ReadWholeNumber(bar.GetText(id), kRateMin, kRateMax);
    if (IsInvalidWholeNumber(value, kRateMax)) {
        ShowError(message);
        return std::nullopt;
    }
    return value;
}

std::optional<int32_t> CObjectBarModel::ReadLeave(const CControlBar& bar) const {
    const int entry = bar.GetCurSel(IDC_LEAVE);
    if (entry == 0) {
        return kLeaveNone;
    }
    if (entry == 1) {
        return kLeaveCurrent;
    }
    const double value = CViewServices::ReadDecimal(bar.GetText(IDC_LEAVE));
    if (value == CViewServices::kInvalidDecimal) {
        ShowError("You have suplied wrong 3D Leave data");
        return std::nullopt;
    }
    return Round(value * 10000.0 * UnitDivisor(m_view.GetUnits()));
}

bool CObjectBarModel::CheckTypedField(const CControlBar& bar, int field) const {
    const int id = kFieldIds[field];
    const bool radial = CViewServices::IsRadialField(id);
    const bool axial = id == IDC_START_Z || id == IDC_END_Z;
    // Points lie on the drawing; a centre or a radius only needs to be a length the model holds.
    const int32_t limit = axial ? m_view.GetDrawingLength() : radial ? kMaxRadial : kRoundLimit;
    const double factor =
        10000.0 * UnitDivisor(m_view.GetUnits()) / (radial && m_view.GetDiameter() ? 2.0 : 1.0);
    const std::string text = bar.GetText(id);
    const double typed = CViewServices::ReadDecimal(text);
    const bool blank = text.find_first_not_of(' ') == std::string::npos;
    if (!blank && typed != CViewServices::kInvalidDecimal && typed * factor <= limit) {
        return true;
    }
    char buf[160];
    std::snprintf(buf, sizeof buf, "%s takes a number from 0 to %s %s", kFieldNames[field],
                  m_view.FormatLengthField(id, limit).c_str(), UnitName(m_view.GetUnits()));
    m_view.ShowRefusal(buf);
    return false;
}

void CObjectBarModel::TakeTypedText(CControlBar& bar, int id) {
    // The entries before the typed one are fixed ("Default", "Set"; "None", "Current",
    // "Custom"); a text typed over one of them is meant as a value, so the list moves to the
    // entry of typed values, as choosing "Set" or "Custom" would have made it.
    const int typedEntry = id == IDC_LEAVE ? 3 : 2;
    const int sel = bar.GetCurSel(id);
    const std::string text = bar.GetText(id);
    if (sel < typedEntry && (sel < 0 || text != bar.GetEntry(id, sel))) {
        if (bar.GetCount(id) <= typedEntry) {
            bar.AddString(id, "");
        }
        bar.SetCurSel(id, typedEntry);
        bar.SetText(id, text);
    }
}

bool CObjectBarModel::ReadValues(CControlBar& bar) {
    CPiece* active = m_view.GetActiveElement();
    CEditState& st = m_view.EditState();
    if (!active || !st.m_bValuesPending) {
        return true;
    }
    for (int field = 0; field < 7; ++field) {
        if (m_bTyped[field] && !CheckTypedField(bar, field)) {
            return false;
        }
    }
    std::fill(std::begin(m_bTyped), std::end(m_bTyped), false);
    for (int id : {IDC_VELOCITY, IDC_FEED, IDC_LEAVE}) {
        TakeTypedText(bar, id);
    }
    st.m_bValuesPending = 0;
    active->ReadPropertyBar(&m_view);
    // The fields now show what was read; a later Read Values must not take their texts again
    // (they are reformatted by every units change).
    active->ClearEdited();
    // A wrong text keeps the element's value: the reader's invalid marker is no velocity.
    if (const auto speed = ReadRate(bar, IDC_VELOCITY, "You have suplied wrong velocity data")) {
        active->SetSpeed(*speed);
    }
    if (const auto feed = ReadRate(bar, IDC_FEED, "You have suplied wrong feed data")) {
        active->SetFeed(*feed);
    }
    if (const auto leave = ReadLeave(bar)) {
        active->SetLeave(*leave);
    }
    if (st.IsFast()) {
        m_view.ApplyActiveElement(1);
    } else {
        m_view.ShowCleanPicture();
        m_view.RepaintOverlay();
    }
    return true;
}

bool CObjectBarModel::ReadPendingValues() {
    CControlBar* bar = m_view.GetContext().pObjectBar;
    return !bar || ReadValues(*bar);
}

void CObjectBarModel::EnterPressed(CControlBar& bar, int id) {
    if (!m_view.GetActiveElement()) {
        return;
    }
    const int field = IndexOf(kFieldIds, 7, id);
    if (field >= 0) {
        FieldLeft(field);
    } else {
        ActiveForEdit(true);
    }
    ReadValues(bar);
}
