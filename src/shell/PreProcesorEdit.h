// CPreProcesorEdit: the CNC window's read-only view of the last compiled NC text.
#pragma once

#include <QPlainTextEdit>

#include "platform/Form.h"

class CPreProcesorEdit : public QPlainTextEdit, public CTextWindow {
    Q_OBJECT
public:
    explicit CPreProcesorEdit(QWidget* parent);
    // The whole text becomes the compilation's (line ends of either kind).
    void SetText(const std::string& text) override;
};
