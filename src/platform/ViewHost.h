// The seam between a drawing view and its window.
#pragma once

#include <string>

#include "platform/Geometry.h"
#include "platform/Surface.h"

// Cursors a view asks for.
enum : int {
    kCursorArrow = 0,
    kCursorGrab = 150,    // over a handle / dragging
    kCursorRange = 151,   // placing range markers
    kCursorMove = 157,    // moving an element
    kCursorZoom = 1000,   // zoom-in mode
    kCursorCross = 1001,  // drawing tools
};

// Scroll bars.
enum : int { kScrollHorz = 0, kScrollVert = 1 };

class CViewHost {
public:
    virtual ~CViewHost() = default;
    // Asks for a repaint of the whole client area (erase: background first).
    virtual void Invalidate(bool erase) = 0;
    virtual void InvalidateRect(const CRect& rect, bool erase) = 0;
    virtual void SetScrollRange(int bar, int min, int max) = 0;
    virtual void SetScrollPos(int bar, int pos) = 0;
    // Scrolls the window contents by (dx, dy) pixels.
    virtual void ScrollWindow(int dx, int dy) = 0;
    virtual void SetCursor(int cursor) = 0;
    // Mouse position in client pixels.
    virtual CPoint GetCursorPos() const = 0;
    virtual void SetCursorPos(CPoint client) = 0;
    virtual void SetStatusText(int pane, const std::string& text) = 0;
    // Posts a notification that comes back later through the view's notification entry point.
    virtual void PostNotification(int code) = 0;
    // The window's own surface, for overlays drawn outside a paint (feedback while dragging).
    virtual CSurface* GetWindowSurface() = 0;
};
