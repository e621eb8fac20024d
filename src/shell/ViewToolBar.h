// CViewToolBar: the "View" tool bar with the zoom box and the zoom commands.
#pragma once

#include <QToolBar>

#include "shell/QtControlBar.h"

class QComboBox;

class CViewToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit CViewToolBar(QWidget* parent);

    // The bar the core sees: the zoom box under its identifier.
    CQtControlBar& Controls() { return m_controls; }
    QComboBox* ZoomBox() const { return m_pZoom; }
    static constexpr const char* kStateName = "ViewToolBar";

private:
    CQtControlBar m_controls;
    QComboBox* m_pZoom;
};
