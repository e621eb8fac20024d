// The command list view: its caption, the list over the client area and the buttons below it.
#include "shell/PreProcesorProgram.h"

#include <QListWidget>
#include <QPainter>
#include <QPushButton>

#include "platform/ProgramWindowIds.h"
#include "shell/PreProcesorView.h"
#include "shell/QtControlBar.h"

CPreProcesorProgram::CPreProcesorProgram(CQtControlBar& bar, QWidget* parent)
    : QWidget(parent), m_pList(new QListWidget(this)) {
    setFont(CPreProcesorView::FormFont());
    m_pList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    bar.Register(IDC_PROG_COMMANDS, m_pList);
    const struct {
        int id;
        const char* text;
    } buttons[3] = {{IDC_EDIT_COMMAND, "Edit Command"},
                    {IDC_DELETE_COMMAND, "Delete Command"},
                    {IDC_COMPILE_PROGRAM, "Compile Program"}};
    for (int i = 0; i < 3; ++i) {
        m_pButtons[i] = new QPushButton(QString::fromLatin1(buttons[i].text), this);
        m_pButtons[i]->setObjectName(QString::number(buttons[i].id));
        bar.Register(buttons[i].id, m_pButtons[i]);
    }
}

void CPreProcesorProgram::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(CPreProcesorView::FormFont());
    p.drawText(QPoint(width() / 2 - 53, 5 + p.fontMetrics().ascent()), QStringLiteral("Current Program"));
}

void CPreProcesorProgram::resizeEvent(QResizeEvent*) {
    const int w = width();
    const int h = height();
    m_pList->setGeometry(0, 30, w, std::max(0, h - 50));
    for (int i = 0; i < 3; ++i) {
        m_pButtons[i]->setGeometry(i * w / 3, h - 20, w / 3, 20);
    }
}
