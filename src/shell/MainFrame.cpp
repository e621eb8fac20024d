// The main frame: creation, command routing and update, status panes, placement and closing.
#include "shell/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWhatsThis>

#include "document/KestrovelDoc.h"
#include "platform/SettingsStore.h"
#include "platform/Units.h"
#include "shell/AidsBar.h"
#include "shell/ChildWindow.h"
#include "shell/CommandIds.h"
#include "shell/CommandTable.h"
#include "shell/DrawingWindow.h"
#include "shell/Icons.h"
#include "shell/Kestrovel.h"
#include "shell/LayerBar.h"
#include "shell/ObjectBar.h"
#include "shell/ShellDocument.h"
#include "shell/ViewToolBar.h"
#include "view/KestrovelView.h"

CMainFrame::CMainFrame(CKestrovelApp& app, CSettingsStore* settings)
    : m_app(app),
      m_pSettings(settings),
      m_strStartDirectory(QDir::currentPath()),
      m_pMdi(new QMdiArea(this)),
      m_pCommands(new CCommandTable(this, [this](int id) { Route(id); })) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(QStringLiteral("Kestrovel"));
    setWindowIcon(CIcons::Application());
    setCentralWidget(m_pMdi);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
    m_pMdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    CreateToolBars();
    CreateDialogBars();
    CreateStatusBar();
    CreateMenus();
    // The layer-combining tool is for developers: it shows only where the settings ask for it.
    const bool debugTool = m_pSettings && m_pSettings->GetInt(kDebugSection, kDebugToolKey, 0) != 0;
    m_pCommands->Action(ID_TOOL_DEBUG)->setVisible(debugTool);
    connect(m_pMdi, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() = default;

CChildWindow* CMainFrame::ActiveChild() const {
    QMdiSubWindow* sub = m_pMdi->activeSubWindow();
    if (!sub) {
        // Without focus (offscreen, minimised) the area still knows its current window.
        sub = m_pMdi->currentSubWindow();
    }
    return dynamic_cast<CChildWindow*>(sub);
}

void CMainFrame::Route(int id) {
    CChildWindow* child = ActiveChild();
    if (!(child && child->OnCommand(id)) && !OwnCommand(id)) {
        m_app.OnCommand(id);
    }
    UpdateCommandUI();
}

CCommandState CMainFrame::GetCommandState(int id) const {
    CCommandState state;
    if (CChildWindow* child = ActiveChild(); child && child->GetCommandState(id, state)) {
        return state;
    }
    if (OwnCommandState(id, state)) {
        return state;
    }
    m_app.GetCommandState(id, state);
    return state;
}

void CMainFrame::UpdateCommandUI() {
    UpdateCaption();
    // The property bars act on a drawing: over a CNC window, or without a document, they rest.
    const CDrawingWindow* drawing = m_app.ActiveDrawing();
    if (drawing) {
        ShowUnits(drawing->View().GetUnits());
    }
    for (CDialogBar* bar : {static_cast<CDialogBar*>(m_pObjectBar), static_cast<CDialogBar*>(m_pLayerBar),
                            static_cast<CDialogBar*>(m_pAidsBar)}) {
        bar->EnableControls(drawing != nullptr);
    }
    for (const auto& [id, action] : m_pCommands->Actions()) {
        const CCommandState state = GetCommandState(id);
        action->setEnabled(state.bEnabled);
        if (action->isCheckable()) {
            action->setChecked(state.bChecked);
        }
    }
}

QWidget* CMainFrame::ToggledBar(int id) const {
    switch (id) {
        case kCmdViewToolbar: return m_pBasicBar;
        case kCmdViewStatusBar: return statusBar();
        case kCmdToggleViewBar: return m_pViewBar;
        case kCmdToggleToolsBar: return m_pToolsBar;
        case kCmdToggleLayerBar: return m_pLayerToolBar;
        case kCmdToggleObjectDialog: return m_pObjectBar;
        case kCmdToggleLayerDialog: return m_pLayerBar;
        case kCmdToggleAidsDialog: return m_pAidsBar;
        default: return nullptr;
    }
}

bool CMainFrame::OwnCommand(int id) {
    if (QWidget* bar = ToggledBar(id)) {
        if (bar->isHidden()) {
            if (auto* dock = qobject_cast<QDockWidget*>(bar)) {
                ShowDialogBarFirstTime(dock);
            }
        }
        bar->setVisible(bar->isHidden());
        return true;
    }
    switch (id) {
        case kCmdCncProgramming: m_app.OpenCncWindow(); return true;
        case kCmdWindowCascade: m_pMdi->cascadeSubWindows(); return true;
        case kCmdWindowTile: m_pMdi->tileSubWindows(); return true;
        case kCmdNextPane:
        case kCmdPrevPane:
            if (CChildWindow* child = ActiveChild()) {
                child->NextPane(id == kCmdNextPane ? 1 : -1);
            }
            return true;
        case kCmdHelp:
        case kCmdHelpIndex:
        case kCmdContextHelp: QWhatsThis::enterWhatsThisMode(); return true;
        default: return false;
    }
}

bool CMainFrame::OwnCommandState(int id, CCommandState& state) const {
    if (QWidget* bar = ToggledBar(id)) {
        state = CCommandState{true, !bar->isHidden()};
        return true;
    }
    switch (id) {
        case kCmdCncProgramming: state = CCommandState{ActiveChild() != nullptr, false}; return true;
        case kCmdWindowCascade:
        case kCmdWindowTile: state = CCommandState{!m_pMdi->subWindowList().isEmpty(), false}; return true;
        case kCmdNextPane:
        case kCmdPrevPane: state = CCommandState{ActiveChild() != nullptr, false}; return true;
        case kCmdHelp:
        case kCmdHelpIndex:
        case kCmdContextHelp: state = CCommandState{true, false}; return true;
        default: return false;
    }
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
    if (auto* child = dynamic_cast<CChildWindow*>(window)) {
        child->OnActivate();
    } else if (!window && m_pMdi->subWindowList().isEmpty()) {
        SetMenuKind(MenuKind::NoDocument);
    }
    UpdateCommandUI();
}

QString CMainFrame::Caption() const {
    const CShellDocument* doc = m_app.ActiveDocument();
    // "[*]" is where the window system shows the unsaved-changes mark.
    return doc ? QStringLiteral("Kestrovel - ") + doc->GetTitle() + QStringLiteral("[*]")
               : QStringLiteral("Kestrovel");
}

void CMainFrame::UpdateCaption() {
    m_strCaption = Caption();
    if (windowTitle() != m_strCaption) {
        setWindowTitle(m_strCaption);
    }
    const CShellDocument* doc = m_app.ActiveDocument();
    setWindowModified(doc && doc->Doc().IsModified());
}

bool CMainFrame::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    // A maximised MDI window writes its own title into the frame's ("... - [title]"); the
    // caption names the active document once, whatever kind of window shows it.
    if (event->type() == QEvent::WindowTitleChange && !m_strCaption.isEmpty() &&
        windowTitle() != m_strCaption) {
        setWindowTitle(m_strCaption);
    }
    return handled;
}

// Status bar -------------------------------------------------------------------------------

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    m_pPanes[0] = new QLabel(QStringLiteral("Ready"), bar);
    m_pPanes[0]->setMinimumWidth(100);
    bar->addWidget(m_pPanes[0], 1);
    for (int i = 1; i <= 2; ++i) {
        m_pPanes[i] = new QLabel(bar);
        m_pPanes[i]->setFixedWidth(60);
        m_pPanes[i]->setFrameShape(QFrame::Panel);
        m_pPanes[i]->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(m_pPanes[i]);
    }
    // The read-outs are bare numbers: the unit stands after them.
    m_pUnitPane = new QLabel(bar);
    m_pUnitPane->setObjectName(QStringLiteral("UnitPane"));
    bar->addPermanentWidget(m_pUnitPane);
    ShowUnits(1);
}

void CMainFrame::ShowUnits(int units) {
    const QString unit = QString::fromLatin1(UnitName(units));
    if (m_pUnitPane->text() == unit) {
        return;
    }
    m_pUnitPane->setText(unit);
    m_pPanes[1]->setToolTip(QStringLiteral("Z of the mouse pointer, along the turning axis, in ") + unit);
    m_pPanes[2]->setToolTip(QStringLiteral("X of the mouse pointer, across the turning axis, in ") + unit);
    m_pObjectBar->SetUnitName(unit);
}

void CMainFrame::SetPaneText(int pane, const QString& text) {
    if (pane >= 0 && pane < 3) {
        m_pPanes[pane]->setText(text);
    }
}

QString CMainFrame::GetPaneText(int pane) const {
    return pane >= 0 && pane < 3 ? m_pPanes[pane]->text() : QString();
}

// Placement and closing --------------------------------------------------------------------

CWindowPlacement CMainFrame::CurrentPlacement() const {
    CWindowPlacement placement;
    QRect normal = (isMaximized() || isMinimized()) ? normalGeometry() : geometry();
    if (normal.isEmpty()) {
        normal = geometry();
    }
    placement.rcNormal =
        CRect(normal.left(), normal.top(), normal.left() + normal.width(), normal.top() + normal.height());
    if (isMinimized()) {
        placement.nIcon = 1;
        placement.nMax = windowState() & Qt::WindowMaximized ? 1 : 0;
    } else {
        placement.nMax = isMaximized() ? 1 : 0;
    }
    return placement;
}

void CMainFrame::RestorePlacement() {
    if (!m_pSettings) {
        return;
    }
    const std::optional<CWindowPlacement> placement = CFrameLayoutStore::LoadPlacement(*m_pSettings);
    if (!placement) {
        return;
    }
    const CRect& rc = placement->rcNormal;
    setGeometry(QRect(rc.left, rc.top, rc.Width(), rc.Height()));
    if (placement->nIcon) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setWindowState(Qt::WindowMinimized | (placement->nMax ? Qt::WindowMaximized : Qt::WindowNoState));
    } else if (placement->nMax) {
        setWindowState(Qt::WindowMaximized);
    }
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_pendingFloats.isEmpty()) {
        QTimer::singleShot(0, this, &CMainFrame::FloatPendingToolBars);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    SaveBarStates();
    m_app.SaveActiveViewState();
    if (!m_app.CloseAllDocuments()) {
        event->ignore();
        return;
    }
    if (m_pSettings) {
        CFrameLayoutStore::SavePlacement(*m_pSettings, CurrentPlacement());
    }
    event->accept();
}
