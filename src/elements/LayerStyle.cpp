// The built-in layer attributes.
#include "elements/LayerStyle.h"

void CLayerStyle::SetDefault(int index) {
    m_bDrawEdges = 1;
    m_bBrushNull = 0;
    m_bBrushSolid = 0;
    m_crPen = index == 3 ? RGB(128, 128, 0) : RGB(0, 0, 0);
    m_nPenStyle = 0;
    m_nPenWidth = 1;
    switch (index) {
        case 0: m_nBrushType = 2; m_crBrush = RGB(255, 0, 0); break;
        case 1: m_nBrushType = 3; m_crBrush = RGB(0, 255, 0); break;
        case 2: m_nBrushType = 2; m_crBrush = RGB(0, 0, 255); break;
        case 3: m_nBrushType = 3; m_crBrush = RGB(0, 255, 0); break;
        case 4: m_nBrushType = 2; m_crBrush = RGB(0, 255, 255); break;
        case 5: m_nBrushType = 3; m_crBrush = RGB(255, 255, 0); break;
        case 6: m_nBrushType = 2; m_crBrush = RGB(255, 0, 255); break;
        default: m_nBrushType = 3; m_crBrush = RGB(128, 128, 128); break;
    }
}
