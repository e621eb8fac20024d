// Identifiers of the controls of the main frame's bars.
#pragma once

// Object bar ("Object properties").
enum : int {
    IDC_OBJECT = 1001,        // object box: "No selection", left border, elements, right border
    IDC_TYPE = 1009,          // "Undefined", "Linear", "Arc", "Selection", "DoubleArc"
    IDC_START_Z = 1004,
    IDC_START_X = 1006,
    IDC_END_Z = 1005,
    IDC_END_X = 1007,
    IDC_STEER_I = 1008,
    IDC_STEER_J = 1010,
    IDC_RADIUS = 1011,
    IDC_LOCK_START_Z = 1214,  // lock 0
    IDC_LOCK_START_X = 1215,  // lock 1
    IDC_LOCK_END_Z = 1217,    // lock 2
    IDC_LOCK_END_X = 1216,    // lock 3
    IDC_LOCK_I = 1219,        // lock 4
    IDC_LOCK_J = 1218,        // lock 5
    IDC_LOCK_RADIUS = 1220,   // lock 6
    IDC_VELOCITY = 1012,      // "Default", "Set"
    IDC_FEED = 1013,          // "Default", "Set"
    IDC_LEAVE = 1050,         // "None", "Current", "Custom"
    IDC_READ_VALUES = 1023,
};

// The seven lock boxes by lock index 0...6.
constexpr int kLockBoxIds[7] = {IDC_LOCK_START_Z, IDC_LOCK_START_X, IDC_LOCK_END_Z, IDC_LOCK_END_X,
                                IDC_LOCK_I,       IDC_LOCK_J,       IDC_LOCK_RADIUS};

// The seven point fields in the same order: start Z, start X, end Z, end X, I, J, radius.
constexpr int kPointFieldIds[7] = {IDC_START_Z, IDC_START_X, IDC_END_Z, IDC_END_X,
                                   IDC_STEER_I, IDC_STEER_J, IDC_RADIUS};

// Layer bar ("Layer properties").
enum : int {
    IDC_LAYER = 1041,         // "Layer 1" ... "Layer 6"
    IDC_DIR_LEFT = 1523,
    IDC_DIR_RIGHT = 1024,
    IDC_SHOW_LAYER1 = 1037,
    IDC_SHOW_LAYER2 = 1038,
    IDC_SHOW_LAYER3 = 1039,
    IDC_SHOW_LAYER4 = 1040,
    IDC_SHOW_LAYER5 = 1018,
    IDC_SHOW_LAYER6 = 1019,
    IDC_SHOW_SOURCE = 1020,
    IDC_ACTIVE_IN_FRONT = 1014,
    IDC_DRAWING_OPTIONS = 1036,
};

constexpr int kShowLayerIds[6] = {IDC_SHOW_LAYER1, IDC_SHOW_LAYER2, IDC_SHOW_LAYER3,
                                  IDC_SHOW_LAYER4, IDC_SHOW_LAYER5, IDC_SHOW_LAYER6};

// Drawing-aids bar ("Drawing Aids").
enum : int {
    IDC_DRAW_AXES = 1114,
    IDC_DRAW_DIMS = 1015,
    IDC_DRAW_LINES = 1016,
    IDC_DRAW_LABELS = 1017,
    IDC_SNAP_POINTS = 1032,
    IDC_UNITS = 1002,
    IDC_ACCURACY = 1003,
    IDC_STEP_HORZ = 1401,
    IDC_STEP_VERT = 1404,
    IDC_SNAP_MAIN = 1402,
    IDC_SNAP_SECONDARY = 1405,
    IDC_DIAMETER = 1406,  // "Diameter": radial values shown and typed as diameters
};

// View tool bar: the zoom box.
enum : int { IDC_ZOOM_BOX = 102 };
