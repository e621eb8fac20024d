// What a drawing view takes from outside when it is made: its document, window and bars.
#pragma once

class CKestrovelDoc;
class CViewHost;
class CControlBar;
class CSettingsStore;
class CMessages;
class CElementClipboard;
class CDrawingOptionsPrompt;

// Not owned; every pointer except the document and the host may be null (no bar, no store).
struct CViewContext {
    CKestrovelDoc* pDoc = nullptr;
    CViewHost* pHost = nullptr;
    CControlBar* pObjectBar = nullptr;  // "Object properties"
    CControlBar* pLayerBar = nullptr;   // "Layer properties"
    CControlBar* pAidsBar = nullptr;    // "Drawing Aids"
    CControlBar* pViewBar = nullptr;    // the view tool bar with the zoom box IDC_ZOOM_BOX
    CSettingsStore* pSettings = nullptr;
    CMessages* pMessages = nullptr;
    // The application's element clipboard, shared by all views (null: the view keeps its own).
    CElementClipboard* pClipboard = nullptr;
    // The "Drawing Options" dialog of the layer bar (null: the button does nothing but repaint).
    CDrawingOptionsPrompt* pDrawingOptions = nullptr;
};
