// CLayerBar: the "Layer properties" bar for the active layer and the layers shown with it.
#pragma once

#include "shell/DialogBar.h"

class CLayerBar : public CDialogBar {
    Q_OBJECT
public:
    explicit CLayerBar(QWidget* parent);
    static constexpr const char* kStateName = "LayerDialogBar";
};
