// The drawing's MDI child: command routing to its view, printing, and closing through the app.
#include "shell/ChildFrame.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "shell/CommandIds.h"
#include "shell/DrawingPrint.h"
#include "shell/DrawingWindow.h"
#include "shell/Icons.h"
#include "shell/Kestrovel.h"
#include "shell/ShellDocument.h"
#include "view/KestrovelView.h"

CChildFrame::CChildFrame(CKestrovelApp& app, CShellDocument& doc, const CViewContext& context)
    : m_app(app), m_pDoc(&doc), m_pDrawing(new CDrawingWindow(context, this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(m_pDrawing);
    setWindowIcon(CIcons::Application());
}

bool CChildFrame::IsViewCommand(int id) {
    static const int kIds[] = {
        ID_TOOL_SELECT, ID_TOOL_RANGE,  ID_TOOL_LINE,   ID_TOOL_CIRCLE,
        ID_TOOL_K1,     ID_TOOL_K2,     ID_TOOL_K3,     ID_TOOL_K4,
        ID_TOOL_CURVE,  ID_TOOL_DEBUG,  ID_TOOL_MIRROR, ID_TOOL_TURN,
        ID_TOOL_MOVE,   ID_MODE_FAST,   ID_MODE_SLOW,   ID_EDIT_OK,
        ID_EDIT_BACK,   ID_ZOOM_IN,     ID_ZOOM_OUT,    ID_ZOOM_FIT,
        ID_ZOOM_100,    ID_ZOOM_OBJECT, kCmdEditCopy,   kCmdEditCut,
        kCmdEditPaste,  kCmdEditUndo,   kCmdEditRedo,   kCmdDrawingProperties,
        kCmdEditClear,
    };
    for (int known : kIds) {
        if (known == id) {
            return true;
        }
    }
    return id >= kCmdLayer1 && id < kCmdLayer1 + 6;
}

bool CChildFrame::OnCommand(int id) {
    if (!m_pDrawing) {
        return false;
    }
    if (id == kCmdFilePrint) {
        Print();
        return true;
    }
    if (id == kCmdFilePrintPreview) {
        PrintPreview();
        return true;
    }
    if (IsViewCommand(id)) {
        m_pDrawing->View().OnCommand(id);
        return true;
    }
    return false;
}

bool CChildFrame::GetCommandState(int id, CCommandState& state) const {
    if (!m_pDrawing) {
        return false;
    }
    if (id == kCmdFilePrint || id == kCmdFilePrintPreview) {
        state = CCommandState{true, false};
        return true;
    }
    if (IsViewCommand(id)) {
        state = m_pDrawing->View().GetCommandState(id);
        return true;
    }
    return false;
}

void CChildFrame::OnActivate() {
    m_app.OnDrawingActivated(*this);
}

void CChildFrame::Print() {
    QPrinter& printer = m_app.Printer();
    printer.setPageOrientation(CDrawingPrint::OrientationFor(m_pDoc->Doc()));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        QPainter painter(&printer);
        CDrawingPrint::Paint(m_pDoc->Doc(), painter, painter.viewport());
    }
}

void CChildFrame::PrintPreview() {
    QPrinter& printer = m_app.Printer();
    printer.setPageOrientation(CDrawingPrint::OrientationFor(m_pDoc->Doc()));
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        QPainter painter(target);
        CDrawingPrint::Paint(m_pDoc->Doc(), painter, painter.viewport());
    });
    preview.exec();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (!m_app.CanCloseWindow(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted()) {
        // A drawing closed on its own leaves its accuracy, cursor steps and the rest of its
        // view state for the next drawing opened.
        if (m_pDrawing && !m_app.IsClosingAll()) {
            m_pDrawing->View().SaveViewState();
        }
        // The view goes now, while its document surely still exists.
        QWidget* drawing = widget();
        setWidget(nullptr);
        delete drawing;
        m_pDrawing = nullptr;
        m_app.OnWindowClosed(*this);
    }
}
