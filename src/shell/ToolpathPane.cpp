// The toolpath pane: canvas and deviation line, fed by compilations, linked to the code view.
#include "shell/ToolpathPane.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QVBoxLayout>

#include "document/Layer.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"
#include "postprocessor/ProgramDocument.h"
#include "shell/QtText.h"
#include "shell/SimulationPanel.h"
#include "shell/ToolpathCanvas.h"
#include "simulation/LibraryToolOutline.h"
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
    layout->addWidget(m_pCanvas, 1);
    layout->addWidget(m_pSummary, 0);
    layout->addWidget(m_pSimulation, 0);
    connect(m_pSimulation, &CSimulationPanel::lineSelected, this, [this](int line) { SelectCodeLine(line); });
    m_pSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A narrow pane wraps the result line rather than cutting it off; the tool tip holds it whole.
    m_pSummary->setWordWrap(true);
    connect(m_pCanvas, &CToolpathCanvas::lineClicked, this, [this](int line) { SelectCodeLine(line); });
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
    std::vector<std::unique_ptr<CLayer>> layers;
    CToolpath path;
    std::string summary;
    if (program.GetPreProcesor()) {
        CDocumentContext context(doc);
        for (const int index : CProgramToolpath::WalkedLayers(program)) {
            if (auto copy = context.CopyLayer(index)) {
                layers.push_back(std::move(copy));
            }
        }
        CProgramCheck check = CProgramToolpath::Check(program, context, 0, kToleranceMm);
        summary = check.result.Summary();
        if (!check.path.errors.empty()) {
            summary += "; line " + std::to_string(check.path.errors.front().nLine) + ": " +
                       check.path.errors.front().strText;
        }
        path = std::move(check.path);
    }
    m_pSummary->setText(ToQ(summary));
    m_pSummary->setToolTip(ToQ(summary));
    // The bound tool's insert, in its orientation, stands at the selected move.
    std::map<int, std::vector<CPathPoint>> outlines;
    if (const CPreProcesor* post = program.GetPreProcesor()) {
        for (const auto& [number, outline] : CLibraryToolOutline::All(post->GetTools())) {
            outlines[number] = outline.Corners();
        }
    }
    m_pCanvas->View().SetToolOutlines(std::move(outlines));
    m_pCanvas->View().SetContent(std::move(layers), std::move(path), summary);
    m_pCanvas->ContentChanged();
    m_pSimulation->ShowProgram(program, doc);
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
