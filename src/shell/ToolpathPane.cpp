// The toolpath pane: the layer choice, canvas and deviation line, fed by compilations, linked to
// the code view.
#include "shell/ToolpathPane.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

#include "document/KestrovelDoc.h"
#include "document/Layer.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"
#include "shell/QtText.h"
#include "shell/SimulationPanel.h"
#include "shell/ToolpathCanvas.h"
#include "simulation/LibraryToolOutline.h"
#include "simulation/ProgramSimulation.h"
#include "toolpath/ProgramToolpath.h"

namespace {
constexpr double kToleranceMm = 0.01;
}  // namespace

CToolpathPane::CToolpathPane(QWidget* parent)
    : QWidget(parent),
      m_pCanvas(new CToolpathCanvas(this)),
      m_pSummary(new QLabel(this)),
      m_pSimulation(new CSimulationPanel(m_pCanvas, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(MakeLayerRow(), 0);
    layout->addWidget(m_pCanvas, 1);
    layout->addWidget(m_pSummary, 0);
    layout->addWidget(m_pSimulation, 0);
    connect(m_pSimulation, &CSimulationPanel::lineSelected, this, [this](int line) { SelectCodeLine(line); });
    m_pSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A narrow pane wraps the result line rather than cutting it off; the tool tip holds it whole.
    m_pSummary->setWordWrap(true);
    connect(m_pCanvas, &CToolpathCanvas::lineClicked, this, [this](int line) { SelectCodeLine(line); });
}

QWidget* CToolpathPane::MakeLayerRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pPartLayer = new QComboBox(row);
    m_pBoreLayer = new QComboBox(row);
    m_pBoreLayer->addItem(tr("None"));
    for (int layer = 1; layer <= CKestrovelDoc::kLayerCount; ++layer) {
        m_pPartLayer->addItem(QString::number(layer));
        m_pBoreLayer->addItem(QString::number(layer));
    }
    m_pPartLayer->setToolTip(
        tr("The layer that holds the part: moves are measured against it and "
           "the simulation finds gouges in it"));
    m_pBoreLayer->setToolTip(
        tr("A layer whose area from the axis up to its profile is no part "
           "material, such as a drilled centre hole"));
    m_pPartLayer->setAccessibleName(tr("Part layer"));
    m_pBoreLayer->setAccessibleName(tr("Bore layer"));
    auto* part = new QLabel(tr("Part layer:"), row);
    auto* bore = new QLabel(tr("Bore layer:"), row);
    part->setBuddy(m_pPartLayer);
    bore->setBuddy(m_pBoreLayer);
    layout->addWidget(part);
    layout->addWidget(m_pPartLayer);
    layout->addSpacing(8);
    layout->addWidget(bore);
    layout->addWidget(m_pBoreLayer);
    layout->addStretch(1);
    auto chosen = [this] {
        if (m_pProgram) {
            m_choices[m_pProgram] = {m_pPartLayer->currentIndex() + 1, m_pBoreLayer->currentIndex()};
            Measure(false);
        }
    };
    connect(m_pPartLayer, &QComboBox::activated, this, chosen);
    connect(m_pBoreLayer, &QComboBox::activated, this, chosen);
    return row;
}

void CToolpathPane::Attach(QPlainTextEdit* code) {
    m_pCode = code;
    connect(code, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!m_bSelecting) {
            m_pCanvas->View().SelectLine(m_pCode->textCursor().blockNumber() + 1);
            m_pSimulation->StepToLine(m_pCode->textCursor().blockNumber() + 1);
            m_pCanvas->update();
        }
    });
}

void CToolpathPane::ShowProgram(const CProgram& program, const CKestrovelDoc& doc) {
    m_pProgram = &program;
    m_pDoc = &doc;
    Measure(true);
}

void CToolpathPane::Measure(bool newContent) {
    // The program shown must still belong to the drawing.
    const CProgram* program = nullptr;
    if (const CProgramList* list = m_pDoc ? CProgramDocument::GetList(*m_pDoc) : nullptr) {
        for (const auto& p : list->GetPrograms()) {
            program = p.get() == m_pProgram ? p.get() : program;
        }
    }
    std::vector<std::unique_ptr<CLayer>> layers;
    CToolpath path;
    std::string summary;
    CSimulationInput input;
    const CPreProcesor* post = program ? program->GetPreProcesor() : nullptr;
    m_pPartLayer->setEnabled(post != nullptr);
    m_pBoreLayer->setEnabled(post != nullptr);
    if (post) {
        CDocumentContext context(*m_pDoc);
        const CLayerChoice choice = m_choices.count(program) ? m_choices[program] : CLayerChoice{};
        const int part = choice.nPart > 0 ? choice.nPart : CProgramSimulation::PartLayer(*program, context);
        {
            const QSignalBlocker partBlocker(m_pPartLayer);
            const QSignalBlocker boreBlocker(m_pBoreLayer);
            m_pPartLayer->setCurrentIndex(part - 1);
            m_pBoreLayer->setCurrentIndex(choice.nBore);
        }
        // The layers walked, then the part and the bore measured against, each drawn once.
        std::vector<int> shown = CProgramToolpath::WalkedLayers(*program);
        for (const int index : {part - 1, choice.nBore - 1}) {
            if (index >= 0 && std::find(shown.begin(), shown.end(), index) == shown.end()) {
                shown.push_back(index);
            }
        }
        for (const int index : shown) {
            if (auto copy = context.CopyLayer(index)) {
                layers.push_back(std::move(copy));
            }
        }
        // A new bore alone leaves the deviation as it was measured.
        if (newContent || part != m_nMeasuredPart) {
            CProgramCheck check = CProgramToolpath::Check(*program, context, part, kToleranceMm);
            summary = check.result.Summary();
            if (!check.path.errors.empty()) {
                summary += "; line " + std::to_string(check.path.errors.front().nLine) + ": " +
                           check.path.errors.front().strText;
            }
            path = std::move(check.path);
            m_nMeasuredPart = part;
        } else {
            summary = m_pCanvas->View().GetSummary();
        }
        input = std::move(CProgramSimulation::Input(*program, context, part, m_pDoc->GetSourceRect()).input);
        if (choice.nBore > 0) {
            if (const std::unique_ptr<CLayer> bore = context.CopyLayer(choice.nBore - 1)) {
                input.bore = CProfileShape::FromLayer(*bore);
            }
        }
    }
    m_pSummary->setText(ToQ(summary));
    m_pSummary->setToolTip(ToQ(summary));
    if (newContent) {
        // The bound tool's insert, in its orientation, stands at the selected move.
        std::map<int, std::vector<CPathPoint>> outlines;
        if (post) {
            for (const auto& [number, outline] : CLibraryToolOutline::All(post->GetTools())) {
                outlines[number] = outline.Corners();
            }
        }
        m_pCanvas->View().SetToolOutlines(std::move(outlines));
        m_pCanvas->View().SetContent(std::move(layers), std::move(path), summary);
        m_pCanvas->ContentChanged();
    } else {
        m_pCanvas->View().SetProfiles(std::move(layers), summary);
        m_pCanvas->update();
    }
    m_pSimulation->Show(std::move(input), !newContent);
}

void CToolpathPane::SelectCodeLine(int line) {
    if (!m_pCode) {
        return;
    }
    const QTextBlock block = m_pCode->document()->findBlockByNumber(line - 1);
    if (!block.isValid()) {
        return;
    }
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    m_bSelecting = true;
    m_pCode->setTextCursor(cursor);
    m_pCode->ensureCursorVisible();
    m_bSelecting = false;
}
