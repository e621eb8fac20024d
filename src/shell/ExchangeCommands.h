// CExchangeCommands: File > Import DXF..., Export DXF... and Export Picture... of a drawing window.
#pragma once

#include <QObject>
#include <QString>

class CChildFrame;
class CMainFrame;
class QMenu;

class CExchangeCommands {
public:
    // Adds the three items to a drawing's File menu; they act on the frame's active drawing.
    static void AddTo(QMenu* menu, CMainFrame& frame);

    // The work behind the items, without their file dialogs; false with a message box on failure.
    static bool ImportDxf(CChildFrame& child, const QString& path);
    static bool ExportDxf(CChildFrame& child, const QString& path, bool mirrored);
    // SVG, PNG or PDF by the path's extension, at the size of the drawing window.
    static bool ExportPicture(CChildFrame& child, const QString& path);
};
