// Runs the "Drawing properties" dialog modally with the caller's values.
#include "shell/DrawingPropertiesPrompt.h"

#include "shell/DrawingPropertiesDialog.h"

bool CDialogPropertiesPrompt::Run(CDrawingProperties& io) {
    CDrawingPropertiesDialog dialog({io.nLength, io.nBase, io.nShapeType, io.nAccuracy, io.nUnits},
                                    m_pMessages, m_pParent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const CDrawingPropertiesValues& v = dialog.Values();
    io.nLength = v.nLength;
    io.nBase = v.nBase;
    io.nShapeType = v.nShape;
    io.nUnits = v.nUnits;
    io.nAccuracy = v.nAccuracy;
    return true;
}
