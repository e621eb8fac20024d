// CAidsBarModel: the "Drawing Aids" bar: display flags, snapping, cursor steps, units and accuracy.
#pragma once

#include <string>
#include <vector>

#include "platform/ControlBar.h"

class CKestrovelView;

class CAidsBarModel {
public:
    explicit CAidsBarModel(CKestrovelView& view) : m_view(view) {}

    // A notification of the aids bar; false when the control is not one of the bar's.
    bool OnNotify(CControlBar& bar, int id, BarNotify what);

    // Accuracy index (0...3 decimals) and units index (0 cm, 1 mm, 2 inches) chosen.
    void SetAccuracy(int accuracy);
    void SetUnits(int units);
    // The status read-out, the object bar and the overlay after a units or accuracy change.
    void CommonRefresh();
    // The bar's boxes and lists show the view's settings (the view became active).
    void ShowViewState();

private:
    bool OnCheck(const CControlBar& bar, int id);
    bool OnList(int id, int entry);
    // The accuracy and cursor-step lists name the units' steps; mm cannot show thousandths, so
    // an accuracy of 3 (the view's, or with followBar the list's selection) becomes 2.
    void FitAccuracyList(bool followBar);
    static void Refill(CControlBar& bar, int id, const std::vector<std::string>& entries, int selected);

    CKestrovelView& m_view;
};
