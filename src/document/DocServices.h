// CDocServices: the outside services a document is given when it is made.
#pragma once

class CSettingsStore;
class CMessages;
class CControlBar;
class CDrawingPropertiesPrompt;

// Not owned; every pointer may be null (the command-line tool, tests): a missing bar is not
// updated, missing messages are not shown, a missing prompt accepts the initial values.
struct CDocServices {
    CSettingsStore* pSettings = nullptr;   // profile defaults ("Document", "Layer 1" ...)
    CMessages* pMessages = nullptr;        // "chyba" boxes of the layers
    CControlBar* pObjectBar = nullptr;     // "Object properties"
    CControlBar* pLayerBar = nullptr;      // "Layer properties"
    CControlBar* pAidsBar = nullptr;       // "Drawing Aids": units and accuracy boxes
    CControlBar* pViewBar = nullptr;       // view tool bar with the zoom box IDC_ZOOM_BOX
    CDrawingPropertiesPrompt* pPropertiesPrompt = nullptr;  // the "Drawing properties" dialog
};
