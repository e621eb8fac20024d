// The main frame's three menu sets: without a document, for a drawing, for CNC programming.
#include <QAction>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include "platform/SettingsStore.h"
#include "shell/CommandIds.h"
#include "shell/CommandTable.h"
#include "shell/ExchangeCommands.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/QtText.h"

namespace {

void Add(QMenu* menu, CCommandTable& commands, std::initializer_list<int> ids) {
    for (int id : ids) {
        if (id == 0) {
            menu->addSeparator();
        } else {
            menu->addAction(commands.Action(id));
        }
    }
}

}  // namespace

void CMainFrame::FillRecentFiles(QMenu* menu) {
    // The recent files sit between the marker separators, rebuilt each time the menu opens.
    for (QAction* a : menu->actions()) {
        if (a->property("recent").toBool()) {
            menu->removeAction(a);
            a->deleteLater();
        }
    }
    QAction* anchor = nullptr;
    for (QAction* a : menu->actions()) {
        if (a->property("recentAnchor").toBool()) {
            anchor = a;
        }
    }
    const std::vector<std::string> files =
        m_pSettings ? m_pSettings->GetRecentFiles() : std::vector<std::string>{};
    if (files.empty()) {
        auto* none = new QAction(QStringLiteral("Recent File"), menu);
        none->setEnabled(false);
        none->setProperty("recent", true);
        menu->insertAction(anchor, none);
        return;
    }
    for (size_t i = 0; i < files.size(); ++i) {
        auto* entry = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(ToQ(files[i])), menu);
        entry->setProperty("recent", true);
        const QString path = ToQ(files[i]);
        connect(entry, &QAction::triggered, this, [this, path]() { m_app.OpenDocument(path); });
        menu->insertAction(anchor, entry);
    }
}

QMenu* CMainFrame::FileMenu(MenuKind kind) {
    auto* menu = new QMenu(QStringLiteral("&File"), this);
    CCommandTable& c = *m_pCommands;
    if (kind == MenuKind::NoDocument) {
        Add(menu, c, {kCmdFileNew, kCmdFileOpen, 0, kCmdFilePrintSetup});
    } else if (kind == MenuKind::Programming) {
        Add(menu, c,
            {kCmdFileNew, kCmdFileOpen, kCmdFileClose, kCmdFileSave, kCmdFileSaveAs, 0, kCmdFilePrint,
             kCmdFilePrintPreview, kCmdFilePrintSetup});
    } else {
        Add(menu, c,
            {kCmdFileNew, kCmdFileOpen, kCmdFileClose, kCmdFileSave, kCmdFileSaveAs, kCmdSaveAsDefault, 0,
             kCmdFilePrint, kCmdFilePrintPreview, kCmdFilePrintSetup});
        CExchangeCommands::AddTo(menu, *this);
    }
    menu->addSeparator();
    QAction* anchor = menu->addSeparator();
    anchor->setProperty("recentAnchor", true);
    Add(menu, c, {kCmdAppExit});
    connect(menu, &QMenu::aboutToShow, this, [this, menu]() {
        FillRecentFiles(menu);
        UpdateCommandUI();
    });
    return menu;
}

QMenu* CMainFrame::EditMenu() {
    auto* menu = new QMenu(QStringLiteral("&Edit"), this);
    Add(menu, *m_pCommands,
        {kCmdEditUndo, kCmdEditRedo, 0, kCmdEditCut, kCmdEditCopy, kCmdEditPaste, kCmdEditClear});
    return menu;
}

QMenu* CMainFrame::ViewMenu(bool drawing) {
    auto* menu = new QMenu(QStringLiteral("&View"), this);
    Add(menu, *m_pCommands,
        {kCmdViewToolbar, kCmdViewStatusBar, kCmdToggleViewBar, kCmdToggleToolsBar, kCmdToggleLayerBar, 0,
         kCmdToggleObjectDialog, kCmdToggleLayerDialog, kCmdToggleAidsDialog});
    if (drawing) {
        Add(menu, *m_pCommands,
            {0, ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_FIT, ID_ZOOM_100, ID_ZOOM_OBJECT, 0, kCmdDrawingProperties,
             kCmdCncProgramming});
    }
    return menu;
}

QMenu* CMainFrame::WindowMenu() {
    auto* menu = new QMenu(QStringLiteral("&Window"), this);
    Add(menu, *m_pCommands, {kCmdWindowNew, kCmdWindowCascade, kCmdWindowTile});
    menu->addActions({m_pNextWindow, m_pPrevWindow});
    QAction* separator = menu->addSeparator();
    connect(menu, &QMenu::aboutToShow, this, [this, menu, separator]() {
        const QList<QAction*> actions = menu->actions();
        for (int i = static_cast<int>(actions.indexOf(separator)) + 1; i < actions.size(); ++i) {
            menu->removeAction(actions[i]);
            actions[i]->deleteLater();
        }
        const QList<QMdiSubWindow*> windows = m_pMdi->subWindowList();
        for (int i = 0; i < windows.size(); ++i) {
            QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(windows[i]->windowTitle()));
            a->setCheckable(true);
            a->setChecked(windows[i] == m_pMdi->activeSubWindow());
            QMdiSubWindow* w = windows[i];
            connect(a, &QAction::triggered, this, [this, w]() { m_pMdi->setActiveSubWindow(w); });
        }
        UpdateCommandUI();
    });
    return menu;
}

QMenu* CMainFrame::HelpMenu() {
    auto* menu = new QMenu(QStringLiteral("&Help"), this);
    Add(menu, *m_pCommands, {kCmdHelpIndex, kCmdContextHelp, 0, kCmdAppAbout});
    return menu;
}

void CMainFrame::CreateMenus() {
    // The window keys work whichever window is active, with or without the menu open.
    m_pNextWindow = new QAction(QStringLiteral("Ne&xt Window"), this);
    m_pNextWindow->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_F6)});
    m_pPrevWindow = new QAction(QStringLiteral("&Previous Window"), this);
    m_pPrevWindow->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6)});
    for (QAction* a : {m_pNextWindow, m_pPrevWindow}) {
        a->setShortcutContext(Qt::ApplicationShortcut);
        addAction(a);
    }
    connect(m_pNextWindow, &QAction::triggered, m_pMdi, &QMdiArea::activateNextSubWindow);
    connect(m_pPrevWindow, &QAction::triggered, m_pMdi, &QMdiArea::activatePreviousSubWindow);
    m_menus[0] = {FileMenu(MenuKind::NoDocument), ViewMenu(false), HelpMenu()};

    auto* tools = new QMenu(QStringLiteral("&Tools"), this);
    Add(tools, *m_pCommands,
        {ID_MODE_FAST,
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
         0,
         ID_TOOL_MIRROR,
         ID_TOOL_TURN,
         ID_TOOL_MOVE,
         0,
         kCmdOptions,
         kCmdToolLibrary,
         0,
         ID_TOOL_DEBUG});
    auto* layers = new QMenu(QStringLiteral("&Layers"), this);
    Add(layers, *m_pCommands,
        {kCmdLayer1, kCmdLayer1 + 1, kCmdLayer1 + 2, kCmdLayer1 + 3, kCmdLayer1 + 4, kCmdLayer1 + 5});
    m_menus[1] = {
        FileMenu(MenuKind::Drawing), EditMenu(), ViewMenu(true), tools, layers, WindowMenu(), HelpMenu()};

    auto* commands = new QMenu(QStringLiteral("&Commands"), this);
    Add(commands, *m_pCommands, {kCmdCommandAdd, kCmdCommandInsert, kCmdCommandEdit, kCmdCommandDelete});
    auto* program = new QMenu(QStringLiteral("&Program"), this);
    Add(program, *m_pCommands, {kCmdProgramNew, kCmdProgramEdit, kCmdProgramCompile, kCmdProgramSendTo});
    auto* post = new QMenu(QStringLiteral("P&ost-processor"), this);
    Add(post, *m_pCommands, {kCmdPostChange, kCmdPostControl, kCmdPostReactivate});
    m_menus[2] = {
        FileMenu(MenuKind::Programming), EditMenu(), commands, program, post, ViewMenu(false), WindowMenu()};

    for (QList<QMenu*>& set : m_menus) {
        for (QMenu* menu : set) {
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
        }
    }
    m_menuKind = MenuKind::Drawing;
    SetMenuKind(MenuKind::NoDocument);
}

void CMainFrame::SetMenuKind(MenuKind kind) {
    if (kind == m_menuKind) {
        return;
    }
    m_menuKind = kind;
    menuBar()->clear();
    for (QMenu* menu : m_menus[static_cast<int>(kind)]) {
        menuBar()->addMenu(menu);
    }
}
