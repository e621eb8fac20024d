// The exchange items of the File menu: DXF in and out, and pictures through the window's own painting.
#include "shell/ExchangeCommands.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>

#include "document/KestrovelDoc.h"
#include "exchange/DxfExport.h"
#include "exchange/SvgSurface.h"
#include "shell/ChildFrame.h"
#include "shell/DrawingPrint.h"
#include "shell/DrawingWindow.h"
#include "shell/DxfImportDialog.h"
#include "shell/MainFrame.h"
#include "shell/QtSurface.h"
#include "shell/QtText.h"
#include "shell/ShellDocument.h"
#include "platform/Geometry.h"
#include "platform/Units.h"
#include "view/DrawingPicture.h"
#include "view/EditingTools.h"
#include "view/KestrovelView.h"

namespace {

CChildFrame* ActiveDrawing(CMainFrame& frame) {
    return dynamic_cast<CChildFrame*>(frame.ActiveChild());
}

bool Fail(CChildFrame& child, const QString& text) {
    QMessageBox::warning(&child, QStringLiteral("Error"), text);
    return false;
}

}  // namespace

void CExchangeCommands::AddTo(QMenu* menu, CMainFrame& frame) {
    menu->addSeparator();
    auto add = [&](const QString& text, auto work) {
        QAction* action = menu->addAction(text);
        QObject::connect(action, &QAction::triggered, &frame, [&frame, work] {
            if (CChildFrame* child = ActiveDrawing(frame)) {
                work(*child);
            }
        });
    };
    add(QStringLiteral("Import &DXF..."), [](CChildFrame& child) {
        const QString path = QFileDialog::getOpenFileName(&child, QStringLiteral("Import DXF"), QString(),
                                                          QStringLiteral("DXF drawings (*.dxf)"));
        if (!path.isEmpty()) {
            ImportDxf(child, path);
        }
    });
    add(QStringLiteral("Export DX&F..."), [](CChildFrame& child) {
        const QString path = QFileDialog::getSaveFileName(&child, QStringLiteral("Export DXF"), QString(),
                                                          QStringLiteral("DXF drawings (*.dxf)"));
        if (!path.isEmpty()) {
            const bool mirrored =
                QMessageBox::question(&child, QStringLiteral("Export DXF"),
                                      QStringLiteral("Also the lower half (mirrored)?")) == QMessageBox::Yes;
            ExportDxf(child, path, mirrored);
        }
    });
    add(QStringLiteral("Export Pic&ture..."), [](CChildFrame& child) {
        const QString path = QFileDialog::getSaveFileName(
            &child, QStringLiteral("Export Picture"), QString(),
            QStringLiteral("SVG picture (*.svg);;PNG picture (*.png);;PDF document (*.pdf)"));
        if (!path.isEmpty()) {
            ExportPicture(child, path);
        }
    });
}

bool CExchangeCommands::ImportDxf(CChildFrame& child, const QString& path) {
    CKestrovelDoc& doc = child.GetShellDocument()->Doc();
    CDxfImportDialog dialog(path, doc.GetActiveLayerIndex(), doc.GetLength(), &child);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const CImportResult& result = dialog.Result();
    double length = 0.0, diameter = 0.0;
    if (dialog.StockFromPart() && result.PartSize(length, diameter)) {
        doc.ChangeSourceMaterial(doc.GetShape(), Round(length * kUnitsPerMm), Round(diameter * kUnitsPerMm));
    }
    // The selection may point at elements the import replaces.
    child.Drawing().View().Tools().DestroyActive();
    std::string why;
    if (CDxfImport::Apply(doc, dialog.Layer(), result, doc.GetMessages(), dialog.ReplaceLayer(), &why) == 0) {
        return Fail(child, QStringLiteral("Nothing in %1 could be taken (%2); the drawing is unchanged.")
                               .arg(path, ToQ(why)));
    }
    child.Drawing().viewport()->update();
    return true;
}

bool CExchangeCommands::ExportDxf(CChildFrame& child, const QString& path, bool mirrored) {
    std::string error;
    if (!CDxfExport::Write(CDxfExport::Collect(child.GetShellDocument()->Doc(), mirrored), path.toStdString(),
                           error)) {
        return Fail(child, ToQ(error));
    }
    return true;
}

bool CExchangeCommands::ExportPicture(CChildFrame& child, const QString& path) {
    // The whole drawing as `render` draws it at the window's size: not the window's zoom,
    // selection or labels.
    CKestrovelDoc& doc = child.GetShellDocument()->Doc();
    const QSize size = child.Drawing().viewport()->size();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg")) {
        CSvgSurface svg(size.width(), size.height());
        CDrawingPicture::Paint(doc, svg);
        std::string error;
        return svg.Save(path.toStdString(), error) || Fail(child, ToQ(error));
    }
    if (suffix == QLatin1String("png")) {
        CQtSurface picture(size.width(), size.height());
        CDrawingPicture::Paint(doc, picture);
        return picture.GetImage().save(path, "PNG") || Fail(child, QStringLiteral("Cannot write %1").arg(path));
    }
    if (suffix == QLatin1String("pdf")) {
        QPdfWriter pdf(path);
        pdf.setTitle(child.windowTitle());
        pdf.setPageOrientation(CDrawingPrint::OrientationFor(doc));
        QPainter painter(&pdf);
        if (!painter.isActive()) {
            return Fail(child, QStringLiteral("Cannot write %1").arg(path));
        }
        CDrawingPrint::Paint(doc, painter, QRect(0, 0, pdf.width(), pdf.height()));
        return true;
    }
    return Fail(child, QStringLiteral("Choose a picture ending in .svg, .png or .pdf"));
}
