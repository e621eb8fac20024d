// CDrawingPropertiesDialog: the modal "Drawing properties" dialog for stock, units and accuracy.
#pragma once

#include <QDialog>

#include "shell/DrawingPropertiesLogic.h"

class CMessages;
class CUpDown;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class CDrawingPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    // Control identifiers of the layout; widgets carry them as their object names.
    enum : int {
        IDC_HEIGHT = 1027,
        IDC_HEIGHT_SPIN = 1055,
        IDC_BASE = 1029,
        IDC_BASE_SPIN = 1056,
        IDC_PRISM = 1026,
        IDC_CYLINDER = 1025,
        IDC_DP_UNITS = 1033,
        IDC_DP_ACCURACY = 1034,
        IDC_DP_OK = 1031,
    };

    CDrawingPropertiesDialog(const CDrawingPropertiesValues& values, CMessages* messages, QWidget* parent);

    const CDrawingPropertiesValues& Values() const { return m_logic.Values(); }
    const CDrawingPropertiesLogic& Logic() const { return m_logic; }

public slots:
    // OK: reads both fields and closes unless the stock is too big.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void ShowField(int which);
    void ShowFields();
    // False when a field holds a text that is no valid length (its value is kept).
    bool ReadFields();
    bool ReadField(int which);
    // A spin arrow: what was typed counts first, then the step.
    void OnSpin(int which, int position);
    void ShowUnits();
    void OnAccuracyChanged(int index);
    void OnUnitsChanged(int index);
    void FillAccuracyList();

    CDrawingPropertiesLogic m_logic;
    CMessages* m_pMessages;
    QLineEdit* m_pHeight = nullptr;
    QLineEdit* m_pBase = nullptr;
    QLabel* m_pUnitLabels[2] = {nullptr, nullptr};
    CUpDown* m_pHeightSpin = nullptr;
    CUpDown* m_pBaseSpin = nullptr;
    QRadioButton* m_pPrism = nullptr;
    QRadioButton* m_pCylinder = nullptr;
    QComboBox* m_pUnits = nullptr;
    QComboBox* m_pAccuracy = nullptr;
    // Says beside the fields why a value was refused, naming the range taken.
    QLabel* m_pRefusal = nullptr;
    bool m_bEdited[2] = {false, false};
};
