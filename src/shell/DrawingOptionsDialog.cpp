// The "Drawing Options" dialog: lists drawn as samples, colour swatches and the layer switch.
#include "shell/DrawingOptionsDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Surface.h"
#include "shell/QtSurface.h"

namespace {

constexpr QSize kSample(72, 14);

bool ChooseWithDialog(COLORREF& color, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(CQtSurface::ToColor(color), parent);
    if (!chosen.isValid()) {
        return false;
    }
    color = RGB(chosen.red(), chosen.green(), chosen.blue());
    return true;
}

QString IdName(int id) {
    return QString::number(id);
}

// Paints one list entry's sample through the drawing surface, so the list shows what the
// drawing will show.
void PaintPenSample(QPainter& p, const QRect& r, int style, int width) {
    CQtSurface surface(&p, r.width(), r.height());
    surface.SetPen(CPen{style, width, kColorBlack});
    surface.MoveTo(r.left() + 4, r.center().y());
    surface.LineTo(r.right() - 4, r.center().y());
}

void PaintBrushSample(QPainter& p, const QRect& r, int entry) {
    CQtSurface surface(&p, r.width(), r.height());
    surface.SetPen(CPen{kPenSolid, 1, kColorBlack});
    if (entry == 0) {
        surface.SetBrush(CBrush::MakeSolid(kColorGray));
    } else if (entry == 1) {
        surface.SetBrush(CBrush::MakeNull());
    } else {
        surface.SetBrush(CBrush::MakeHatch(CDrawingOptionsLogic::kHatchOrder[entry - 2], kColorBlack));
    }
    surface.Rectangle(CRect(r.left() + 4, r.top() + 1, r.right() - 3, r.bottom()));
}

}  // namespace

CDrawingOptionsDialog::CDrawingOptionsDialog(CDrawingOptionsHost& host, QWidget* parent)
    : QDialog(parent), m_logic(host), m_chooser(ChooseWithDialog) {
    setWindowTitle(QStringLiteral("Drawing Options"));
    BuildLayout();
    ShowLayer();
}

QComboBox* CDrawingOptionsDialog::SampleList(int id, int count,
                                             const std::function<void(QPainter&, int, const QRect&)>& paint) {
    auto* list = new QComboBox(this);
    list->setObjectName(IdName(id));
    list->setIconSize(kSample);
    for (int i = 0; i < count; ++i) {
        QPixmap sample(kSample);
        sample.fill(Qt::white);
        QPainter p(&sample);
        paint(p, i, QRect(QPoint(0, 0), kSample));
        p.end();
        list->addItem(QIcon(sample), QString());
    }
    return list;
}

void CDrawingOptionsDialog::BuildLayout() {
    auto* box = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Layer"), this));
    m_pLayer = new QComboBox(this);
    m_pLayer->setObjectName(IdName(IDC_DO_LAYER));
    for (int i = 1; i <= 6; ++i) {
        m_pLayer->addItem(QStringLiteral("Layer %1").arg(i));
    }
    top->addWidget(m_pLayer);
    box->addLayout(top);

    m_pWidth = SampleList(IDC_DO_WIDTH, CDrawingOptionsLogic::kWidthCount,
                          [](QPainter& p, int i, const QRect& r) { PaintPenSample(p, r, kPenSolid, i + 1); });
    m_pStyle = SampleList(IDC_DO_STYLE, CDrawingOptionsLogic::kStyleCount,
                          [](QPainter& p, int i, const QRect& r) { PaintPenSample(p, r, i, 1); });
    m_pBrush = SampleList(IDC_DO_BRUSH, CDrawingOptionsLogic::kBrushCount,
                          [](QPainter& p, int i, const QRect& r) { PaintBrushSample(p, r, i); });

    auto swatch = [this](int id) {
        auto* frame = new QFrame(this);
        frame->setObjectName(IdName(id));
        frame->setFrameShape(QFrame::Box);
        frame->setFixedSize(40, 20);
        frame->setAutoFillBackground(true);
        return frame;
    };
    auto button = [this](int id, const char* text) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(IdName(id));
        return b;
    };

    auto* line = new QGroupBox(QStringLiteral("Line"), this);
    auto* lineGrid = new QGridLayout(line);
    lineGrid->addWidget(new QLabel(QStringLiteral("Width"), line), 0, 0);
    lineGrid->addWidget(m_pWidth, 0, 1, 1, 2);
    lineGrid->addWidget(new QLabel(QStringLiteral("Style"), line), 1, 0);
    lineGrid->addWidget(m_pStyle, 1, 1, 1, 2);
    m_pPenSwatch = swatch(IDC_DO_PEN_SWATCH);
    QPushButton* penChange = button(IDC_DO_PEN_CHANGE, "Change");
    lineGrid->addWidget(new QLabel(QStringLiteral("Color"), line), 2, 0);
    lineGrid->addWidget(m_pPenSwatch, 2, 1);
    lineGrid->addWidget(penChange, 2, 2);
    box->addWidget(line);

    auto* brush = new QGroupBox(QStringLiteral("Brush"), this);
    auto* brushGrid = new QGridLayout(brush);
    brushGrid->addWidget(new QLabel(QStringLiteral("Style"), brush), 0, 0);
    brushGrid->addWidget(m_pBrush, 0, 1, 1, 2);
    m_pBrushSwatch = swatch(IDC_DO_BRUSH_SWATCH);
    QPushButton* brushChange = button(IDC_DO_BRUSH_CHANGE, "Change");
    brushGrid->addWidget(new QLabel(QStringLiteral("Color"), brush), 1, 0);
    brushGrid->addWidget(m_pBrushSwatch, 1, 1);
    brushGrid->addWidget(brushChange, 1, 2);
    box->addWidget(brush);

    m_pEdges = new QCheckBox(QStringLiteral("Draw Edges"), this);
    m_pEdges->setObjectName(IdName(IDC_DO_EDGES));
    box->addWidget(m_pEdges);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* aply = button(IDC_DO_APLY, "Aply");
    QPushButton* tryIt = button(IDC_DO_TRY, "Try");
    buttons->addButton(aply, QDialogButtonBox::ApplyRole);
    buttons->addButton(tryIt, QDialogButtonBox::ActionRole);
    box->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDrawingOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDrawingOptionsDialog::reject);

    connect(m_pWidth, &QComboBox::activated, this, [this](int i) { m_logic.SelectWidth(i); });
    connect(m_pStyle, &QComboBox::activated, this, [this](int i) {
        m_logic.SelectStyle(i);
        m_pWidth->setCurrentIndex(m_logic.WidthEntry());
    });
    connect(m_pBrush, &QComboBox::activated, this, [this](int i) { m_logic.SelectBrush(i); });
    connect(m_pEdges, &QCheckBox::clicked, this, [this](bool on) { m_logic.SetDrawEdges(on ? 1 : 0); });
    connect(penChange, &QPushButton::clicked, this, [this]() { ChangeColor(true); });
    connect(brushChange, &QPushButton::clicked, this, [this]() { ChangeColor(false); });
    connect(tryIt, &QPushButton::clicked, this, [this]() { m_logic.Try(); });
    connect(aply, &QPushButton::clicked, this, [this]() { m_logic.Apply(); });
    connect(m_pLayer, &QComboBox::activated, this, [this](int i) {
        m_logic.SwitchLayer(i);
        ShowLayer();
    });
}

void CDrawingOptionsDialog::ShowLayer() {
    m_pLayer->setCurrentIndex(m_logic.GetLayer());
    m_pWidth->setCurrentIndex(m_logic.WidthEntry());
    m_pStyle->setCurrentIndex(m_logic.StyleEntry());
    m_pBrush->setCurrentIndex(m_logic.BrushEntry());
    m_pEdges->setChecked(m_logic.Style().m_bDrawEdges != 0);
    PaintSwatches();
}

void CDrawingOptionsDialog::PaintSwatches() {
    auto fill = [](QFrame* frame, COLORREF color) {
        QPalette pal = frame->palette();
        pal.setColor(QPalette::Window, CQtSurface::ToColor(color));
        frame->setPalette(pal);
        frame->update();
    };
    fill(m_pPenSwatch, m_logic.Style().m_crPen);
    fill(m_pBrushSwatch, m_logic.Style().m_crBrush);
}

void CDrawingOptionsDialog::ChangeColor(bool pen) {
    COLORREF color = pen ? m_logic.Style().m_crPen : m_logic.Style().m_crBrush;
    if (!m_chooser || !m_chooser(color, this)) {
        return;
    }
    if (pen) {
        m_logic.SetPenColor(color);
    } else {
        m_logic.SetBrushColor(color);
    }
    PaintSwatches();
}

void CDrawingOptionsDialog::reject() {
    m_logic.Cancel();
    QDialog::reject();
}
