// The command strings: menu texts, status-bar prompts and tool tips, and the accelerators.
#include "shell/CommandTable.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

#include "shell/CommandIds.h"
#include "shell/Icons.h"
#include "view/ViewCommands.h"

namespace {

struct CCommandText {
    int nId;
    const char* pszMenu;
    const char* pszString;  // "status-bar prompt\ntool tip"
    bool bCheckable;
};

const CCommandText kTexts[] = {
    {kCmdFileNew, "&New", "Create a new document\nNew", false},
    {kCmdFileOpen, "&Open...", "Open an existing document\nOpen", false},
    {kCmdFileClose, "&Close", "Close the active document\nClose", false},
    {kCmdFileSave, "&Save", "Save the active document\nSave", false},
    {kCmdFileSaveAs, "Save &As...", "Save the active document with a new name\nSave As", false},
    {kCmdFilePrintSetup, "P&rint Setup...", "Change the printer and printing options\nPrint Setup", false},
    {kCmdFilePrint, "&Print...", "Print the active document\nPrint", false},
    {kCmdFilePrintPreview, "Print Pre&view", "Display full pages\nPrint Preview", false},
    {kCmdAppExit, "E&xit", "Quit the application; prompts to save documents\nExit", false},
    {kCmdEditUndo, "&Undo", "Undo the last action\nUndo", false},
    {kCmdEditRedo, "&Redo", "Redo the last action\nRedo", false},
    {kCmdEditCut, "Cu&t", "Cut the selection and put it on the Clipboard\nCut", false},
    {kCmdEditCopy, "&Copy", "Copy the selection and put it on the Clipboard\nCopy", false},
    {kCmdEditPaste, "&Paste", "Insert Clipboard contents\nPaste", false},
    {kCmdEditClear, "De&lete", "Delete the selected element or range\nDelete", false},
    {kCmdWindowNew, "&New Window", "Open another window for the active document\nNew Window", false},
    {kCmdWindowCascade, "&Cascade", "Arrange windows so they overlap\nCascade Windows", false},
    {kCmdWindowTile, "&Tile", "Arrange windows as non-overlapping tiles\nTile Windows", false},
    {kCmdAppAbout, "&About Kestrovel...", "Display program information, version number and copyright\nAbout",
     false},
    {kCmdHelpIndex, "&Help Topics", "List Help topics\nHelp Topics", false},
    {kCmdHelp, "&Help", "Display help for current task or command\nHelp", false},
    {kCmdContextHelp, "&What's This?", "Display help for clicked buttons, menus and windows\nHelp", false},
    {kCmdNextPane, "Ne&xt Pane", "Switch to the next window pane\nNext Pane", false},
    {kCmdPrevPane, "Pre&vious Pane", "Switch back to the previous window pane\nPrevious Pane", false},
    {kCmdViewToolbar, "&Basic Toolbar", "Show or hide the toolbar\nToggle ToolBar", true},
    {kCmdViewStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", true},
    {kCmdToggleViewBar, "&View Toolbar", "Show or hide the view toolbar\nView Toolbar", true},
    {kCmdToggleToolsBar, "&Tools Toolbar", "Show or hide the editing tools\nTools Toolbar", true},
    {kCmdToggleLayerBar, "&Layer Toolbar", "Show or hide the layer toolbar\nLayer Toolbar", true},
    {kCmdToggleObjectDialog, "&Object Dialog", "Show or hide the object properties\nObject Dialog", true},
    {kCmdToggleLayerDialog, "L&ayer Dialog", "Show or hide the layer properties\nLayer Dialog", true},
    {kCmdToggleAidsDialog, "&Drawing Aids Dialog", "Show or hide the drawing aids\nDrawing Aids Dialog",
     true},
    {kCmdOptions, "&Options", "Options\nOptions", false},
    {kCmdToolLibrary, "Tool Librar&y...", "Edit the turning tools of Tools.ini\nTool Library", false},
    {kCmdDrawingManager, "Drawing &Manager", "Drawing manager\nDrawing manager", false},
    {kCmdView3D, "&3D View", "3D View\n3D View", false},
    {kCmdCncProgramming, "&CNC Programming", "Open the CNC programming window\nCNC Programming", false},
    {kCmdSaveAsDefault, "Save As Defa&ult", "Save this drawing as the default for new drawings\nSave As Default",
     false},
    {kCmdDrawingProperties, "Drawing &Properties...", "Open the Drawing Properties dialog\nDrawing Properties",
     false},
    {kCmdLayerFinal, "&Final", "Final\nFinal", true},
    {ID_TOOL_SELECT, "&Select", "Select an element\nSelect Tool (S)", true},
    {ID_TOOL_RANGE, "&Range Select", "Select a range\nRange Select Tool (R)", true},
    {ID_TOOL_LINE, "&Line", "Draw a line in the selected range\nLine Tool (L)", true},
    {ID_TOOL_CIRCLE, "&Circle", "Draw an arc in the selected range\nCircle Tool (C)", true},
    {ID_TOOL_K1, "K&1", "Draw a K1 curve (two arcs) in the selected range\nK1 (A+A) Tool (1)", true},
    {ID_TOOL_K2, "K&2", "Draw a K2 curve (three arcs) in the selected range\nK2 (A+A+A) Tool (2)", true},
    {ID_TOOL_K3, "K&3", "Draw a K3 curve (arc, line, arc) in the selected range\nK3 (A+L+A) Tool (3)",
     true},
    {ID_TOOL_K4, "K&4", "Draw a K4 curve (line, arc, line) in the selected range\nK4 (L+A+L) Tool (4)",
     true},
    {ID_TOOL_CURVE, "Curve", "", true},
    {ID_TOOL_MIRROR, "&Mirror", "Mirror the selected range\nMirror Tool (M)", false},
    {ID_TOOL_TURN, "&Turn", "Turn the selected element\nTurn Tool (T)", false},
    {ID_TOOL_MOVE, "Mo&ve", "Move the selected range\nMove Tool (V)", true},
    {ID_TOOL_DEBUG, "&Debug", "Combine the layers (for debugging only)\nDebug", false},
    {ID_MODE_FAST, "&Fast Mode", "Select the fast editing mode\nFast Mode", true},
    {ID_MODE_SLOW, "Slo&w Mode", "Select the slow editing mode\nSlow Mode", true},
    {ID_EDIT_OK, "O&K", "Keep the changes made in slow editing mode\nOK Tool (O)", false},
    {ID_EDIT_BACK, "&Back", "Drop the changes made in slow editing mode\nBack Tool (B)", false},
    {ID_ZOOM_IN, "Zoom &In\tF2", "Zoom in around the point clicked next\nZoom In", true},
    {ID_ZOOM_OUT, "Zoom O&ut\tF3", "Halve the zoom\nZoom Out", false},
    {ID_ZOOM_FIT, "Zoom To &Fit\tF4", "Show the whole drawing\nZoom To Fit", false},
    {ID_ZOOM_100, "Zoom To &100 %", "Zoom to 100 %\nZoom 100 %", false},
    {ID_ZOOM_OBJECT, "Zoom To Ob&ject", "Zoom to the selected object\nZoom To Object", false},
    {kCmdCommandAdd, "&Add", "Add a new command to the active program\nAdd Command", false},
    {kCmdCommandInsert, "&Insert", "Insert a new command into the active program\nInsert Command", false},
    {kCmdCommandEdit, "&Edit", "Edit the current command of the active program\nEdit Command", false},
    {kCmdCommandDelete, "&Delete", "Delete the current command of the active program\nDelete Command",
     false},
    {kCmdProgramNew, "&New", "Add a new program\nAdd Program", false},
    {kCmdProgramEdit, "&Edit", "Edit the properties of the active program\nEdit Program", false},
    {kCmdProgramCompile, "&Compile", "Compile the active program\nCompile Program", false},
    {kCmdProgramSendTo, "&Send To", "Send the active program to the machine\nSend Program", false},
    {kCmdPostChange, "&Change", "Change the active post-processor\nChange Post-processor", false},
    {kCmdPostControl, "C&heck", "Check the active post-processor\nCheck Post-processor", false},
    {kCmdPostReactivate, "&Reload", "Read the active post-processor again from its files\nReload Post-processor",
     false},
};

const CCommandText* Find(int id) {
    for (const CCommandText& t : kTexts) {
        if (t.nId == id) {
            return &t;
        }
    }
    return nullptr;
}

QList<QKeySequence> Accelerators(int id) {
    switch (id) {
        case kCmdFileNew: return {QKeySequence(Qt::CTRL | Qt::Key_N)};
        case kCmdFileOpen: return {QKeySequence(Qt::CTRL | Qt::Key_O)};
        case kCmdFileSave: return {QKeySequence(Qt::CTRL | Qt::Key_S)};
        case kCmdFilePrint: return {QKeySequence(Qt::CTRL | Qt::Key_P)};
        case kCmdEditRedo:
            return {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
        case kCmdEditClear: return {QKeySequence(Qt::Key_Delete)};
        case kCmdEditUndo:
            return {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)};
        case kCmdEditCut:
            return {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)};
        case kCmdEditCopy:
            return {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)};
        case kCmdEditPaste:
            return {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)};
        case kCmdNextPane: return {QKeySequence(Qt::Key_F6)};
        case kCmdPrevPane: return {QKeySequence(Qt::SHIFT | Qt::Key_F6)};
        case kCmdHelp: return {QKeySequence(Qt::Key_F1)};
        case kCmdContextHelp: return {QKeySequence(Qt::SHIFT | Qt::Key_F1)};
        default: return {};
    }
}

QString MenuText(int id) {
    if (id >= kCmdLayer1 && id < kCmdLayer1 + 6) {
        return QStringLiteral("Layer &%1").arg(id - kCmdLayer1 + 1);
    }
    const CCommandText* t = Find(id);
    return t ? QString::fromLatin1(t->pszMenu) : QString::number(id);
}

QString String(int id) {
    if (id >= kCmdLayer1 && id < kCmdLayer1 + 6) {
        return QStringLiteral("Make Layer %1 The Active Layer\nLayer %1").arg(id - kCmdLayer1 + 1);
    }
    const CCommandText* t = Find(id);
    return t ? QString::fromLatin1(t->pszString) : QString();
}

}  // namespace

CCommandTable::CCommandTable(QWidget* owner, CRouter router)
    : QObject(owner), m_pOwner(owner), m_router(std::move(router)) {
    for (const CCommandText& t : kTexts) {
        Make(t.nId);
    }
    for (int i = 0; i < 6; ++i) {
        Make(kCmdLayer1 + i);
    }
}

QString CCommandTable::Prompt(int id) {
    return String(id).section(QLatin1Char('\n'), 0, 0);
}

QString CCommandTable::ToolTip(int id) {
    const QString s = String(id);
    return s.contains(QLatin1Char('\n')) ? s.section(QLatin1Char('\n'), 1).trimmed() : s;
}

QAction* CCommandTable::Make(int id) {
    auto* action = new QAction(MenuText(id), m_pOwner);
    action->setData(id);
    action->setStatusTip(Prompt(id));
    action->setToolTip(ToolTip(id));
    action->setWhatsThis(Prompt(id));
    action->setIcon(CIcons::ForCommand(id));
    action->setIconVisibleInMenu(false);
    const CCommandText* t = Find(id);
    action->setCheckable((t && t->bCheckable) || (id >= kCmdLayer1 && id < kCmdLayer1 + 6));
    action->setShortcuts(Accelerators(id));
    action->setShortcutContext(Qt::WindowShortcut);
    m_pOwner->addAction(action);
    connect(action, &QAction::triggered, this, [this, id]() { m_router(id); });
    m_actions[id] = action;
    return action;
}

QAction* CCommandTable::Action(int id) {
    auto it = m_actions.find(id);
    return it != m_actions.end() ? it->second : Make(id);
}
