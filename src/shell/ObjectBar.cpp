// The object bar's layout: element list, type, points, centre, radius, locks and attributes.
#include "shell/ObjectBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/ControlIds.h"

CObjectBar::CObjectBar(QWidget* parent)
    : CDialogBar(QStringLiteral("Object properties"), QString::fromLatin1(kStateName), parent) {
    auto* grid = new QGridLayout(Body());
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(3);
    int row = 0;
    auto label = [this](const char* text) { return new QLabel(QString::fromLatin1(text), Body()); };

    grid->addWidget(label("Object"), row, 0);
    grid->addWidget(MakeCombo(IDC_OBJECT, {QStringLiteral("No selection")}), row++, 1, 1, 4);
    grid->addWidget(label("Type"), row, 0);
    QComboBox* type =
        MakeCombo(IDC_TYPE, {QStringLiteral("Undefined"), QStringLiteral("Linear"), QStringLiteral("Arc"),
                             QStringLiteral("Selection"), QStringLiteral("DoubleArc")});
    type->setEnabled(false);  // shows the kind, never chooses it
    grid->addWidget(type, row++, 1, 1, 4);

    // One row per coordinate: caption, field and its lock box.
    struct Field {
        const char* group;
        const char* axis;
        int id;
        int lock;
    };
    const Field fields[] = {
        {"Starting Point", "Z=", IDC_START_Z, IDC_LOCK_START_Z},
        {"", "X=", IDC_START_X, IDC_LOCK_START_X},
        {"End Point", "Z=", IDC_END_Z, IDC_LOCK_END_Z},
        {"", "X=", IDC_END_X, IDC_LOCK_END_X},
        {"Steering point", "I=", IDC_STEER_I, IDC_LOCK_I},
        {"", "J=", IDC_STEER_J, IDC_LOCK_J},
        {"Radius", "", IDC_RADIUS, IDC_LOCK_RADIUS},
    };
    for (const Field& f : fields) {
        grid->addWidget(label(f.group), row, 0);
        grid->addWidget(label(f.axis), row, 1);
        grid->addWidget(MakeEdit(f.id), row, 2);
        QLabel* unit = label("mm");
        unit->setObjectName(QStringLiteral("Unit%1").arg(f.id));
        m_unitLabels.append(unit);
        grid->addWidget(unit, row, 3);
        grid->addWidget(MakeCheck(f.lock, QStringLiteral("Lock")), row++, 4);
    }

    grid->addWidget(label("Velocity"), row, 0);
    grid->addWidget(MakeCombo(IDC_VELOCITY, {QStringLiteral("Default"), QStringLiteral("Set")}, true), row++,
                    1, 1, 4);
    grid->addWidget(label("Feed"), row, 0);
    grid->addWidget(MakeCombo(IDC_FEED, {QStringLiteral("Default"), QStringLiteral("Set")}, true), row++, 1,
                    1, 4);
    grid->addWidget(label("3D Leave"), row, 0);
    grid->addWidget(
        MakeCombo(IDC_LEAVE, {QStringLiteral("None"), QStringLiteral("Current"), QStringLiteral("Custom")},
                  true),
        row++, 1, 1, 4);
    grid->addWidget(MakeButton(IDC_READ_VALUES, QStringLiteral("Read Values")), row++, 0, 1, 5);
    grid->setRowStretch(row, 1);
}

void CObjectBar::SetUnitName(const QString& unit) {
    for (QLabel* label : m_unitLabels) {
        label->setText(unit);
    }
}
