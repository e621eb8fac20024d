// COptionsDialog: Tools > Options, the program-wide settings (the autosave interval).
#pragma once

#include <QDialog>

class CAutosave;
class QSpinBox;

class COptionsDialog : public QDialog {
    Q_OBJECT
public:
    COptionsDialog(CAutosave& autosave, QWidget* parent);
    QSpinBox* Minutes() const { return m_pMinutes; }

private:
    void accept() override;

    CAutosave& m_autosave;
    QSpinBox* m_pMinutes = nullptr;
};
