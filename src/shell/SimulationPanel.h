// CSimulationPanel: the toolpath pane's "Simulate" mode: the stock cut up to a step, and the findings.
#pragma once

#include <QWidget>
#include <memory>

#include "simulation/StockSimulation.h"

class CToolpathCanvas;
class QCheckBox;
class QLabel;
class QListWidget;
class QSlider;

class CSimulationPanel : public QWidget {
    Q_OBJECT
public:
    CSimulationPanel(CToolpathCanvas* canvas, QWidget* parent);

    // Simulates the moves; the step goes to the end, or stays where it is when asked and the
    // moves are as many as before (the same program measured again).
    void Show(CSimulationInput input, bool keepStep);
    // Steps to the end of a source line (the code cursor's), when the mode is on.
    void StepToLine(int line);
    void StepTo(int moves);

    QCheckBox& ModeBox() const { return *m_pMode; }
    QSlider& Slider() const { return *m_pSlider; }
    QListWidget& Results() const { return *m_pResults; }
    const CSimulationResult& Frame() const { return m_frame; }
    const CSimulationResult& Result() const { return m_result; }

signals:
    // A finding was picked: its source line.
    void lineSelected(int line);

private:
    void SetMode(bool on);
    void FillResults();

    CToolpathCanvas* m_pCanvas;
    QCheckBox* m_pMode;
    QSlider* m_pSlider;
    QLabel* m_pStep;
    QListWidget* m_pResults;
    std::unique_ptr<CStockSimulation::CStepper> m_pStepper;
    CSimulationResult m_result;  // all moves
    CSimulationResult m_frame;   // up to the slider's step
};
