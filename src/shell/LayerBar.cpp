// The layer bar's layout: layer list, direction, visibility and the drawing options button.
#include "shell/LayerBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ControlIds.h"

CLayerBar::CLayerBar(QWidget* parent)
    : CDialogBar(QStringLiteral("Layer properties"), QString::fromLatin1(kStateName), parent) {
    auto* box = new QVBoxLayout(Body());
    box->setContentsMargins(6, 4, 6, 4);
    box->setSpacing(3);

    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("Layer"), Body()), 0, 0);
    QStringList layers;
    for (int i = 1; i <= 6; ++i) {
        layers << QStringLiteral("Layer %1").arg(i);
    }
    top->addWidget(MakeCombo(IDC_LAYER, layers), 0, 1);
    box->addLayout(top);

    auto* direction = new QGroupBox(QStringLiteral("Direction"), Body());
    auto* dirRow = new QHBoxLayout(direction);
    dirRow->addWidget(MakeCheck(IDC_DIR_LEFT, QStringLiteral("Left")));
    dirRow->addWidget(MakeCheck(IDC_DIR_RIGHT, QStringLiteral("Right")));
    box->addWidget(direction);

    auto* shown = new QGroupBox(QStringLiteral("Show"), Body());
    auto* grid = new QGridLayout(shown);
    for (int i = 0; i < 6; ++i) {
        grid->addWidget(MakeCheck(kShowLayerIds[i], QStringLiteral("Layer%1").arg(i + 1)), i / 3, i % 3);
    }
    box->addWidget(shown);
    box->addWidget(MakeCheck(IDC_SHOW_SOURCE, QStringLiteral("Show source material")));
    box->addWidget(MakeCheck(IDC_ACTIVE_IN_FRONT, QStringLiteral("Draw Active Layer In Front")));
    box->addWidget(MakeButton(IDC_DRAWING_OPTIONS, QStringLiteral("Drawing options")));
    box->addStretch(1);
}
