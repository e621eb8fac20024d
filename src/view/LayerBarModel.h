// CLayerBarModel: what the "Layer properties" bar and the layer tool bar do to the active layer.
#pragma once

#include "platform/ControlBar.h"
#include "view/ViewCommands.h"

class CKestrovelView;

class CLayerBarModel {
public:
    explicit CLayerBarModel(CKestrovelView& view) : m_view(view) {}

    // A notification of the layer bar; false when the control is not one of the bar's.
    bool OnNotify(CControlBar& bar, int id, BarNotify what);
    // Layer 1 ... Layer 6 of the layer tool bar.
    bool OnCommand(int id);
    bool GetCommandState(int id, CCommandState& state) const;

    // Layer index 0...5 becomes the view's layer; the editing starts afresh on it.
    void SelectLayer(int index);
    void SetDirection(int direction);
    // 0 is the source material, 1...6 the layers.
    void ToggleVisibility(int i);
    void ReadActiveInFront();
    void RunDrawingOptions();

private:
    CKestrovelView& m_view;
};
