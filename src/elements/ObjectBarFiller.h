// CObjectBarFiller: shows an element's points, locks and attributes in the object bar.
#pragma once

#include "platform/Geometry.h"

class CPiece;
class CViewServices;

// The pieces of FillPropertyBar that every kind shares. Each does nothing without a view or
// without an object bar.
class CObjectBarFiller {
public:
    // Entries of the type box.
    enum : int { kTypeUndefined = 0, kTypeLinear = 1, kTypeArc = 2, kTypeSelection = 3, kTypeDoubleArc = 4 };

    // "Starting Point" Z and X, then "End Point" Z and X, as the view's length texts.
    static void FillPoints(CViewServices* view, CPoint start, CPoint end);
    static void SelectType(CViewServices* view, int entry);
    // Lock boxes 0 ... count-1 show the element's locks; the remaining of the seven are cleared.
    // Fields and boxes beyond count do not apply: they are emptied and disabled.
    static void FillLocks(CViewServices* view, const CPiece& piece, int count);
    // Point fields 0 ... count-1 (start Z, start X, end Z, end X, I, J, radius), their lock boxes
    // and the attribute boxes are enabled; the other point fields are emptied and disabled.
    static void ShowApplicable(CViewServices* view, int count);
    // "Velocity", "Feed" and "3D Leave" of a line, arc or double arc.
    static void FillAttributes(CViewServices* view, const CPiece& piece);
    // The border's variant: -2 means "Set" in Velocity and Feed, and "None" in 3D Leave.
    static void FillBorderAttributes(CViewServices* view, const CPiece& piece);
};
