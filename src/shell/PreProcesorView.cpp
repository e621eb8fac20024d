// The form's fixed controls at their layout positions, and the area for run-time controls.
#include "shell/PreProcesorView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "platform/ProgramWindowIds.h"
#include "shell/QtControlBar.h"

namespace {

// The dialog base units the form's layout (and the panel positions the programs compute) were
// made for: those of the classic 8-point dialog font, 6 by 13 pixels.
constexpr int kBaseX = 6;
constexpr int kBaseY = 13;

}  // namespace

QFont CPreProcesorView::FormFont() {
    // Narrow enough for the captions to fit the layout's boxes, as they did in the classic font.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setLetterSpacing(QFont::PercentageSpacing, 94);
    return font;
}

QRect CPreProcesorView::FromDialogUnits(int x, int y, int w, int h) {
    return QRect(x * kBaseX / 4, y * kBaseY / 8, w * kBaseX / 4, h * kBaseY / 8);
}

CPreProcesorView::CPreProcesorView(CQtControlBar& bar, QWidget* parent)
    : QWidget(parent), m_pForm(std::make_unique<CQtForm>(this, FormFont(), FormFont())) {
    setObjectName(QStringLiteral("PostProcessor"));
    setWindowTitle(QStringLiteral("Post-processor"));
    setFont(FormFont());
    auto place = [this](QWidget* w, int x, int y, int width, int height) {
        w->setParent(this);
        w->setGeometry(FromDialogUnits(x, y, width, height));
    };
    auto caption = [&](const char* text, int x, int y, int width, int height) {
        place(new QLabel(QString::fromLatin1(text)), x, y, width, height);
    };
    auto group = [&](const char* text, int x, int y, int width, int height) {
        auto* box = new QGroupBox(QString::fromLatin1(text));
        place(box, x, y, width, height);
        box->lower();
    };
    auto combo = [&](int id, int x, int y, int width) {
        auto* c = new QComboBox;
        place(c, x, y, width, 13);
        bar.Register(id, c);
    };
    auto button = [&](int id, const char* text, int x, int y, int width, int height) {
        auto* b = new QPushButton(QString::fromLatin1(text));
        place(b, x, y, width, height);
        bar.Register(id, b);
    };

    caption("Select Program", 29, 4, 49, 8);
    combo(IDC_PROG_SELECT, 6, 15, 107);
    group("Program Properties", 3, 35, 111, 101);
    caption("Name", 12, 47, 20, 8);
    auto* name = new QLineEdit;
    place(name, 12, 58, 95, 14);
    bar.Register(IDC_PROG_NAME, name);
    caption("Number", 12, 75, 26, 8);
    // The number field and its up-down control are one spin box: the field's text is the
    // up-down's position.
    auto* number = new QSpinBox;
    number->setRange(kProgramNumberMin, kProgramNumberMax);
    place(number, 12, 86, 34, 14);
    bar.Register(IDC_PROG_NUMBER, number);
    bar.Register(IDC_PROG_NUMBER_SPIN, number, false);
    group("Note", 48, 75, 61, 27);
    button(IDC_NOTE_SHOW, "Edit", 51, 85, 27, 14);
    button(IDC_NOTE_SAVE, "Save", 79, 85, 27, 14);
    caption("Post-processor", 12, 103, 96, 8);
    combo(IDC_PROG_POST, 12, 114, 96);
    caption("Post-processor Commands", 127, 4, 113, 8);
    auto* templates = new QListWidget;
    place(templates, 124, 19, 117, 99);
    bar.Register(IDC_PROG_TEMPLATES, templates);
    button(IDC_PROG_ADD, "Add Command", 125, 122, 52, 14);
    button(IDC_PROG_INSERT, "Insert Command", 183, 121, 56, 14);
}
