// CAidsBar: the "Drawing Aids" bar with display flags, units, accuracy, snaps and cursor steps.
#pragma once

#include <string>
#include <vector>

#include "shell/DialogBar.h"

class CAidsBar : public CDialogBar {
    Q_OBJECT
public:
    explicit CAidsBar(QWidget* parent);
    static constexpr const char* kStateName = "AidsDialogBar";

    static constexpr int kMillimetres = 1;
    static QStringList ToList(const std::vector<std::string>& entries);
};
