// CDrawingPropertiesPrompt on the real dialog: what a new drawing and the view ask the user.
#pragma once

#include "document/DrawingProperties.h"

class CMessages;
class QWidget;

class CDialogPropertiesPrompt : public CDrawingPropertiesPrompt {
public:
    CDialogPropertiesPrompt(QWidget* parent, CMessages* messages)
        : m_pParent(parent), m_pMessages(messages) {}
    bool Run(CDrawingProperties& io) override;

private:
    QWidget* m_pParent;
    CMessages* m_pMessages;
};
