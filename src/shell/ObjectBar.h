// CObjectBar: the "Object properties" bar showing and editing the active element.
#pragma once

#include "shell/DialogBar.h"

class CObjectBar : public CDialogBar {
    Q_OBJECT
public:
    explicit CObjectBar(QWidget* parent);
    static constexpr const char* kStateName = "ObjectDialogBar";
};
