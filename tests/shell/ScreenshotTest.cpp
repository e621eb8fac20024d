// A picture of the main window with a drawing, saved in the build folder for a person to look at.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

#include "GuiDriver.h"
#include "shell/ChildFrame.h"
#include "shell/CommandIds.h"
#include "shell/DrawingPropertiesDialog.h"
#include "shell/DrawingWindow.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/QtSettingsStore.h"
#include "shell/QtSurface.h"

TEST(Screenshot, MainWindowWithTheSampleDrawing) {
    ASSERT_FALSE(QFontDatabase::families().isEmpty()) << "no font is installed: texts would not render";
    ASSERT_TRUE(QFontInfo(CQtSurface::TextFont()).family().contains(QStringLiteral("DejaVu")));

    QTemporaryDir dir;
    CKestrovelApp app(CQtSettingsStore::ForFile(dir.filePath(QStringLiteral("k.ini")), 10));
    OnNextDialog<CDrawingPropertiesDialog>([](CDrawingPropertiesDialog& d) { d.accept(); });
    ASSERT_TRUE(app.InitInstance({}));
    CMainFrame& frame = *app.GetMainFrame();
    frame.setGeometry(0, 0, 1280, 1024);
    for (int id : std::initializer_list<int>{kCmdViewToolbar, kCmdToggleViewBar, kCmdToggleLayerBar, kCmdToggleObjectDialog,
                   kCmdToggleLayerDialog, kCmdToggleAidsDialog}) {
        frame.Route(id);
    }
    auto* child = dynamic_cast<CChildFrame*>(frame.Mdi()->subWindowList().first());
    ASSERT_NE(child, nullptr);
    QTest::qWait(50);
    for (int i = 0; i < 20 && child->Drawing().GetPaintCount() < 2; ++i) {
        child->Drawing().viewport()->repaint();
        QTest::qWait(10);
    }
    const QImage shot = frame.grab().toImage();
    EXPECT_EQ(shot.size(), QSize(1280, 1024));
    const QString path = QStringLiteral(KESTROVEL_BINARY_DIR "/kestrovel-screenshot.png");
    ASSERT_TRUE(shot.save(path)) << path.toStdString();
}
