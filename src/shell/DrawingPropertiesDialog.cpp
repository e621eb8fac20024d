// The "Drawing properties" dialog: fields, spins, radio buttons and the two lists.
#include "shell/DrawingPropertiesDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/Messages.h"
#include "shell/AidsBar.h"
#include "shell/QtText.h"
#include "shell/UpDown.h"
#include "view/UnitLists.h"

namespace {
QString IdName(int id) {
    return QString::number(id);
}
}  // namespace

CDrawingPropertiesDialog::CDrawingPropertiesDialog(const CDrawingPropertiesValues& values,
                                                   CMessages* messages, QWidget* parent)
    : QDialog(parent), m_logic(values), m_pMessages(messages) {
    setWindowTitle(QStringLiteral("Drawing properties"));
    BuildLayout();
    m_pUnits->setCurrentIndex(m_logic.Values().nUnits);
    FillAccuracyList();
    (m_logic.Values().nShape == 1 ? m_pCylinder : m_pPrism)->setChecked(true);
    ShowFields();
    ShowUnits();
}

void CDrawingPropertiesDialog::BuildLayout() {
    auto* box = new QVBoxLayout(this);
    auto* source = new QGroupBox(QStringLiteral("Source material"), this);
    auto* grid = new QGridLayout(source);
    m_pHeight = new QLineEdit(source);
    m_pBase = new QLineEdit(source);
    m_pHeightSpin = new CUpDown(CDrawingPropertiesLogic::kSpinMin, CDrawingPropertiesLogic::kSpinMax,
                                CDrawingPropertiesLogic::kSpinStart, source);
    m_pBaseSpin = new CUpDown(CDrawingPropertiesLogic::kSpinMin, CDrawingPropertiesLogic::kSpinMax,
                              CDrawingPropertiesLogic::kSpinStart, source);
    m_pHeight->setObjectName(IdName(IDC_HEIGHT));
    m_pBase->setObjectName(IdName(IDC_BASE));
    m_pHeightSpin->setObjectName(IdName(IDC_HEIGHT_SPIN));
    m_pBaseSpin->setObjectName(IdName(IDC_BASE_SPIN));
    auto* heightLabel = new QLabel(QStringLiteral("Height"), source);
    auto* baseLabel = new QLabel(QStringLiteral("Base"), source);
    // "Height" is the part's length along the turning axis, not a height across it.
    const QString heightTip = QStringLiteral("The part's length along Z, the turning axis");
    const QString baseTip = QStringLiteral("The stock's size across the axis: twice its radius X");
    heightLabel->setToolTip(heightTip);
    m_pHeight->setToolTip(heightTip);
    baseLabel->setToolTip(baseTip);
    m_pBase->setToolTip(baseTip);
    for (QLabel*& unit : m_pUnitLabels) {
        unit = new QLabel(source);
    }
    m_pUnitLabels[0]->setObjectName(QStringLiteral("HeightUnit"));
    m_pUnitLabels[1]->setObjectName(QStringLiteral("BaseUnit"));
    grid->addWidget(heightLabel, 0, 0);
    grid->addWidget(m_pHeight, 0, 1);
    grid->addWidget(m_pHeightSpin, 0, 2);
    grid->addWidget(m_pUnitLabels[0], 0, 3);
    grid->addWidget(baseLabel, 1, 0);
    grid->addWidget(m_pBase, 1, 1);
    grid->addWidget(m_pBaseSpin, 1, 2);
    grid->addWidget(m_pUnitLabels[1], 1, 3);
    m_pPrism = new QRadioButton(QStringLiteral("Prism"), source);
    m_pCylinder = new QRadioButton(QStringLiteral("Cylinder"), source);
    m_pPrism->setObjectName(IdName(IDC_PRISM));
    m_pCylinder->setObjectName(IdName(IDC_CYLINDER));
    grid->addWidget(m_pPrism, 2, 0);
    grid->addWidget(m_pCylinder, 2, 1);
    m_pRefusal = new QLabel(source);
    m_pRefusal->setObjectName(QStringLiteral("Refusal"));
    m_pRefusal->setStyleSheet(QStringLiteral("color: #b00000"));
    m_pRefusal->setWordWrap(true);
    m_pRefusal->hide();
    grid->addWidget(m_pRefusal, 3, 0, 1, 4);
    box->addWidget(source);

    auto* display = new QGridLayout;
    m_pUnits = new QComboBox(this);
    m_pUnits->addItems({QStringLiteral("cm"), QStringLiteral("mm"), QStringLiteral("inches")});
    m_pUnits->setObjectName(IdName(IDC_DP_UNITS));
    m_pAccuracy = new QComboBox(this);
    m_pAccuracy->setObjectName(IdName(IDC_DP_ACCURACY));
    display->addWidget(new QLabel(QStringLiteral("Units"), this), 0, 0);
    display->addWidget(m_pUnits, 0, 1);
    display->addWidget(new QLabel(QStringLiteral("Accuracy"), this), 1, 0);
    display->addWidget(m_pAccuracy, 1, 1);
    box->addLayout(display);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(IdName(IDC_DP_OK));
    box->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDrawingPropertiesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDrawingPropertiesDialog::reject);

    connect(m_pHeight, &QLineEdit::textEdited, this, [this]() { m_bEdited[0] = true; });
    connect(m_pBase, &QLineEdit::textEdited, this, [this]() { m_bEdited[1] = true; });
    m_pHeight->installEventFilter(this);
    m_pBase->installEventFilter(this);
    connect(m_pHeightSpin, &CUpDown::positionChanged, this, [this](int pos) { OnSpin(0, pos); });
    connect(m_pBaseSpin, &CUpDown::positionChanged, this, [this](int pos) { OnSpin(1, pos); });
    connect(m_pUnits, &QComboBox::activated, this, &CDrawingPropertiesDialog::OnUnitsChanged);
    connect(m_pAccuracy, &QComboBox::activated, this, &CDrawingPropertiesDialog::OnAccuracyChanged);
}

bool CDrawingPropertiesDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (watched == m_pHeight && m_bEdited[0]) {
            ReadField(0);
        } else if (watched == m_pBase && m_bEdited[1]) {
            ReadField(1);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CDrawingPropertiesDialog::ShowField(int which) {
    if (which == 0) {
        m_pHeight->setText(ToQ(m_logic.ShowLength(m_logic.Values().nLength)));
    } else {
        m_pBase->setText(ToQ(m_logic.ShowLength(m_logic.Values().nBase)));
    }
}

void CDrawingPropertiesDialog::ShowFields() {
    ShowField(0);
    ShowField(1);
}

void CDrawingPropertiesDialog::OnSpin(int which, int position) {
    // The arrows never take the focus: the typed text is read here, or the step would start
    // from the value before it.
    if (m_bEdited[which]) {
        ReadField(which);
    }
    int32_t& value = which == 0 ? m_logic.Values().nLength : m_logic.Values().nBase;
    value =
        m_logic.OnSpin(which == 0 ? CDrawingPropertiesLogic::kSpinLength : CDrawingPropertiesLogic::kSpinBase,
                       position, value);
    ShowField(which);
}

bool CDrawingPropertiesDialog::ReadField(int which) {
    // A text that is no number leaves the value as it was.
    QLineEdit* edit = which == 0 ? m_pHeight : m_pBase;
    m_bEdited[which] = false;
    return m_logic.ReadStock(
        which == 0 ? CDrawingPropertiesLogic::kSpinLength : CDrawingPropertiesLogic::kSpinBase,
        FromQ(edit->text()));
}

bool CDrawingPropertiesDialog::ReadFields() {
    const bool length = ReadField(0);
    const bool base = ReadField(1);
    return length && base;
}

void CDrawingPropertiesDialog::ShowUnits() {
    for (QLabel* unit : m_pUnitLabels) {
        unit->setText(ToQ(m_logic.UnitName()));
    }
}

void CDrawingPropertiesDialog::FillAccuracyList() {
    m_pAccuracy->clear();
    m_pAccuracy->addItems(CAidsBar::ToList(CUnitLists::AccuracyEntries(m_logic.Values().nUnits)));
    m_pAccuracy->setCurrentIndex(
        m_logic.Values().nAccuracy < m_pAccuracy->count() ? m_logic.Values().nAccuracy : -1);
}

void CDrawingPropertiesDialog::OnAccuracyChanged(int index) {
    ReadFields();
    m_logic.SetAccuracy(index);
    ShowFields();
}

void CDrawingPropertiesDialog::OnUnitsChanged(int index) {
    ReadFields();
    m_logic.SetUnits(index);
    FillAccuracyList();
    ShowFields();
    ShowUnits();
}

void CDrawingPropertiesDialog::accept() {
    // A field that holds no valid length (empty, not a number, a length of zero) is refused as
    // the size check refuses: the dialog stays open, the field has the focus to be corrected.
    for (int which = 0; which < 2; ++which) {
        if (!ReadField(which)) {
            QLineEdit* edit = which == 0 ? m_pHeight : m_pBase;
            m_pRefusal->setText(ToQ(m_logic.RangeMessage(which)));
            m_pRefusal->show();
            edit->setFocus();
            edit->selectAll();
            return;
        }
    }
    m_pRefusal->hide();
    m_logic.Values().nShape = m_pCylinder->isChecked() ? 1 : 0;
    if (m_logic.IsTooBig()) {
        if (m_pMessages) {
            m_pMessages->MessageBox(m_logic.TooBigMessage(), CDrawingPropertiesLogic::kTooBigCaption,
                                    MessageIcon::Stop, MessageButtons::Ok);
        }
        return;
    }
    QDialog::accept();
}
