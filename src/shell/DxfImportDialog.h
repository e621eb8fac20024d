// CDxfImportDialog: "Import DXF": DXF layer, drawing layer, units, a preview of what will be taken and the
// report.
#pragma once

#include <QDialog>
#include <string>

#include "exchange/DxfImport.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;

class CDxfImportDialog : public QDialog {
    Q_OBJECT
public:
    // activeLayer: 0...5, the drawing layer offered first.
    CDxfImportDialog(const QString& path, int activeLayer, QWidget* parent = nullptr);

    CDxfImportOptions Options() const;
    // 0...5.
    int Layer() const;
    const CImportResult& Result() const { return m_result; }
    QString ReportText() const;
    QComboBox* DxfLayers() const { return m_pDxfLayer; }
    QComboBox* Units() const { return m_pUnits; }

private:
    void Reload();
    QImage Preview() const;

    std::string m_strPath;
    QComboBox* m_pDxfLayer;
    QComboBox* m_pLayer;
    QComboBox* m_pUnits;
    QLabel* m_pPreview;
    QPlainTextEdit* m_pReport;
    QPushButton* m_pOk = nullptr;
    CImportResult m_result;
};
