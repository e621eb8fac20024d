// CMainFrame: the main window with its MDI area, tool bars, dialog bars, status bar and menus.
#pragma once

#include <QMainWindow>
#include <QPair>
#include <QPoint>
#include <QPointer>
#include <QSet>
#include <QString>
#include <functional>

#include "shell/FrameLayoutStore.h"
#include "view/ViewCommands.h"

class CAidsBar;
class CChildWindow;
class CCommandTable;
class CDialogBar;
class CKestrovelApp;
class CLayerBar;
class CObjectBar;
class CSettingsStore;
class CViewToolBar;
class QLabel;
class QDockWidget;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // The menu sets of the two kinds of document window, and the one without any document.
    enum class MenuKind { NoDocument, Drawing, Programming };

    // The setting that shows the developers' Debug tool (an integer, 0 or absent hides it).
    static constexpr const char* kDebugSection = "Debug";
    static constexpr const char* kDebugToolKey = "Show Debug Tool";

    CMainFrame(CKestrovelApp& app, CSettingsStore* settings);
    ~CMainFrame() override;

    QMdiArea* Mdi() const { return m_pMdi; }
    CCommandTable& Commands() const { return *m_pCommands; }
    CObjectBar* ObjectBar() const { return m_pObjectBar; }
    CLayerBar* LayerBar() const { return m_pLayerBar; }
    CAidsBar* AidsBar() const { return m_pAidsBar; }
    CViewToolBar* ViewBar() const { return m_pViewBar; }
    QToolBar* BasicBar() const { return m_pBasicBar; }
    QToolBar* ToolsBar() const { return m_pToolsBar; }
    QToolBar* LayerToolBar() const { return m_pLayerToolBar; }
    // The process's current directory when the frame was made; Post.ini is found below it.
    const QString& GetStartDirectory() const { return m_strStartDirectory; }

    // The active document window, or null.
    CChildWindow* ActiveChild() const;
    // Runs a command: the active window first, then the frame, then the application.
    void Route(int id);
    // Brings every button and menu item up to date with the command states.
    void UpdateCommandUI();
    CCommandState GetCommandState(int id) const;
    // Status-bar panes: 0 the prompt area, 1 Z, 2 X.
    void SetPaneText(int pane, const QString& text);
    QString GetPaneText(int pane) const;
    // The unit of the read-outs and of the object bar's fields (index of the units table).
    void ShowUnits(int units);
    void SetMenuKind(MenuKind kind);
    // "Kestrovel - " and the active document's title, or "Kestrovel" without a document.
    QString Caption() const;
    void UpdateCaption();
    // Applies the stored window placement (once, at start-up).
    void RestorePlacement();
    CWindowPlacement CurrentPlacement() const;
    void SaveBarStates();
    void RestoreBarStates();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void CreateToolBars();
    void CreateDialogBars();
    void CreateStatusBar();
    void CreateMenus();
    QMenu* FileMenu(MenuKind kind);
    QMenu* EditMenu();
    QMenu* ViewMenu(bool drawing);
    QMenu* HelpMenu();
    QMenu* WindowMenu();
    void FillRecentFiles(QMenu* menu);
    void AddButtons(QToolBar* bar, std::initializer_list<int> ids);
    bool OwnCommand(int id);
    bool OwnCommandState(int id, CCommandState& state) const;
    QWidget* ToggledBar(int id) const;
    void SaveBarState(QWidget* bar, bool dialogBar, const QString& key);
    void RestoreBarState(QWidget* bar, bool dialogBar, const QString& key);
    void OnSubWindowActivated(QMdiSubWindow* window);
    // Tool bars stored floating leave their dock once the main window is shown.
    void FloatPendingToolBars();
    // A dialog bar without a stored place, shown for the first time: beside or below the others.
    void ShowDialogBarFirstTime(QDockWidget* bar);

    CKestrovelApp& m_app;
    CSettingsStore* m_pSettings;
    QString m_strStartDirectory;
    QMdiArea* m_pMdi;
    CCommandTable* m_pCommands;
    QToolBar* m_pBasicBar = nullptr;
    CViewToolBar* m_pViewBar = nullptr;
    QToolBar* m_pToolsBar = nullptr;
    QToolBar* m_pLayerToolBar = nullptr;
    CObjectBar* m_pObjectBar = nullptr;
    CLayerBar* m_pLayerBar = nullptr;
    CAidsBar* m_pAidsBar = nullptr;
    QLabel* m_pPanes[3] = {nullptr, nullptr, nullptr};
    QLabel* m_pUnitPane = nullptr;
    QList<QMenu*> m_menus[3];
    MenuKind m_menuKind = MenuKind::NoDocument;
    QString m_strCaption;
    QList<QPair<QPointer<QToolBar>, QPoint>> m_pendingFloats;
    QSet<QWidget*> m_unplacedBars;
    // Ctrl+Tab / Ctrl+F6 and Ctrl+Shift+Tab: the next and the previous window, in every menu set.
    QAction* m_pNextWindow = nullptr;
    QAction* m_pPrevWindow = nullptr;
};
