// CToolpathPane: the CNC window's picture of the last compilation, linked with the code view.
#pragma once

#include <QWidget>
#include <map>

class CKestrovelDoc;
class CProgram;
class CSimulationPanel;
class CToolpathCanvas;
class QComboBox;
class QLabel;
class QPlainTextEdit;

class CToolpathPane : public QWidget {
    Q_OBJECT
public:
    explicit CToolpathPane(QWidget* parent);

    // Clicking a move selects its line in code, moving the cursor in code selects its moves.
    void Attach(QPlainTextEdit* code);
    // Shows the program's last compilation over the layers it walks, measured against its part
    // layer and simulated with its bore layer (each as last chosen for this program in this
    // window, else the part's layer and no bore); a program without a post-processor shows nothing.
    void ShowProgram(const CProgram& program, const CKestrovelDoc& doc);
    const CProgram* ShownProgram() const { return m_pProgram; }

    CToolpathCanvas& Canvas() const { return *m_pCanvas; }
    QLabel& SummaryLabel() const { return *m_pSummary; }
    CSimulationPanel& Simulation() const { return *m_pSimulation; }
    QComboBox& PartLayerBox() const { return *m_pPartLayer; }
    QComboBox& BoreLayerBox() const { return *m_pBoreLayer; }

private:
    // Layers 1...6; 0: the part's layer, no bore.
    struct CLayerChoice {
        int nPart = 0;
        int nBore = 0;
    };

    QWidget* MakeLayerRow();
    // Measures and simulates the shown program again; a new compilation fits the picture and
    // starts the simulation at its end, a new choice keeps both.
    void Measure(bool newContent);
    void SelectCodeLine(int line);

    CToolpathCanvas* m_pCanvas;
    QLabel* m_pSummary;
    CSimulationPanel* m_pSimulation;
    QComboBox* m_pPartLayer = nullptr;
    QComboBox* m_pBoreLayer = nullptr;
    QPlainTextEdit* m_pCode = nullptr;
    bool m_bSelecting = false;
    const CKestrovelDoc* m_pDoc = nullptr;
    const CProgram* m_pProgram = nullptr;
    int m_nMeasuredPart = 0;  // the layer the summary was measured against
    std::map<const CProgram*, CLayerChoice> m_choices;
};
