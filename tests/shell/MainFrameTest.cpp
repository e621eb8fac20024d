// The application offscreen: start-up with empty settings, bars, placement and their storing.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWindow>

#include "GuiDriver.h"
#include "shell/AidsBar.h"
#include "shell/CommandIds.h"
#include "shell/DrawingPropertiesDialog.h"
#include "shell/FrameLayoutStore.h"
#include "shell/Kestrovel.h"
#include "shell/LayerBar.h"
#include "shell/MainFrame.h"
#include "shell/ObjectBar.h"
#include "shell/QtSettingsStore.h"
#include "shell/ShellDocument.h"
#include "shell/ViewToolBar.h"

namespace {

std::unique_ptr<CKestrovelApp> Start(const QString& ini, QStringList args = {}) {
    auto app = std::make_unique<CKestrovelApp>(CQtSettingsStore::ForFile(ini, CKestrovelApp::kRecentFiles));
    if (args.isEmpty()) {
        OnNextDialog<CDrawingPropertiesDialog>([](CDrawingPropertiesDialog& d) { d.accept(); });
    }
    EXPECT_TRUE(app->InitInstance(args));
    return app;
}

}  // namespace

TEST(MainFrame, FirstRunShowsOnlyTheToolsBarDockedLeft) {
    QTemporaryDir dir;
    auto app = Start(dir.filePath(QStringLiteral("k.ini")));
    CMainFrame& frame = *app->GetMainFrame();
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.BasicBar()->isHidden());
    EXPECT_TRUE(frame.ViewBar()->isHidden());
    EXPECT_TRUE(frame.LayerToolBar()->isHidden());
    EXPECT_TRUE(frame.ObjectBar()->isHidden());
    EXPECT_TRUE(frame.LayerBar()->isHidden());
    EXPECT_TRUE(frame.AidsBar()->isHidden());
    EXPECT_FALSE(frame.ToolsBar()->isHidden());
    EXPECT_EQ(frame.toolBarArea(frame.ToolsBar()), Qt::LeftToolBarArea);

    ASSERT_EQ(app->Documents().size(), 1u);
    EXPECT_EQ(app->Documents()[0]->GetTitle(), QStringLiteral("Kestro1"));
    ASSERT_EQ(frame.Mdi()->subWindowList().size(), 1);
    EXPECT_TRUE(frame.Mdi()->subWindowList()[0]->isMaximized());
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Kestrovel - Kestro1[*]"));
}

TEST(MainFrame, TogglesShowHideAndCheckTheirBars) {
    QTemporaryDir dir;
    auto app = Start(dir.filePath(QStringLiteral("k.ini")));
    CMainFrame& frame = *app->GetMainFrame();
    const int toggles[] = {kCmdViewToolbar,        kCmdToggleViewBar,     kCmdToggleLayerBar,
                           kCmdToggleObjectDialog, kCmdToggleLayerDialog, kCmdToggleAidsDialog};
    for (int id : toggles) {
        EXPECT_FALSE(frame.GetCommandState(id).bChecked) << id;
        frame.Route(id);
        EXPECT_TRUE(frame.GetCommandState(id).bChecked) << id;
    }
    EXPECT_FALSE(frame.ObjectBar()->isHidden());
    frame.Route(kCmdToggleToolsBar);
    EXPECT_TRUE(frame.ToolsBar()->isHidden());
    EXPECT_FALSE(frame.GetCommandState(kCmdToggleToolsBar).bChecked);
    EXPECT_FALSE(frame.GetCommandState(kCmdDrawingManager).bEnabled) << "commands without a handler stay disabled";
    EXPECT_FALSE(frame.GetCommandState(kCmdView3D).bEnabled);
}

TEST(MainFrame, PlacementAndBarStatesAreStoredAndBroughtBack) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("k.ini"));
    {
        auto app = Start(ini);
        CMainFrame& frame = *app->GetMainFrame();
        frame.setGeometry(QRect(30, 40, 900, 700));
        frame.Route(kCmdViewToolbar);
        frame.Route(kCmdToggleAidsDialog);
        frame.AidsBar()->setFloating(true);
        frame.AidsBar()->setGeometry(QRect(300, 320, 340, 420));
        frame.close();
    }
    {
        CQtSettingsStore store(std::make_unique<QSettings>(ini, QSettings::IniFormat));
        EXPECT_EQ(store.GetString("Window size", "Rect", ""), "0030 0040 0930 0740");
        EXPECT_EQ(store.GetInt("Window size", "icon", -1), 0);
        EXPECT_EQ(store.GetInt("Window size", "max", -1), 0);
        EXPECT_EQ(store.GetInt("ToolBars", "BasicToolBarVisible", -1), 1);
        EXPECT_EQ(store.GetInt("ToolBars", "BasicToolBarFloating", -1), 0);
        EXPECT_EQ(store.GetInt("ToolBars", "ViewToolBarVisible", -1), 0);
        EXPECT_EQ(store.GetInt("DialogBars", "AidsDialogBarVisible", -1), 1);
        EXPECT_EQ(store.GetInt("DialogBars", "AidsDialogBarFloating", -1), 1);
        EXPECT_EQ(store.GetString("DialogBars", "AidsDialogBar", ""), "0300 0300 0640 0720")
            << "a floating bar is stored 20 pixels higher";
        EXPECT_EQ(store.GetInt("DialogBars", "ObjectDialogBarVisible", -1), 0);
    }
    auto app = Start(ini);
    CMainFrame& frame = *app->GetMainFrame();
    EXPECT_EQ(frame.geometry(), QRect(30, 40, 900, 700));
    EXPECT_FALSE(frame.BasicBar()->isHidden());
    EXPECT_FALSE(frame.AidsBar()->isHidden());
    EXPECT_TRUE(frame.AidsBar()->isFloating());
    EXPECT_EQ(frame.AidsBar()->geometry(), QRect(300, 320, 340, 420)) << "no drift from one run to the next";
    EXPECT_TRUE(frame.ObjectBar()->isHidden());
}

TEST(MainFrame, MinimisedFromMaximisedStartsMinimisedRestoringToMaximised) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("k.ini"));
    {
        auto app = Start(ini);
        CMainFrame& frame = *app->GetMainFrame();
        frame.setWindowState(Qt::WindowMaximized);
        frame.setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
        const CWindowPlacement p = frame.CurrentPlacement();
        EXPECT_EQ(p.nIcon, 1);
        EXPECT_EQ(p.nMax, 1);
        frame.close();
    }
    auto app = Start(ini);
    EXPECT_TRUE(app->GetMainFrame()->windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(app->GetMainFrame()->windowState() & Qt::WindowMaximized);
}

TEST(MainFrame, CaptionNamesTheActiveDocumentOnce) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("k.ini"));
    const QString shaft = dir.filePath(QStringLiteral("shaft.kst"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/sample.kst"), shaft));
    auto app = Start(ini, {shaft});
    CMainFrame& frame = *app->GetMainFrame();
    Settle();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Kestrovel - shaft.kst[*]")) << "a file opened at start";
    // What a maximised MDI window does to its frame's title.
    frame.setWindowTitle(QStringLiteral("Kestrovel - shaft.kst - [shaft.kst]"));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Kestrovel - shaft.kst[*]"));

    frame.Route(kCmdCncProgramming);
    Settle();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Kestrovel - shaft.kst[*]")) << "the CNC window's document";
    ASSERT_TRUE(app->SaveDocumentAs(*app->Documents()[0], dir.filePath(QStringLiteral("turned.kst"))));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Kestrovel - turned.kst[*]")) << "Save As";

    OnNextDialog<CDrawingPropertiesDialog>([](CDrawingPropertiesDialog& d) { d.accept(); });
    frame.Route(kCmdFileNew);
    Settle();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Kestrovel - Kestro1[*]"));
    frame.Mdi()->closeAllSubWindows();
    Settle();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Kestrovel"));
    frame.Route(kCmdFileMru1);
    Settle();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Kestrovel - turned.kst[*]")) << "from the recent files";
}

TEST(MainFrame, AToolBarStoredFloatingComesBackShown) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("k.ini"));
    {
        auto store = CQtSettingsStore::ForFile(ini, CKestrovelApp::kRecentFiles);
        store->WriteString("ToolBars", "BasicToolBar", "0300 0200 0700 0226");
        store->WriteInt("ToolBars", "BasicToolBarFloating", 1);
        store->WriteInt("ToolBars", "BasicToolBarVisible", 1);
    }
    auto app = Start(ini);
    CMainFrame& frame = *app->GetMainFrame();
    Settle();
    QToolBar* bar = frame.BasicBar();
    EXPECT_TRUE(bar->isWindow());
    EXPECT_TRUE(bar->isVisible());
    ASSERT_NE(bar->windowHandle(), nullptr);
    EXPECT_TRUE(bar->windowHandle()->isVisible());
    EXPECT_EQ(bar->windowHandle()->transientParent(), frame.windowHandle())
        << "floated after the main window was shown, the bar belongs to it";
    EXPECT_EQ(bar->pos(), QPoint(300, 220));
}

TEST(MainFrame, DialogBarsShownTheFirstTimeDoNotCoverEachOther) {
    QTemporaryDir dir;
    auto app = Start(dir.filePath(QStringLiteral("k.ini")));
    CMainFrame& frame = *app->GetMainFrame();
    QList<QRect> rects;
    for (int id : {kCmdToggleLayerDialog, kCmdToggleAidsDialog, kCmdToggleObjectDialog}) {
        frame.Route(id);
        Settle();
    }
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (QDockWidget* bar :
         std::initializer_list<QDockWidget*>{frame.LayerBar(), frame.AidsBar(), frame.ObjectBar()}) {
        ASSERT_TRUE(bar->isFloating());
        // With the caption above the bar, as the stored rectangles have it.
        rects.append(bar->geometry().adjusted(0, -CFrameLayoutStore::kCaptionHeight, 0, 0));
    }
    const QRect client(frame.centralWidget()->mapToGlobal(QPoint(0, 0)), frame.centralWidget()->size());
    EXPECT_TRUE(client.contains(rects[0].topLeft())) << "the first goes into the main window's client area";
    for (int i = 0; i < rects.size(); ++i) {
        for (int j = i + 1; j < rects.size(); ++j) {
            EXPECT_FALSE(rects[i].intersects(rects[j])) << i << " " << j;
        }
        EXPECT_TRUE(screen.contains(rects[i])) << i;
    }
}
