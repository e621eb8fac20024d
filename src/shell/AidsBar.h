// CAidsBar: the "Drawing Aids" bar with display flags, units, accuracy, snaps and cursor steps.
#pragma once

#include "shell/DialogBar.h"

class CAidsBar : public CDialogBar {
    Q_OBJECT
public:
    explicit CAidsBar(QWidget* parent);
    static constexpr const char* kStateName = "AidsDialogBar";

    static QStringList AccuracyEntries();
    static constexpr const char* kFourthAccuracy = "thousandths 0.001";
};
