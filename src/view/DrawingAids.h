// The view's drawing aids: display flags, snapping and cursor-step choices with their value tables.
#pragma once

#include <cstdint>

#include "view/UnitLists.h"

// Indices chosen on the drawing-aids bar and the values they stand for. An index outside its
// table (a damaged settings store) reads as "None" / "no snap", and as "5 points" for handles.
struct CDrawingAids {
    int m_bDrawAxes = 1;
    int m_bDrawDims = 1;
    int m_nSnapToPoints = 3;   // "Snap To Active Point"
    int m_nStepHorz = 0;       // "Horizontal Cursor Step"
    int m_nStepVert = 0;       // "Vertical Cursor Step"
    int m_nSnapMain = 0;       // "Main Axe Snap": start marker
    int m_nSnapSecondary = 0;  // "Secondary Axe Snap": end marker

    static constexpr int kAxisSnapCount = 6;
    static constexpr int kAxisSnaps[kAxisSnapCount] = {0, 1, 3, 5, 10, 20};
    static constexpr int kPointSnapCount = 6;
    static constexpr int kPointSnaps[kPointSnapCount] = {1, 2, 3, 5, 10, 20};

    static int AxisSnap(int index) {
        return index >= 0 && index < kAxisSnapCount ? kAxisSnaps[index] : kAxisSnaps[0];
    }
    static int PointSnap(int index) {
        return index >= 0 && index < kPointSnapCount ? kPointSnaps[index] : kPointSnaps[3];
    }

    // The cursor steps in model units: the lists name millimetre or inch steps by the units.
    int32_t HorzStep(int units) const { return CUnitLists::CursorStep(units, m_nStepHorz); }
    int32_t VertStep(int units) const { return CUnitLists::CursorStep(units, m_nStepVert); }
    int MainSnap() const { return AxisSnap(m_nSnapMain); }
    int SecondarySnap() const { return AxisSnap(m_nSnapSecondary); }
    int HandleTolerance() const { return PointSnap(m_nSnapToPoints); }
};
