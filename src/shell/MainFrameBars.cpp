// The main frame's bars: creation in their order, the saved states and their restoring.
#include <QAction>
#include <QDockWidget>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>

#include "shell/AidsBar.h"
#include "shell/BarPlacement.h"
#include "shell/CommandIds.h"
#include "shell/CommandTable.h"
#include "shell/Kestrovel.h"
#include "shell/LayerBar.h"
#include "shell/MainFrame.h"
#include "shell/ObjectBar.h"
#include "shell/QtText.h"
#include "shell/ViewToolBar.h"

namespace {

QRect ScreenRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1280, 1024);
}

// A tool bar leaves its dock the way Qt's own dragging leaves it: as a frameless tool window
// the main window's layout then skips.
void FloatToolBar(QToolBar* bar, const QPoint& topLeft) {
    const bool visible = !bar->isHidden();
    bar->hide();
    bar->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    bar->move(topLeft);
    bar->setVisible(visible);
}

}  // namespace

void CMainFrame::AddButtons(QToolBar* bar, std::initializer_list<int> ids) {
    for (int id : ids) {
        if (id == 0) {
            bar->addSeparator();
        } else {
            bar->addAction(m_pCommands->Action(id));
        }
    }
}

void CMainFrame::CreateToolBars() {
    m_pBasicBar = new QToolBar(QStringLiteral("Basic"), this);
    m_pBasicBar->setObjectName(QStringLiteral("BasicToolBar"));
    m_pBasicBar->setIconSize(QSize(16, 16));
    AddButtons(m_pBasicBar, {kCmdFileNew,
                             kCmdFileOpen,
                             kCmdFileSave,
                             0,
                             kCmdEditCut,
                             kCmdEditCopy,
                             kCmdEditPaste,
                             0,
                             kCmdEditUndo,
                             kCmdEditRedo,
                             0,
                             kCmdFilePrint,
                             0,
                             kCmdOptions,
                             kCmdDrawingManager,
                             kCmdView3D,
                             kCmdCncProgramming,
                             0,
                             kCmdAppAbout,
                             kCmdContextHelp});
    addToolBar(Qt::TopToolBarArea, m_pBasicBar);
    RestoreBarState(m_pBasicBar, false, QStringLiteral("BasicToolBar"));

    m_pViewBar = new CViewToolBar(this);
    m_pViewBar->setIconSize(QSize(16, 16));
    AddButtons(m_pViewBar, {ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_FIT, ID_ZOOM_100, ID_ZOOM_OBJECT});
    addToolBar(Qt::TopToolBarArea, m_pViewBar);
    RestoreBarState(m_pViewBar, false, QString::fromLatin1(CViewToolBar::kStateName));

    m_pToolsBar = new QToolBar(QStringLiteral("Tools"), this);
    m_pToolsBar->setObjectName(QStringLiteral("ToolsBar"));
    m_pToolsBar->setIconSize(QSize(24, 24));
    AddButtons(m_pToolsBar, {ID_MODE_FAST,
                             ID_MODE_SLOW,
                             0,
                             ID_EDIT_OK,
                             ID_EDIT_BACK,
                             0,
                             ID_TOOL_SELECT,
                             ID_TOOL_RANGE,
                             0,
                             ID_TOOL_LINE,
                             ID_TOOL_CIRCLE,
                             ID_TOOL_K1,
                             ID_TOOL_K2,
                             ID_TOOL_K3,
                             ID_TOOL_K4,
                             ID_TOOL_CURVE,
                             0,
                             ID_TOOL_MIRROR,
                             ID_TOOL_TURN,
                             ID_TOOL_MOVE,
                             ID_TOOL_DEBUG});
    addToolBar(Qt::LeftToolBarArea, m_pToolsBar);

    m_pLayerToolBar = new QToolBar(QStringLiteral("Layers"), this);
    m_pLayerToolBar->setObjectName(QStringLiteral("LayerToolBar"));
    m_pLayerToolBar->setIconSize(QSize(16, 16));
    AddButtons(m_pLayerToolBar, {kCmdLayer1, kCmdLayer1 + 1, kCmdLayer1 + 2, kCmdLayer1 + 3, kCmdLayer1 + 4,
                                 kCmdLayer1 + 5, kCmdLayerFinal});
    addToolBar(Qt::TopToolBarArea, m_pLayerToolBar);
    RestoreBarState(m_pLayerToolBar, false, QStringLiteral("LayerToolBar"));
}

void CMainFrame::CreateDialogBars() {
    m_pObjectBar = new CObjectBar(this);
    m_pLayerBar = new CLayerBar(this);
    m_pAidsBar = new CAidsBar(this);
    for (CDialogBar* bar : {static_cast<CDialogBar*>(m_pObjectBar), static_cast<CDialogBar*>(m_pLayerBar),
                            static_cast<CDialogBar*>(m_pAidsBar)}) {
        addDockWidget(Qt::LeftDockWidgetArea, bar);
        bar->Controls().SetHandler([this](CControlBar& controls, int id, BarNotify what) {
            m_app.OnBarNotify(controls, id, what);
            UpdateCommandUI();
        });
        RestoreBarState(bar, true, bar->GetStateName());
    }
    m_pViewBar->Controls().SetHandler(
        [this](CControlBar& controls, int id, BarNotify what) { m_app.OnBarNotify(controls, id, what); });
}

void CMainFrame::SaveBarStates() {
    if (!m_pSettings) {
        return;
    }
    SaveBarState(m_pBasicBar, false, QStringLiteral("BasicToolBar"));
    SaveBarState(m_pViewBar, false, QString::fromLatin1(CViewToolBar::kStateName));
    SaveBarState(m_pLayerToolBar, false, QStringLiteral("LayerToolBar"));
    SaveBarState(m_pObjectBar, true, m_pObjectBar->GetStateName());
    SaveBarState(m_pAidsBar, true, m_pAidsBar->GetStateName());
    SaveBarState(m_pLayerBar, true, m_pLayerBar->GetStateName());
}

void CMainFrame::RestoreBarStates() {
    RestoreBarState(m_pBasicBar, false, QStringLiteral("BasicToolBar"));
    RestoreBarState(m_pViewBar, false, QString::fromLatin1(CViewToolBar::kStateName));
    RestoreBarState(m_pLayerToolBar, false, QStringLiteral("LayerToolBar"));
    RestoreBarState(m_pObjectBar, true, m_pObjectBar->GetStateName());
    RestoreBarState(m_pLayerBar, true, m_pLayerBar->GetStateName());
    RestoreBarState(m_pAidsBar, true, m_pAidsBar->GetStateName());
}

void CMainFrame::SaveBarState(QWidget* bar, bool dialogBar, const QString& key) {
    CBarState state;
    state.bVisible = bar->isHidden() ? 0 : 1;
    auto* dock = qobject_cast<QDockWidget*>(bar);
    auto* tool = qobject_cast<QToolBar*>(bar);
    state.bFloating = (dock && dock->isFloating()) || (tool && tool->isFloating()) ? 1 : 0;
    const QPoint origin = bar->mapToGlobal(QPoint(0, 0));
    state.rc = CRect(origin.x(), origin.y(), origin.x() + bar->width(), origin.y() + bar->height());
    CFrameLayoutStore::SaveBarState(*m_pSettings, dialogBar, FromQ(key), state);
}

void CMainFrame::RestoreBarState(QWidget* bar, bool dialogBar, const QString& key) {
    if (!m_pSettings) {
        bar->setVisible(!dialogBar);
        return;
    }
    const QRect screen = ScreenRect();
    const CBarState state =
        CFrameLayoutStore::LoadBarState(*m_pSettings, dialogBar, FromQ(key), screen.width(), screen.height());
    // A floating bar's client area goes back where it was: below the caption the stored
    // rectangle includes.
    const QPoint client(state.rc.left, state.rc.top + CFrameLayoutStore::kCaptionHeight);
    if (auto* dock = qobject_cast<QDockWidget*>(bar)) {
        if (state.bFloating) {
            dock->setFloating(true);
            const QSize size = state.rc.Width() > 0 && state.rc.Height() > 0
                                   ? QSize(state.rc.Width(), state.rc.Height())
                                   : dock->sizeHint();
            dock->setGeometry(QRect(client, size));
        } else {
            dock->setFloating(false);
            addDockWidget(Qt::TopDockWidgetArea, dock);
        }
    } else if (auto* tool = qobject_cast<QToolBar*>(bar)) {
        if (state.bFloating && isVisible()) {
            FloatToolBar(tool, client);
        } else if (state.bFloating) {
            // A tool window made before its main window is shown is mapped but not shown on
            // some window systems: it floats once the main window is up.
            m_pendingFloats.append({tool, client});
        }
    }
    bar->setVisible(state.bVisible != 0);
    if (dialogBar && !CFrameLayoutStore::HasBarRect(*m_pSettings, dialogBar, FromQ(key))) {
        m_unplacedBars.insert(bar);
    }
}

void CMainFrame::FloatPendingToolBars() {
    for (const auto& [bar, topLeft] : m_pendingFloats) {
        if (bar) {
            FloatToolBar(bar, topLeft);
        }
    }
    m_pendingFloats.clear();
}

void CMainFrame::ShowDialogBarFirstTime(QDockWidget* bar) {
    if (!m_unplacedBars.remove(bar) || !bar->isFloating()) {
        return;
    }
    // Each bar goes beside or below the bars already on the screen instead of on top of them.
    // Rectangles include the caption.
    const int caption = CFrameLayoutStore::kCaptionHeight;
    std::vector<CRect> shown;
    for (QDockWidget* other :
         {static_cast<QDockWidget*>(m_pObjectBar), static_cast<QDockWidget*>(m_pLayerBar),
          static_cast<QDockWidget*>(m_pAidsBar)}) {
        if (other != bar && other->isVisible() && other->isFloating()) {
            const QRect g = other->geometry();
            shown.push_back(CRect(g.left(), g.top() - caption, g.left() + g.width(), g.top() + g.height()));
        }
    }
    const QSize size = bar->size().expandedTo(bar->sizeHint());
    const QRect screen = ScreenRect();
    // The first place is inside the main window's client area, clear of its menu and tool bars
    // wherever the window stands; the frame's own bars count as taken places.
    const QPoint client = centralWidget()->mapToGlobal(QPoint(0, 0));
    const CPoint corner(client.x() + CBarPlacement::kGap * 4, client.y() + CBarPlacement::kGap * 4);
    for (QWidget* taken : {static_cast<QWidget*>(menuBar()), static_cast<QWidget*>(m_pBasicBar),
                           static_cast<QWidget*>(m_pViewBar), static_cast<QWidget*>(m_pToolsBar),
                           static_cast<QWidget*>(m_pLayerToolBar)}) {
        if (taken && taken->isVisible()) {
            const QPoint at = taken->mapToGlobal(QPoint(0, 0));
            shown.push_back(CRect(at.x(), at.y(), at.x() + taken->width(), at.y() + taken->height()));
        }
    }
    const CRect rc = CBarPlacement::Place(
        CSize{size.width(), size.height() + caption}, shown, corner,
        CRect(screen.left(), screen.top(), screen.left() + screen.width(), screen.top() + screen.height()));
    bar->setGeometry(QRect(rc.left, rc.top + caption, size.width(), size.height()));
}
