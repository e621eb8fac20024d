// The view tool bar: a 100-pixel zoom box with its presets, then a gap before the buttons.
#include "shell/ViewToolBar.h"

#include <QComboBox>
#include <QFont>

#include "platform/ControlIds.h"

CViewToolBar::CViewToolBar(QWidget* parent)
    : QToolBar(QStringLiteral("View"), parent), m_controls(this), m_pZoom(new QComboBox(this)) {
    setObjectName(QString::fromLatin1(kStateName));
    m_pZoom->setEditable(true);
    m_pZoom->addItems({QStringLiteral("400%"), QStringLiteral("200%"), QStringLiteral("100%"),
                       QStringLiteral("75%"), QStringLiteral("50%"), QStringLiteral("25%"),
                       QStringLiteral("To width"), QStringLiteral("To height"), QStringLiteral("To fit")});
    m_pZoom->setFixedWidth(100);
    m_pZoom->setToolTip(QStringLiteral("Zoom"));
    m_controls.Register(IDC_ZOOM_BOX, m_pZoom);
    addWidget(m_pZoom);
    auto* gap = new QWidget(this);
    gap->setFixedWidth(12);
    addWidget(gap);
}
