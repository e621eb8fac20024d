// The "Simulate" mode: a check box, a slider over the moves, the findings list; the canvas draws
// the stock as the moves up to the slider left it.
#include "shell/SimulationPanel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/QtText.h"
#include "shell/ToolpathCanvas.h"
#include "simulation/SimulationPainter.h"

namespace {

QString Where(const CSimulationSource& source) {
    return QStringLiteral("Line %1%2")
        .arg(source.nLine)
        .arg(source.strBlock.empty() ? QString() : QStringLiteral(" (%1)").arg(ToQ(source.strBlock)));
}

}  // namespace

CSimulationPanel::CSimulationPanel(CToolpathCanvas* canvas, QWidget* parent)
    : QWidget(parent),
      m_pCanvas(canvas),
      m_pMode(new QCheckBox(tr("Simulate"), this)),
      m_pSlider(new QSlider(Qt::Horizontal, this)),
      m_pStep(new QLabel(this)),
      m_pResults(new QListWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* row = new QHBoxLayout;
    row->addWidget(m_pMode);
    row->addWidget(m_pSlider, 1);
    row->addWidget(m_pStep);
    layout->addLayout(row);
    layout->addWidget(m_pResults);
    m_pResults->setMaximumHeight(90);
    m_pSlider->setAccessibleName(tr("Simulation step"));
    m_pResults->setAccessibleName(tr("Simulation results"));
    SetMode(false);
    connect(m_pMode, &QCheckBox::toggled, this, [this](bool on) { SetMode(on); });
    connect(m_pSlider, &QSlider::valueChanged, this, [this](int value) { StepTo(value); });
    connect(m_pResults, &QListWidget::currentRowChanged, this, [this](int row) {
        if (QListWidgetItem* item = m_pResults->item(row)) {
            const int line = item->data(Qt::UserRole).toInt();
            if (line > 0) {
                emit lineSelected(line);
            }
        }
    });
}

void CSimulationPanel::Show(CSimulationInput input, bool keepStep) {
    const size_t before = m_pStepper ? m_pStepper->Input().path.moves.size() : 0;
    m_pStepper = std::make_unique<CStockSimulation::CStepper>(std::move(input));
    const int moves = static_cast<int>(m_pStepper->Input().path.moves.size());
    const int step = keepStep && before == static_cast<size_t>(moves) ? m_pSlider->value() : moves;
    // The frame first: the stepper runs on from it to the end.
    m_frame = m_pStepper->At(static_cast<size_t>(step));
    m_result = step == moves ? m_frame : m_pStepper->At(static_cast<size_t>(moves));
    {
        const QSignalBlocker blocker(m_pSlider);
        m_pSlider->setRange(0, moves);
        m_pSlider->setValue(step);
    }
    m_pStep->setText(QStringLiteral("%1 / %2").arg(step).arg(moves));
    FillResults();
    m_pCanvas->update();
}

void CSimulationPanel::FillResults() {
    m_pResults->clear();
    auto add = [this](const QString& text, int line) {
        auto* item = new QListWidgetItem(text, m_pResults);
        item->setData(Qt::UserRole, line);
    };
    for (const CGouge& g : m_result.gouges) {
        add(tr("%1: gouge %2 mm deep, %3 mm²")
                .arg(Where(g.source))
                .arg(g.dDepthMm, 0, 'f', 3)
                .arg(g.dAreaMm2, 0, 'f', 3),
            g.source.nLine);
    }
    for (const CRapidThroughMaterial& r : m_result.rapids) {
        add(tr("%1: rapid through material, %2 mm²").arg(Where(r.source)).arg(r.dAreaMm2, 0, 'f', 3),
            r.source.nLine);
    }
    for (const CLeftOver& l : m_result.leftOver) {
        add(tr("%1: %2 mm left from Z %3 to Z %4")
                .arg(Where(l.source))
                .arg(l.dThicknessMm, 0, 'f', 3)
                .arg(l.dZFrom / 10000.0, 0, 'f', 3)
                .arg(l.dZTo / 10000.0, 0, 'f', 3),
            l.source.nLine);
    }
    for (const CNotSimulated& n : m_result.notSimulated) {
        add(tr("Line %1: not simulated: %2").arg(n.nLine).arg(ToQ(n.strText)), n.nLine);
    }
    add(tr("Air cutting: %1 % of the feed path").arg(100.0 * m_result.AirCuttingShare(), 0, 'f', 1), 0);
}

void CSimulationPanel::SetMode(bool on) {
    m_pSlider->setEnabled(on);
    m_pResults->setVisible(on);
    m_pStep->setVisible(on);
    if (on) {
        m_pCanvas->View().SetUnderlay([this](CSurface& dc, const CViewServices& view) {
            if (m_pStepper) {
                CSimulationPainter::Paint(dc, view, m_frame, m_pStepper->Input().path);
            }
        });
    } else {
        m_pCanvas->View().SetUnderlay({});
    }
    m_pCanvas->update();
}

void CSimulationPanel::StepTo(int moves) {
    if (!m_pStepper) {
        return;
    }
    const size_t total = m_pStepper->Input().path.moves.size();
    const size_t count = static_cast<size_t>(std::clamp(moves, 0, static_cast<int>(total)));
    m_frame = m_pStepper->At(count);
    {
        const QSignalBlocker blocker(m_pSlider);
        m_pSlider->setValue(static_cast<int>(count));
    }
    m_pStep->setText(QStringLiteral("%1 / %2").arg(count).arg(total));
    m_pCanvas->update();
}

void CSimulationPanel::StepToLine(int line) {
    if (!m_pMode->isChecked() || !m_pStepper) {
        return;
    }
    const auto& moves = m_pStepper->Input().path.moves;
    const auto end = std::upper_bound(moves.begin(), moves.end(), line,
                                      [](int l, const CToolMove& m) { return l < m.nLine; });
    StepTo(static_cast<int>(end - moves.begin()));
}
