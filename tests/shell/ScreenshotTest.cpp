// Pictures of the main window with the sample drawing and its CNC program, saved in the build
// folder for a person to look at.
#include <gtest/gtest.h>

#include <QDockWidget>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include "GuiDriver.h"
#include "document/KestrovelDoc.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"
#include "shell/AidsBar.h"
#include "shell/ChildFrame.h"
#include "shell/ChildProcFrame.h"
#include "shell/CommandIds.h"
#include "shell/DrawingWindow.h"
#include "shell/Kestrovel.h"
#include "shell/LayerBar.h"
#include "shell/MainFrame.h"
#include "shell/ObjectBar.h"
#include "shell/PreProcesorEdit.h"
#include "shell/QtSettingsStore.h"
#include "shell/QtSurface.h"
#include "shell/ShellDocument.h"

namespace {

const QString kSample = QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/sample.kst");

QImage Shot(CMainFrame& frame, CDrawingWindow* drawing) {
    for (int i = 0; drawing && i < 50 && drawing->GetPaintCount() < 2; ++i) {
        Settle();
        drawing->viewport()->repaint();
    }
    return frame.grab().toImage();
}

}  // namespace

TEST(Screenshot, MainWindowWithTheSampleDrawingAndItsProgram) {
    ASSERT_FALSE(QFontDatabase::families().isEmpty()) << "no font is installed: texts would not render";
    ASSERT_TRUE(QFontInfo(CQtSurface::TextFont()).family().contains(QStringLiteral("DejaVu")))
        << "the drawing's text font is missing";

    QTemporaryDir dir;
    const QString oldDir = QDir::currentPath();
    ASSERT_TRUE(UseSamplePostProcessors(dir.path()));
    CKestrovelApp app(CQtSettingsStore::ForFile(dir.filePath(QStringLiteral("k.ini")), 10));
    ASSERT_TRUE(app.InitInstance({kSample}));
    CMainFrame& frame = *app.GetMainFrame();
    frame.setGeometry(0, 0, 1280, 1024);
    for (int id :
         std::initializer_list<int>{kCmdViewToolbar, kCmdToggleViewBar, kCmdToggleLayerBar,
                                    kCmdToggleObjectDialog, kCmdToggleLayerDialog, kCmdToggleAidsDialog}) {
        frame.Route(id);
    }
    // Docked, so that the bars are part of the main window's picture.
    for (QDockWidget* bar :
         std::initializer_list<QDockWidget*>{frame.ObjectBar(), frame.LayerBar(), frame.AidsBar()}) {
        bar->setFloating(false);
        frame.addDockWidget(Qt::LeftDockWidgetArea, bar);
    }
    frame.tabifyDockWidget(frame.ObjectBar(), frame.LayerBar());
    frame.ObjectBar()->raise();
    frame.resize(1280, 1024);
    auto* child = dynamic_cast<CChildFrame*>(frame.Mdi()->subWindowList().first());
    ASSERT_NE(child, nullptr);
    Settle();
    frame.Route(ID_ZOOM_FIT);
    const QImage drawingShot = Shot(frame, &child->Drawing());
    EXPECT_EQ(drawingShot.size(), QSize(1280, 1024));
    EXPECT_GE(child->Drawing().GetPaintCount(), 2);
    const QString drawingPath = QStringLiteral(KESTROVEL_BINARY_DIR "/kestrovel-screenshot.png");
    EXPECT_TRUE(drawingShot.save(drawingPath)) << drawingPath.toStdString();

    frame.Route(kCmdCncProgramming);
    auto* cnc = dynamic_cast<CChildProcFrame*>(frame.Mdi()->activeSubWindow());
    ASSERT_NE(cnc, nullptr);
    EXPECT_EQ(cnc->Bar().GetText(1001), "Shaft finish");
    // Four tools, each changed, started, placed and cutting; the groove tool roughs, then finishes.
    EXPECT_EQ(cnc->Bar().GetCount(10310), 18);
    frame.Route(kCmdProgramCompile);
    EXPECT_TRUE(cnc->CodeView().toPlainText().startsWith(QStringLiteral("%")));
    const QString cncPath = QStringLiteral(KESTROVEL_BINARY_DIR "/kestrovel-cnc-screenshot.png");
    EXPECT_TRUE(Shot(frame, nullptr).save(cncPath)) << cncPath.toStdString();
    QDir::setCurrent(oldDir);
}
