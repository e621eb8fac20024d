// CPreProcesorView: the CNC window's form: program choice, properties, note and templates.
#pragma once

#include <QWidget>
#include <memory>

#include "shell/QtForm.h"

class CQtControlBar;

class CPreProcesorView : public QWidget {
    Q_OBJECT
public:
    // Builds the form's controls and registers them on the window's bar.
    CPreProcesorView(CQtControlBar& bar, QWidget* parent);

    CQtForm& Form() { return *m_pForm; }
    // Both roles use the same face: a small sans-serif close to the classic dialog font.
    static QFont FormFont();
    // Dialog units of the form's layout to pixels.
    static QRect FromDialogUnits(int x, int y, int w, int h);

private:
    std::unique_ptr<CQtForm> m_pForm;
};
