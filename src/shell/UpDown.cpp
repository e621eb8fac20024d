// The up-down control: an up arrow raising the position, a down arrow lowering it.
#include "shell/UpDown.h"

#include <QToolButton>
#include <QVBoxLayout>

CUpDown::CUpDown(int minimum, int maximum, int position, QWidget* parent)
    : QWidget(parent), m_nMin(minimum), m_nMax(maximum), m_nPos(position) {
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    auto* up = new QToolButton(this);
    up->setArrowType(Qt::UpArrow);
    up->setAutoRepeat(true);
    up->setObjectName(QStringLiteral("up"));
    auto* down = new QToolButton(this);
    down->setArrowType(Qt::DownArrow);
    down->setAutoRepeat(true);
    down->setObjectName(QStringLiteral("down"));
    for (QToolButton* b : {up, down}) {
        b->setFixedSize(16, 11);
        b->setFocusPolicy(Qt::NoFocus);
        box->addWidget(b);
    }
    connect(up, &QToolButton::clicked, this, [this]() { StepUp(); });
    connect(down, &QToolButton::clicked, this, [this]() { StepDown(); });
}

void CUpDown::SetPos(int position) {
    const int pos = position < m_nMin ? m_nMin : (position > m_nMax ? m_nMax : position);
    if (pos != m_nPos) {
        m_nPos = pos;
        emit positionChanged(pos);
    }
}
