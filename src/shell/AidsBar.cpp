// The drawing-aids bar's layout and its fixed list entries.
#include "shell/AidsBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ControlIds.h"
#include "view/UnitLists.h"

QStringList CAidsBar::ToList(const std::vector<std::string>& entries) {
    QStringList list;
    for (const std::string& entry : entries) {
        list << QString::fromStdString(entry);
    }
    return list;
}

CAidsBar::CAidsBar(QWidget* parent)
    : CDialogBar(QStringLiteral("Drawing Aids"), QString::fromLatin1(kStateName), parent) {
    auto* box = new QVBoxLayout(Body());
    box->setContentsMargins(6, 4, 6, 4);
    box->setSpacing(3);

    auto* flags = new QGridLayout;
    flags->addWidget(MakeCheck(IDC_DRAW_AXES, QStringLiteral("Axes")), 0, 0);
    flags->addWidget(MakeCheck(IDC_DRAW_DIMS, QStringLiteral("Dims")), 0, 1);
    flags->addWidget(MakeCheck(IDC_DRAW_LINES, QStringLiteral("Lines")), 1, 0);
    flags->addWidget(MakeCheck(IDC_DRAW_LABELS, QStringLiteral("Labels")), 1, 1);
    QCheckBox* diameter = MakeCheck(IDC_DIAMETER, QStringLiteral("Diameter"));
    diameter->setToolTip(QStringLiteral("Show and type radial values (X) as diameters"));
    flags->addWidget(diameter, 2, 0, 1, 2);
    box->addLayout(flags);

    const QStringList points = {QStringLiteral("1 point"),   QStringLiteral("2 points"),
                                QStringLiteral("3 points"),  QStringLiteral("5 points"),
                                QStringLiteral("10 points"), QStringLiteral("20 points")};
    // The lists start in millimetres, the units shown first; a view refills them for its own.
    const QStringList steps = ToList(CUnitLists::CursorStepEntries(kMillimetres));
    const QStringList snaps = {QStringLiteral("no snap"),   QStringLiteral("1 point"),
                               QStringLiteral("3 points"),  QStringLiteral("5 points"),
                               QStringLiteral("10 points"), QStringLiteral("20 points")};

    auto* grid = new QGridLayout;
    int row = 0;
    auto add = [&](const char* text, QWidget* w) {
        grid->addWidget(new QLabel(QString::fromLatin1(text), Body()), row, 0);
        grid->addWidget(w, row++, 1);
    };
    add("Snap to editable points", MakeCombo(IDC_SNAP_POINTS, points));
    Controls().SetCurSel(IDC_SNAP_POINTS, 3);
    add("Units",
        MakeCombo(IDC_UNITS, {QStringLiteral("cm"), QStringLiteral("mm"), QStringLiteral("inches")}));
    Controls().SetCurSel(IDC_UNITS, kMillimetres);
    add("Accuracy", MakeCombo(IDC_ACCURACY, ToList(CUnitLists::AccuracyEntries(kMillimetres))));
    box->addLayout(grid);

    auto* step = new QGroupBox(QStringLiteral("Cursor step"), Body());
    auto* stepGrid = new QGridLayout(step);
    stepGrid->addWidget(new QLabel(QStringLiteral("Horizontal"), step), 0, 0);
    stepGrid->addWidget(MakeCombo(IDC_STEP_HORZ, steps), 0, 1);
    stepGrid->addWidget(new QLabel(QStringLiteral("Vertical"), step), 1, 0);
    stepGrid->addWidget(MakeCombo(IDC_STEP_VERT, steps), 1, 1);
    box->addWidget(step);

    auto* snap = new QGroupBox(QStringLiteral("Snap Cursor To Neighbour"), Body());
    auto* snapGrid = new QGridLayout(snap);
    snapGrid->addWidget(new QLabel(QStringLiteral("Main"), snap), 0, 0);
    snapGrid->addWidget(MakeCombo(IDC_SNAP_MAIN, snaps), 0, 1);
    snapGrid->addWidget(new QLabel(QStringLiteral("Secondary"), snap), 1, 0);
    snapGrid->addWidget(MakeCombo(IDC_SNAP_SECONDARY, snaps), 1, 1);
    box->addWidget(snap);
    box->addStretch(1);
}
