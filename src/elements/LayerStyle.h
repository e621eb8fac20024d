// The drawing attributes of a layer: edges, brush and pen.
#pragma once

#include "platform/Geometry.h"

class CLayerStyle {
public:
    virtual ~CLayerStyle() = default;

    // The built-in attributes of layer index i (0...5; other values get the grey hatch).
    void SetDefault(int index);

    int m_bDrawEdges = 1;   // "Draw Borders"
    int m_bBrushNull = 0;   // "Brush Null"
    int m_bBrushSolid = 0;  // "Brush Solid"
    int m_nBrushType = 2;   // "Brush Type": hatch style
    COLORREF m_crBrush = RGB(255, 0, 0);  // "Brush Color"
    COLORREF m_crPen = RGB(0, 0, 0);      // "Pen Color"
    int m_nPenStyle = 0;    // "Pen Style"
    int m_nPenWidth = 1;    // "Pen Width"
};
