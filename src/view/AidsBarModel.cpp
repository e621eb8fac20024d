// Drawing-aids notifications, the unit-dependent lists, and the aids shown on activation.
#include "view/AidsBarModel.h"

#include "platform/ControlIds.h"
#include "view/KestrovelView.h"
#include "view/UnitLists.h"

namespace {
enum : int { kUnitCm = 0, kUnitMm = 1, kUnitInch = 2 };
constexpr int kThousandthsEntry = 3;
}  // namespace

bool CAidsBarModel::OnNotify(CControlBar& bar, int id, BarNotify what) {
    if (what == BarNotify::Clicked && OnCheck(bar, id)) {
        return true;
    }
    if (what == BarNotify::SelChange && OnList(id, bar.GetCurSel(id))) {
        return true;
    }
    for (int known :
         {IDC_DRAW_AXES, IDC_DRAW_DIMS, IDC_DRAW_LINES, IDC_DRAW_LABELS, IDC_SNAP_POINTS, IDC_UNITS,
          IDC_ACCURACY, IDC_STEP_HORZ, IDC_STEP_VERT, IDC_SNAP_MAIN, IDC_SNAP_SECONDARY, IDC_DIAMETER}) {
        if (known == id) {
            return true;
        }
    }
    return false;
}

bool CAidsBarModel::OnCheck(const CControlBar& bar, int id) {
    const int state = bar.GetCheck(id);
    if (id == IDC_DIAMETER) {
        // Only read-outs change: the object bar and the status panes show the other value.
        m_view.SetDiameter(state);
        CommonRefresh();
        return true;
    }
    switch (id) {
        case IDC_DRAW_AXES: m_view.Aids().m_bDrawAxes = state; break;
        case IDC_DRAW_DIMS: m_view.Aids().m_bDrawDims = state; break;
        case IDC_DRAW_LABELS: m_view.SetDrawLabels(state); break;
        case IDC_DRAW_LINES: m_view.SetDrawLines(state); break;
        default: return false;
    }
    // Labels and guide lines reach outside the profile's own painting: the background goes too.
    m_view.Repaint(id == IDC_DRAW_LABELS || id == IDC_DRAW_LINES);
    return true;
}

bool CAidsBarModel::OnList(int id, int entry) {
    CDrawingAids& aids = m_view.Aids();
    int* index = nullptr;
    switch (id) {
        case IDC_SNAP_POINTS: index = &aids.m_nSnapToPoints; break;
        case IDC_STEP_HORZ: index = &aids.m_nStepHorz; break;
        case IDC_STEP_VERT: index = &aids.m_nStepVert; break;
        case IDC_SNAP_MAIN: index = &aids.m_nSnapMain; break;
        case IDC_SNAP_SECONDARY: index = &aids.m_nSnapSecondary; break;
        case IDC_ACCURACY:
        case IDC_UNITS: break;
        default: return false;
    }
    // A list without a selection chooses nothing.
    if (entry < 0) {
        return true;
    }
    if (index) {
        *index = entry;
    } else if (id == IDC_ACCURACY) {
        SetAccuracy(entry);
        CommonRefresh();
    } else {
        SetUnits(entry);
        CommonRefresh();
    }
    return true;
}

void CAidsBarModel::SetAccuracy(int accuracy) {
    m_view.SetAccuracy(accuracy);
    m_view.SetFormatDigit(accuracy);
}

void CAidsBarModel::SetUnits(int units) {
    m_view.SetUnits(units);
    FitAccuracyList(true);
}

void CAidsBarModel::FitAccuracyList(bool followBar) {
    CControlBar* bar = m_view.GetContext().pAidsBar;
    const int units = m_view.GetUnits();
    if (units != kUnitCm && units != kUnitMm && units != kUnitInch) {
        return;
    }
    int shown = bar ? bar->GetCurSel(IDC_ACCURACY) : -1;
    if (units == kUnitMm) {
        const bool barOnThousandths = followBar && shown == kThousandthsEntry;
        if (barOnThousandths || m_view.GetAccuracy() == kThousandthsEntry) {
            SetAccuracy(2);
            shown = 2;
        }
    }
    if (!bar) {
        return;
    }
    Refill(*bar, IDC_ACCURACY, CUnitLists::AccuracyEntries(units), shown);
    const std::vector<std::string> steps = CUnitLists::CursorStepEntries(units);
    Refill(*bar, IDC_STEP_HORZ, steps, bar->GetCurSel(IDC_STEP_HORZ));
    Refill(*bar, IDC_STEP_VERT, steps, bar->GetCurSel(IDC_STEP_VERT));
}

void CAidsBarModel::Refill(CControlBar& bar, int id, const std::vector<std::string>& entries, int selected) {
    bar.ResetContent(id);
    for (const std::string& entry : entries) {
        bar.AddString(id, entry);
    }
    bar.SetCurSel(id, selected >= 0 && selected < static_cast<int>(entries.size()) ? selected : -1);
}

void CAidsBarModel::CommonRefresh() {
    m_view.ShowCursorPosition();
    CPiece* active = m_view.GetActiveElement();
    if (!active) {
        return;
    }
    active->FillPropertyBar(&m_view);
    if (m_view.GetDrawLabels()) {
        m_view.ShowCleanPicture();
        m_view.RepaintOverlay();
    }
}

void CAidsBarModel::ShowViewState() {
    // The list may still show another view's accuracy: only this view's own counts here.
    FitAccuracyList(false);
    CControlBar* bar = m_view.GetContext().pAidsBar;
    if (!bar) {
        return;
    }
    const CDrawingAids& aids = m_view.Aids();
    bar->SetCheck(IDC_DRAW_AXES, aids.m_bDrawAxes);
    bar->SetCheck(IDC_DRAW_DIMS, aids.m_bDrawDims);
    bar->SetCheck(IDC_DRAW_LABELS, m_view.GetDrawLabels());
    bar->SetCheck(IDC_DRAW_LINES, m_view.GetDrawLines());
    bar->SetCheck(IDC_DIAMETER, m_view.GetDiameter());
    bar->SetCurSel(IDC_STEP_HORZ, aids.m_nStepHorz);
    bar->SetCurSel(IDC_STEP_VERT, aids.m_nStepVert);
    bar->SetCurSel(IDC_SNAP_POINTS, aids.m_nSnapToPoints);
    bar->SetCurSel(IDC_SNAP_MAIN, aids.m_nSnapMain);
    bar->SetCurSel(IDC_SNAP_SECONDARY, aids.m_nSnapSecondary);
    bar->SetCurSel(IDC_UNITS, m_view.GetUnits());
    bar->SetCurSel(IDC_ACCURACY, m_view.GetAccuracy());
}
