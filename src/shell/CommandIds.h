// Command identifiers of the application's menus, tool bars and accelerators.
#pragma once

// Standard application commands (the framework's numbering).
enum : int {
    kCmdFileNew = 57600,
    kCmdFileOpen = 57601,
    kCmdFileClose = 57602,
    kCmdFileSave = 57603,
    kCmdFileSaveAs = 57604,
    kCmdFilePrintSetup = 57606,
    kCmdFilePrint = 57607,
    kCmdFilePrintPreview = 57609,
    kCmdFileMru1 = 57616,  // ... the tenth entry is kCmdFileMru1 + 9
    kCmdEditClear = 57632,
    kCmdEditCopy = 57634,
    kCmdEditCut = 57635,
    kCmdEditPaste = 57637,
    kCmdEditUndo = 57643,
    kCmdEditRedo = 57644,
    kCmdWindowNew = 57648,
    kCmdWindowCascade = 57650,
    kCmdWindowTile = 57651,
    kCmdAppAbout = 57664,
    kCmdAppExit = 57665,
    kCmdHelpIndex = 57667,
    kCmdContextHelp = 57669,
    kCmdHelp = 57670,
    kCmdNextPane = 57680,
    kCmdPrevPane = 57681,
    kCmdViewToolbar = 59392,  // the basic tool bar
    kCmdViewStatusBar = 59393,
};

// The application's own commands.
enum : int {
    kCmdOptions = 32770,
    kCmdDrawingManager = 32771,  // no handler: stays disabled
    kCmdView3D = 32772,          // no handler: stays disabled
    kCmdCncProgramming = 32774,
    kCmdToggleViewBar = 32798,
    kCmdLayer1 = 32799,  // ... Layer 6 is kCmdLayer1 + 5
    kCmdLayerFinal = 32805,
    kCmdToggleLayerBar = 32806,
    kCmdToggleLayerDialog = 32810,
    kCmdToggleAidsDialog = 32811,
    kCmdToggleToolsBar = 32812,
    kCmdToggleObjectDialog = 32813,
    kCmdSaveAsDefault = 32835,
    kCmdDrawingProperties = 32837,
    kCmdToolLibrary = 32838,
};

// Commands of the CNC programming window's menu.
enum : int {
    kCmdCommandAdd = 32822,
    kCmdCommandInsert = 32824,
    kCmdCommandEdit = 32825,
    kCmdCommandDelete = 32826,
    kCmdProgramNew = 32827,
    kCmdProgramCompile = 32829,
    kCmdProgramSendTo = 32830,
    kCmdProgramEdit = 32831,
    kCmdPostChange = 32832,
    kCmdPostControl = 32833,
    kCmdPostReactivate = 32834,
};
