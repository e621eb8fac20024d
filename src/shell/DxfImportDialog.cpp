// The "Import DXF" dialog: every change of a choice reads the drawing again and shows what it gives.
#include "shell/DxfImportDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/DxfSafeRead.h"
#include "shell/QtText.h"

namespace {
constexpr int kPreviewWidth = 420;
constexpr int kPreviewHeight = 160;
}  // namespace

CDxfImportDialog::CDxfImportDialog(const QString& path, int activeLayer, QWidget* parent)
    : QDialog(parent), m_strPath(path.toStdString()) {
    setWindowTitle(QStringLiteral("Import DXF"));
    m_pDxfLayer = new QComboBox(this);
    m_pDxfLayer->addItem(QStringLiteral("(all layers)"));
    for (const std::string& name : CDxfSafeRead::LayerNames(parent, m_strPath)) {
        m_pDxfLayer->addItem(ToQ(name));
    }
    m_pLayer = new QComboBox(this);
    for (int i = 1; i <= 6; ++i) {
        m_pLayer->addItem(QStringLiteral("Layer %1").arg(i));
    }
    m_pLayer->setCurrentIndex(std::clamp(activeLayer, 0, 5));
    m_pUnits = new QComboBox(this);
    m_pUnits->addItems(
        {QStringLiteral("auto"), QStringLiteral("mm"), QStringLiteral("cm"), QStringLiteral("inch")});
    m_pPreview = new QLabel(this);
    m_pPreview->setFixedSize(kPreviewWidth, kPreviewHeight);
    m_pReport = new QPlainTextEdit(this);
    m_pReport->setReadOnly(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("DXF layer:"), m_pDxfLayer);
    form->addRow(QStringLiteral("Drawing layer:"), m_pLayer);
    form->addRow(QStringLiteral("Units:"), m_pUnits);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pOk = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pPreview);
    layout->addWidget(m_pReport);
    layout->addWidget(buttons);
    connect(m_pDxfLayer, &QComboBox::currentIndexChanged, this, [this] { Reload(); });
    connect(m_pUnits, &QComboBox::currentIndexChanged, this, [this] { Reload(); });
    Reload();
}

CDxfImportOptions CDxfImportDialog::Options() const {
    CDxfImportOptions options;
    if (m_pDxfLayer->currentIndex() > 0) {
        options.strDxfLayer = m_pDxfLayer->currentText().toStdString();
    }
    options.strUnits = m_pUnits->currentText().toStdString();
    return options;
}

int CDxfImportDialog::Layer() const {
    return m_pLayer->currentIndex();
}

QString CDxfImportDialog::ReportText() const {
    return m_pReport->toPlainText();
}

void CDxfImportDialog::Reload() {
    std::string error;
    QStringList lines;
    if (!CDxfSafeRead::Load(isVisible() ? this : parentWidget(), m_strPath, Options(), m_result, error)) {
        lines << ToQ(error);
    } else {
        for (const std::string& line : m_result.ReportLines()) {
            lines << ToQ(line);
        }
    }
    m_pReport->setPlainText(lines.join(QLatin1Char('\n')));
    m_pOk->setEnabled(!m_result.m_pieces.empty());
    m_pPreview->setPixmap(QPixmap::fromImage(Preview()));
}

// The profile that will be taken, scaled to the box with the axis along the bottom.
QImage CDxfImportDialog::Preview() const {
    QImage image(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    const auto& pieces = m_result.m_pieces;
    if (pieces.empty()) {
        return image;
    }
    double left = pieces.front().m_ptStart.x;
    double right = pieces.back().m_ptEnd.x;
    double top = 1.0;
    for (const CImportPiece& p : pieces) {
        top = std::max({top, double(p.m_ptStart.y), double(p.m_ptEnd.y), double(p.m_ptMid.y)});
    }
    const double scale =
        std::min((kPreviewWidth - 20) / std::max(1.0, right - left), (kPreviewHeight - 20) / top);
    auto map = [&](CPoint p) {
        return QPointF(10 + (p.x - left) * scale, kPreviewHeight - 10 - p.y * scale);
    };
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::red, 1, Qt::DashLine));
    painter.drawLine(QPointF(0, kPreviewHeight - 10), QPointF(kPreviewWidth, kPreviewHeight - 10));
    painter.setPen(QPen(Qt::black, 1.5));
    QPainterPath path(map(pieces.front().m_ptStart));
    for (const CImportPiece& p : pieces) {
        path.lineTo(map(p.m_ptStart));
        if (p.m_bArc) {
            path.quadTo(2 * map(p.m_ptMid) - (map(p.m_ptStart) + map(p.m_ptEnd)) / 2, map(p.m_ptEnd));
        } else {
            path.lineTo(map(p.m_ptEnd));
        }
    }
    painter.drawPath(path);
    return image;
}
