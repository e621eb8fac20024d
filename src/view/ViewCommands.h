// Identifiers and codes the drawing view understands: commands, keys, scroll, size, mouse flags.
#pragma once

// Commands of the editing tool bar.
enum : int {
    ID_TOOL_SELECT = 32785,
    ID_TOOL_RANGE = 32786,
    ID_TOOL_LINE = 32787,
    ID_TOOL_CIRCLE = 32788,
    ID_TOOL_K1 = 32789,
    ID_TOOL_K3 = 32791,
    ID_TOOL_K4 = 32792,
    ID_TOOL_CURVE = 32793,  // the curve button without text
    ID_TOOL_DEBUG = 32794,
    ID_TOOL_MIRROR = 32795,
    ID_TOOL_TURN = 32796,
    ID_TOOL_MOVE = 32797,
    ID_MODE_FAST = 32814,
    ID_MODE_SLOW = 32815,
    ID_EDIT_OK = 32816,
    ID_EDIT_BACK = 32817,
    ID_TOOL_K2 = 32836,
};

// Commands of the view tool bar.
enum : int {
    ID_ZOOM_IN = 33000,
    ID_ZOOM_OUT = 33001,
    ID_ZOOM_FIT = 33002,
    ID_ZOOM_100 = 33003,
    ID_ZOOM_OBJECT = 33004,
};

// Edit menu commands: the element clipboard, deleting, and the active layer's undo history.
enum : int {
    ID_EDIT_CLEAR = 57632,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
};

// Layer tool bar (Layer 1 ... Layer 6 are ID_LAYER_1 + 0 ... 5) and the drawing properties command.
enum : int {
    ID_LAYER_1 = 32799,
    ID_LAYER_6 = 32804,
    ID_DRAWING_PROPERTIES = 32837,
};

// Keys the view reacts to (virtual key codes).
enum : int { kKeyF2 = 0x71, kKeyF3 = 0x72, kKeyF4 = 0x73 };

// Mouse flags delivered with mouse events: the buttons and modifiers held.
enum : int {
    kMouseLeft = 0x0001,
    kMouseRight = 0x0002,
    kMouseShift = 0x0004,
    kMouseControl = 0x0008,
    kMouseMiddle = 0x0010,
};

// Scroll-bar event codes (left/up and right/down share the codes).
enum : int {
    kScrollLineLeft = 0,
    kScrollLineRight = 1,
    kScrollPageLeft = 2,
    kScrollPageRight = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
    kScrollEnd = 8,
};

// Kinds of size change.
enum : int { kSizeRestored = 0, kSizeMinimized = 1, kSizeMaximized = 2 };

// Deferred notifications the view posts to itself through its host.
enum : int { kNotifyZoomChanged = 0x0401, kNotifyFirstPaint = 0x0402 };

// Status-bar panes: what the tool expects next, and the cursor read-out.
enum : int { kPanePrompt = 0, kPaneCursorZ = 1, kPaneCursorX = 2 };

// Enable and check state of a command, for the shell's buttons and menu items.
struct CCommandState {
    bool bEnabled = false;
    bool bChecked = false;
    bool operator==(const CCommandState&) const = default;
};
