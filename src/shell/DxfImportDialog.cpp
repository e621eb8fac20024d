// The "Import DXF" dialog: the drawing is read once for the ticked layers, and every other choice
// maps it again at once and shows what it gives.
#include "shell/DxfImportDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Units.h"
#include "shell/DxfPreview.h"
#include "shell/DxfSafeRead.h"
#include "shell/QtText.h"

namespace {
constexpr int kPreviewWidth = 420;
constexpr int kPreviewHeight = 220;

// Layers that hold no outline by their name or linetype: centre lines, dimensions, hidden lines,
// title blocks.
bool OutlineLayer(const CDxfLayerEntry& layer) {
    const QString name = ToQ(layer.m_strName).toUpper();
    const QString type = ToQ(layer.m_strLinetype).toUpper();
    for (const char* word : {"CENT", "AXIS", "AXES", "DIM", "HATCH", "TEXT", "TITLE", "DEFPOINTS", "HIDDEN"}) {
        if (name.contains(QLatin1String(word))) {
            return false;
        }
    }
    for (const char* word : {"CENTER", "CENTRE", "DASHDOT", "PHANTOM", "HIDDEN", "DASHED"}) {
        if (type.startsWith(QLatin1String(word))) {
            return false;
        }
    }
    return true;
}

QString Mm(int32_t units) {
    return QString::number(units / kUnitsPerMm, 'f', 3) + QStringLiteral(" mm");
}
}  // namespace

CDxfImportDialog::CDxfImportDialog(const QString& path, int activeLayer, int32_t drawingLength, QWidget* parent)
    : QDialog(parent), m_strPath(path.toStdString()), m_nDrawingLength(drawingLength) {
    setWindowTitle(QStringLiteral("Import DXF"));
    m_pDxfLayers = new QListWidget(this);
    std::vector<CDxfLayerEntry> layers;
    std::string error;
    CDxfSafeRead::ListLayers(parent, m_strPath, layers, error);
    for (const CDxfLayerEntry& layer : layers) {
        auto* item = new QListWidgetItem(
            QStringLiteral("%1  (%2 %3, %4)")
                .arg(ToQ(layer.m_strName))
                .arg(layer.m_nEntities)
                .arg(layer.m_nEntities == 1 ? QStringLiteral("entity") : QStringLiteral("entities"))
                .arg(ToQ(layer.m_strLinetype)),
            m_pDxfLayers);
        item->setData(Qt::UserRole, ToQ(layer.m_strName));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(OutlineLayer(layer) ? Qt::Checked : Qt::Unchecked);
    }
    m_pDxfLayers->setMaximumHeight(110);
    m_pLayer = new QComboBox(this);
    for (int i = 1; i <= 6; ++i) {
        m_pLayer->addItem(QStringLiteral("Layer %1").arg(i));
    }
    m_pLayer->setCurrentIndex(std::clamp(activeLayer, 0, 5));
    m_pUnits = new QComboBox(this);
    m_pUnits->addItems(
        {QStringLiteral("auto"), QStringLiteral("mm"), QStringLiteral("cm"), QStringLiteral("inch")});
    m_pAxis = new QComboBox(this);
    m_pAxis->addItems({QStringLiteral("Found in the drawing"), QStringLiteral("DXF x axis"),
                       QStringLiteral("DXF y axis"), QStringLiteral("Pick a line in the preview")});
    m_pFlip = new QCheckBox(QStringLiteral("Turn the part end for end"), this);
    m_pStock = new QCheckBox(QStringLiteral("Take the stock's length and diameter from the part"), this);
    m_pReplace = new QCheckBox(QStringLiteral("Replace the whole layer"), this);
    m_pRest = new QLabel(this);
    m_pRest->setWordWrap(true);
    m_pPreview = new CDxfPreview(this);
    m_pPreview->setFixedSize(kPreviewWidth, kPreviewHeight);
    m_pPreview->setToolTip(QStringLiteral("Drag a window to take only what lies inside it"));
    m_pClearWindow = new QPushButton(QStringLiteral("Clear the window"), this);
    m_pClearWindow->setEnabled(false);
    m_pReport = new QPlainTextEdit(this);
    m_pReport->setReadOnly(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("DXF layers:"), m_pDxfLayers);
    form->addRow(QStringLiteral("Drawing layer:"), m_pLayer);
    form->addRow(QStringLiteral("Units:"), m_pUnits);
    form->addRow(QStringLiteral("Turning axis:"), m_pAxis);
    form->addRow(QString(), m_pFlip);
    form->addRow(QString(), m_pStock);
    form->addRow(QString(), m_pReplace);
    form->addRow(QString(), m_pRest);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pOk = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* right = new QVBoxLayout;
    right->addWidget(m_pPreview);
    auto* under = new QHBoxLayout;
    under->addWidget(
        new QLabel(QStringLiteral("Drag in the preview to take only what lies in a window."), this), 1);
    under->addWidget(m_pClearWindow);
    right->addLayout(under);
    right->addWidget(m_pReport);
    auto* columns = new QHBoxLayout;
    columns->addLayout(form);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
    connect(m_pDxfLayers, &QListWidget::itemChanged, this, [this] { Reload(); });
    connect(m_pUnits, &QComboBox::currentIndexChanged, this, [this] { Remap(); });
    connect(m_pAxis, &QComboBox::currentIndexChanged, this, [this] { Remap(); });
    connect(m_pFlip, &QCheckBox::toggled, this, [this] { Remap(); });
    connect(m_pPreview, &CDxfPreview::WindowDrawn, this, [this](CPlanePoint from, CPlanePoint to) {
        m_window = std::make_pair(from, to);
        m_pClearWindow->setEnabled(true);
        Remap();
    });
    connect(m_pClearWindow, &QPushButton::clicked, this, [this] {
        m_window.reset();
        m_pClearWindow->setEnabled(false);
        Remap();
    });
    connect(m_pPreview, &CDxfPreview::LinePicked, this, [this](CPlanePoint from, CPlanePoint to) {
        // As a found centre line: the axis runs to the right, a vertical one upwards.
        if (to.z < from.z || (to.z == from.z && to.x < from.x)) {
            std::swap(from, to);
        }
        m_pickedAxis = std::make_pair(from, to);
        Remap();
    });
    connect(m_pStock, &QCheckBox::toggled, this, [this] { UpdateRest(); });
    connect(m_pReplace, &QCheckBox::toggled, this, [this] { UpdateRest(); });
    Reload();
}

CDxfImportOptions CDxfImportDialog::Options() const {
    CDxfImportOptions options;
    bool all = true;
    for (int i = 0; i < m_pDxfLayers->count(); ++i) {
        const QListWidgetItem* item = m_pDxfLayers->item(i);
        if (item->checkState() == Qt::Checked) {
            options.dxfLayers.push_back(item->data(Qt::UserRole).toString().toStdString());
        } else {
            all = false;
        }
    }
    if (all) {
        options.dxfLayers.clear();
    }
    options.strUnits = m_pUnits->currentText().toStdString();
    if (m_pAxis->currentIndex() == kPickAxis) {
        if (m_pickedAxis) {
            options.bAxis = true;
            options.axisFrom = m_pickedAxis->first;
            options.axisTo = m_pickedAxis->second;
        }
    } else if (m_pAxis->currentIndex() > 0) {
        options.bAxis = true;
        options.axisFrom = {0.0, 0.0};
        options.axisTo = m_pAxis->currentIndex() == 1 ? CPlanePoint{1.0, 0.0} : CPlanePoint{0.0, 1.0};
    }
    options.bFlip = m_pFlip->isChecked();
    if (m_window) {
        options.bWindow = true;
        options.windowFrom = m_window->first;
        options.windowTo = m_window->second;
    }
    return options;
}

int CDxfImportDialog::Layer() const {
    return m_pLayer->currentIndex();
}

bool CDxfImportDialog::StockFromPart() const {
    return m_pStock->isChecked();
}

bool CDxfImportDialog::ReplaceLayer() const {
    return m_pReplace->isChecked() || m_pStock->isChecked();
}

QString CDxfImportDialog::ReportText() const {
    return m_pReport->toPlainText();
}

QString CDxfImportDialog::RestText() const {
    return m_pRest->text();
}

void CDxfImportDialog::Reload() {
    m_content = CDxfContent{};
    m_strReadError.clear();
    bool ticked = m_pDxfLayers->count() == 0;
    for (int i = 0; i < m_pDxfLayers->count(); ++i) {
        ticked = ticked || m_pDxfLayers->item(i)->checkState() == Qt::Checked;
    }
    m_bRead = ticked && CDxfSafeRead::Read(isVisible() ? this : parentWidget(), m_strPath, Options(),
                                           m_content, m_strReadError);
    m_pPreview->SetDrawing(m_content);
    Remap();
}

void CDxfImportDialog::Remap() {
    QStringList lines;
    std::optional<CDxfPlacement> shown;
    m_result = CImportResult{};
    const bool picking = m_pAxis->currentIndex() == kPickAxis;
    if (!m_bRead && m_strReadError.empty()) {
        lines << QStringLiteral("No DXF layer is ticked.");
    } else if (!m_bRead) {
        lines << ToQ(m_strReadError);
    } else {
        CDxfPlacement placement;
        std::string error;
        if (CDxfImport().Map(m_content, Options(), m_result, error, &placement)) {
            shown = placement;
            if (picking && m_pickedAxis && m_result.m_strAxis.starts_with("as given")) {
                m_result.m_strAxis.replace(0, 8, "the line picked in the preview");
            }
            for (const std::string& line : m_result.ReportLines()) {
                lines << ToQ(line);
            }
        } else {
            lines << ToQ(error);
        }
    }
    if (picking && !m_pickedAxis) {
        lines.prepend(QStringLiteral("Click a line in the preview to make it the turning axis."));
    }
    m_pReport->setPlainText(lines.join(QLatin1Char('\n')));
    m_pOk->setEnabled(!m_result.m_pieces.empty());
    m_pPreview->SetPicking(picking);
    m_pPreview->SetWindow(m_window);
    m_pPreview->SetProfile(m_result, shown);
    UpdateRest();
}

// What the import does to the layer's profile beyond the imported stretch.
void CDxfImportDialog::UpdateRest() {
    const auto& pieces = m_result.m_pieces;
    if (pieces.empty()) {
        m_pRest->clear();
        return;
    }
    const int32_t from = std::max(0, pieces.front().m_ptStart.x);
    const int32_t to = pieces.back().m_ptEnd.x;
    QString text = QStringLiteral("The import spans Z %1 to %2.").arg(Mm(from), Mm(to));
    if (m_pStock->isChecked()) {
        text += QStringLiteral(" The stock becomes the part's size and the layer's old profile is removed.");
    } else if (m_pReplace->isChecked()) {
        text += QStringLiteral(" The layer's old profile is removed; beyond the import the layer is flat at the "
                               "stock's top.");
    } else if (m_nDrawingLength > 0 && (from > 0 || to < m_nDrawingLength)) {
        text += QStringLiteral(" The layer's old profile outside it (up to Z %1) stays.").arg(Mm(m_nDrawingLength));
    } else {
        text += QStringLiteral(" It covers the whole layer.");
    }
    m_pRest->setText(text);
}
