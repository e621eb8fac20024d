// The editing state of a drawing view: tools, mouse mode, the active element and the range.
#pragma once

#include <memory>

#include "elements/Piece.h"
#include "platform/ViewHost.h"

class CSelection;

// Mouse modes.
enum : int {
    kModeIdle = 0,
    kModeZoomIn = 1,
    kModeSelected = 2,
    kModeHandleDrag = 3,
    kModeRange = 6,
    kModeMoveDrag = 7,
    kModeMove = 9,
};

// Active tools (the button shown as chosen) and element kinds a finished range becomes.
enum : int {
    kToolSelect = 0,
    kToolRange = 1,
    kToolLine = 2,
    kToolCircle = 3,
    kToolK1 = 4,
    kToolMove = 7,
};

// The range, when set, is always the active element itself: one owner, no dangling reference.
struct CEditState {
    int m_nActiveTool = kToolSelect;
    int m_nSelectionKind = 0;  // 0 object selection, 1 range selection
    int m_nCreatingTool = kToolLine;
    int m_nEditMode = 0;  // 1 fast, 0 slow
    int m_nMouseMode = kModeIdle;
    int m_nPrevMouseMode = kModeIdle;
    std::unique_ptr<CPiece> m_pActive;
    CSelection* m_pRange = nullptr;
    Handle m_hGrabbed = nullptr;
    CPoint m_ptDragAnchor;
    int m_nCursor = kCursorArrow;
    int m_nSavedCursor = kCursorArrow;
    int m_bElementChanged = 0;
    int m_bValuesPending = 0;

    bool IsFast() const { return m_nEditMode == 1; }
    void ForgetBarEdits() {
        m_bElementChanged = 0;
        m_bValuesPending = 0;
    }
};
