// CPreProcesorProgram: the CNC window's command list of the active program with its three buttons.
#pragma once

#include <QWidget>

class CQtControlBar;
class QListWidget;
class QPushButton;

class CPreProcesorProgram : public QWidget {
    Q_OBJECT
public:
    CPreProcesorProgram(CQtControlBar& bar, QWidget* parent);

    QListWidget* List() const { return m_pList; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QListWidget* m_pList;
    QPushButton* m_pButtons[3];
};
