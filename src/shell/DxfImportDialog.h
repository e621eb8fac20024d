// CDxfImportDialog: "Import DXF": the drawing's layers to take, the drawing layer, units, the turning
// axis (found, the DXF x or y axis, or a line picked in the preview), flip, stock from the part, what
// happens to the rest of the layer, and a preview of what will be taken beside the report, in which
// a window drawn with the mouse limits what is taken.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "exchange/DxfImport.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class CDxfPreview;

class CDxfImportDialog : public QDialog {
    Q_OBJECT
public:
    // activeLayer: 0...5, the drawing layer offered first; drawingLength: the stock's length in
    // model units, for what the import leaves of the layer.
    CDxfImportDialog(const QString& path, int activeLayer, int32_t drawingLength = 0, QWidget* parent = nullptr);

    CDxfImportOptions Options() const;
    // 0...5.
    int Layer() const;
    const CImportResult& Result() const { return m_result; }
    bool StockFromPart() const;
    bool ReplaceLayer() const;
    QString ReportText() const;
    QString RestText() const;
    QListWidget* DxfLayers() const { return m_pDxfLayers; }
    QComboBox* Units() const { return m_pUnits; }
    QComboBox* Axis() const { return m_pAxis; }
    QCheckBox* Flip() const { return m_pFlip; }
    QCheckBox* Replace() const { return m_pReplace; }
    QCheckBox* Stock() const { return m_pStock; }
    CDxfPreview* Preview() const { return m_pPreview; }
    QPushButton* ClearWindow() const { return m_pClearWindow; }

    // The axis box's entry that makes the next click on a line in the preview the axis.
    static constexpr int kPickAxis = 3;

private:
    // Reads the drawing (in a child) for the ticked layers, then maps it.
    void Reload();
    // Maps the drawing read under the current choices: no reading, so it follows every change.
    void Remap();
    void UpdateRest();

    std::string m_strPath;
    int32_t m_nDrawingLength;
    QListWidget* m_pDxfLayers;
    QComboBox* m_pLayer;
    QComboBox* m_pUnits;
    QComboBox* m_pAxis;
    QCheckBox* m_pFlip;
    QCheckBox* m_pStock;
    QCheckBox* m_pReplace;
    QLabel* m_pRest;
    CDxfPreview* m_pPreview;
    QPushButton* m_pClearWindow;
    QPlainTextEdit* m_pReport;
    QPushButton* m_pOk = nullptr;
    CImportResult m_result;
    // The drawing as read for the ticked layers, or why it could not be.
    CDxfContent m_content;
    bool m_bRead = false;
    std::string m_strReadError;
    std::optional<std::pair<CPlanePoint, CPlanePoint>> m_window;
    std::optional<std::pair<CPlanePoint, CPlanePoint>> m_pickedAxis;
};
