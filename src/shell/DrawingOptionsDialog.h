// CDrawingOptionsDialog: the modal "Drawing Options" dialog for a layer's pens and brushes.
#pragma once

#include <QDialog>
#include <functional>

#include "shell/DrawingOptionsLogic.h"

class QCheckBox;
class QComboBox;
class QFrame;

class CDrawingOptionsDialog : public QDialog {
    Q_OBJECT
public:
    enum : int {
        IDC_DO_LAYER = 1001,
        IDC_DO_WIDTH = 1044,
        IDC_DO_STYLE = 1045,
        IDC_DO_PEN_SWATCH = 1048,
        IDC_DO_PEN_CHANGE = 1047,
        IDC_DO_BRUSH = 1042,
        IDC_DO_BRUSH_SWATCH = 1004,
        IDC_DO_BRUSH_CHANGE = 1024,
        IDC_DO_EDGES = 1014,
        IDC_DO_APLY = 1023,
        IDC_DO_TRY = 1049,
    };

    // Asks the user for a colour, starting at the given one; false when cancelled.
    using CColorChooser = std::function<bool(COLORREF& color, QWidget* parent)>;

    CDrawingOptionsDialog(CDrawingOptionsHost& host, QWidget* parent);

    // Tests and scripts choose colours without the platform's chooser.
    void SetColorChooser(CColorChooser chooser) { m_chooser = std::move(chooser); }
    const CDrawingOptionsLogic& Logic() const { return m_logic; }

public slots:
    void reject() override;

private:
    void BuildLayout();
    void ShowLayer();
    void ChangeColor(bool pen);
    void PaintSwatches();
    QComboBox* SampleList(int id, int count,
                          const std::function<void(class QPainter&, int, const QRect&)>& paint);

    CDrawingOptionsLogic m_logic;
    CColorChooser m_chooser;
    QComboBox* m_pLayer = nullptr;
    QComboBox* m_pWidth = nullptr;
    QComboBox* m_pStyle = nullptr;
    QComboBox* m_pBrush = nullptr;
    QFrame* m_pPenSwatch = nullptr;
    QFrame* m_pBrushSwatch = nullptr;
    QCheckBox* m_pEdges = nullptr;
};
