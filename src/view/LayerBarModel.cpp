// Layer-bar notifications: layer choice, direction, visibility, active layer in front, drawing options.
#include "view/LayerBarModel.h"

#include "document/KestrovelDoc.h"
#include "platform/ControlIds.h"
#include "view/DrawingOptionsPrompt.h"
#include "view/KestrovelView.h"

bool CLayerBarModel::OnNotify(CControlBar& bar, int id, BarNotify what) {
    if (id == IDC_LAYER) {
        if (what == BarNotify::SelChange) {
            SelectLayer(bar.GetCurSel(id));
        }
        return true;
    }
    const bool known = id == IDC_DIR_RIGHT || id == IDC_DIR_LEFT || id == IDC_SHOW_SOURCE ||
                       id == IDC_ACTIVE_IN_FRONT || id == IDC_DRAWING_OPTIONS;
    int shown = -1;
    for (int k = 0; k < CKestrovelDoc::kLayerCount; ++k) {
        if (kShowLayerIds[k] == id) {
            shown = k + 1;
        }
    }
    if (!known && shown < 0) {
        return false;
    }
    if (what != BarNotify::Clicked) {
        return true;
    }
    if (shown > 0) {
        ToggleVisibility(shown);
    } else if (id == IDC_DIR_RIGHT || id == IDC_DIR_LEFT) {
        SetDirection(id == IDC_DIR_RIGHT ? 1 : 0);
    } else if (id == IDC_SHOW_SOURCE) {
        ToggleVisibility(0);
    } else if (id == IDC_ACTIVE_IN_FRONT) {
        ReadActiveInFront();
    } else {
        RunDrawingOptions();
    }
    return true;
}

bool CLayerBarModel::OnCommand(int id) {
    if (id < ID_LAYER_1 || id > ID_LAYER_6) {
        return false;
    }
    SelectLayer(id - ID_LAYER_1);
    return true;
}

bool CLayerBarModel::GetCommandState(int id, CCommandState& state) const {
    if (id < ID_LAYER_1 || id > ID_LAYER_6) {
        return false;
    }
    state = {true, m_view.GetRememberedLayer() == id - ID_LAYER_1};
    return true;
}

void CLayerBarModel::SelectLayer(int index) {
    // An emptied list answers -1: that names no layer.
    if (index < 0 || index >= CKestrovelDoc::kLayerCount) {
        return;
    }
    m_view.SetRememberedLayer(index);
    m_view.ResetEditing();
}

void CLayerBarModel::SetDirection(int direction) {
    if (CLayer* layer = m_view.GetActiveLayer()) {
        layer->SetDirection(direction);
        layer->UpdateDirectionChecks();
    }
}

void CLayerBarModel::ToggleVisibility(int i) {
    if (CLayer* layer = m_view.GetActiveLayer()) {
        layer->ToggleVisibility(i);
    }
}

void CLayerBarModel::ReadActiveInFront() {
    if (CLayer* layer = m_view.GetActiveLayer()) {
        layer->ReadActiveInFront();
    }
}

void CLayerBarModel::RunDrawingOptions() {
    CKestrovelDoc* doc = m_view.GetDocument();
    CDrawingOptionsPrompt* prompt = m_view.GetContext().pDrawingOptions;
    if (doc && prompt) {
        prompt->Run(*doc);
    }
    m_view.UpdateAllViews();
}
