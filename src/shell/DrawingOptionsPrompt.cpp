// Runs the "Drawing Options" dialog modally on a document's layers.
#include "shell/DrawingOptionsPrompt.h"

#include "shell/DocumentOptionsHost.h"
#include "shell/DrawingOptionsDialog.h"

void CDialogOptionsPrompt::Run(CKestrovelDoc& doc) {
    CDocumentOptionsHost host(doc);
    CDrawingOptionsDialog dialog(host, m_pParent);
    dialog.exec();
}
