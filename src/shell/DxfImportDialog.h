// CDxfImportDialog: "Import DXF": the drawing's layers to take, the drawing layer, units, the turning
// axis, flip, stock from the part, what happens to the rest of the layer, and a preview of what will
// be taken beside the report.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "exchange/DxfImport.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;

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

private:
    void Reload();
    void UpdateRest();
    QImage Preview() const;

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
    QLabel* m_pPreview;
    QPlainTextEdit* m_pReport;
    QPushButton* m_pOk = nullptr;
    CImportResult m_result;
};
