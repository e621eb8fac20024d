// CToolpathPane: the CNC window's picture of the last compilation, linked with the code view.
#pragma once

#include <QWidget>

class CKestrovelDoc;
class CProgram;
class CSimulationPanel;
class CToolpathCanvas;
class QLabel;
class QPlainTextEdit;

class CToolpathPane : public QWidget {
    Q_OBJECT
public:
    explicit CToolpathPane(QWidget* parent);

    // Clicking a move selects its line in code, moving the cursor in code selects its moves.
    void Attach(QPlainTextEdit* code);
    // Shows the program's last compilation over the layers it walks, measured against the
    // first of them; a program without a post-processor shows nothing.
    void ShowProgram(const CProgram& program, const CKestrovelDoc& doc);

    CToolpathCanvas& Canvas() const { return *m_pCanvas; }
    QLabel& SummaryLabel() const { return *m_pSummary; }
    CSimulationPanel& Simulation() const { return *m_pSimulation; }

private:
    void SelectCodeLine(int line);

    CToolpathCanvas* m_pCanvas;
    QLabel* m_pSummary;
    CSimulationPanel* m_pSimulation;
    QPlainTextEdit* m_pCode = nullptr;
    bool m_bSelecting = false;
};
