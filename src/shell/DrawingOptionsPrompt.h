// CDialogOptionsPrompt: the layer bar's "Drawing options" button runs the real dialog.
#pragma once

#include "view/DrawingOptionsPrompt.h"

class QWidget;

class CDialogOptionsPrompt : public CDrawingOptionsPrompt {
public:
    explicit CDialogOptionsPrompt(QWidget* parent) : m_pParent(parent) {}
    void Run(CKestrovelDoc& doc) override;

private:
    QWidget* m_pParent;
};
