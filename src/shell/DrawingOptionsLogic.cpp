// The edits of the "Drawing Options" dialog on one layer's attributes.
#include "shell/DrawingOptionsLogic.h"

CDrawingOptionsLogic::CDrawingOptionsLogic(CDrawingOptionsHost& host) : m_host(host) {
    Edit(host.GetActiveLayerIndex());
}

void CDrawingOptionsLogic::Edit(int index) {
    m_nLayer = index;
    m_pStyle = m_host.GetLayerStyle(index);
    if (!m_pStyle) {
        // No such layer: the edits go nowhere rather than through a null pointer.
        m_pStyle = &m_scratch;
    }
    m_backup = *m_pStyle;
    m_bChanged = false;
}

int CDrawingOptionsLogic::BrushEntry() const {
    if (m_pStyle->m_bBrushSolid) {
        return 0;
    }
    if (m_pStyle->m_bBrushNull) {
        return 1;
    }
    for (int i = 0; i < 6; ++i) {
        if (kHatchOrder[i] == m_pStyle->m_nBrushType) {
            return i + 2;
        }
    }
    return -1;
}

void CDrawingOptionsLogic::SelectWidth(int entry) {
    if (entry >= 0 && entry < kWidthCount) {
        m_pStyle->m_nPenWidth = entry + 1;
        Changed();
    }
}

void CDrawingOptionsLogic::SelectStyle(int entry) {
    if (entry < 0 || entry >= kStyleCount) {
        return;
    }
    m_pStyle->m_nPenStyle = entry;
    if (entry != 0) {
        m_pStyle->m_nPenWidth = 1;
    }
    Changed();
}

void CDrawingOptionsLogic::SelectBrush(int entry) {
    if (entry < 0 || entry >= kBrushCount) {
        return;
    }
    m_pStyle->m_bBrushSolid = entry == 0 ? 1 : 0;
    m_pStyle->m_bBrushNull = entry == 1 ? 1 : 0;
    if (entry >= 2) {
        m_pStyle->m_nBrushType = kHatchOrder[entry - 2];
    }
    Changed();
}

void CDrawingOptionsLogic::SetDrawEdges(int flag) {
    m_pStyle->m_bDrawEdges = flag;
    Changed();
}

void CDrawingOptionsLogic::SetPenColor(COLORREF color) {
    m_pStyle->m_crPen = color;
    Changed();
}

void CDrawingOptionsLogic::SetBrushColor(COLORREF color) {
    m_pStyle->m_crBrush = color;
    Changed();
}

void CDrawingOptionsLogic::Try() {
    m_host.RepaintAllViews();
}

void CDrawingOptionsLogic::Apply() {
    m_backup = *m_pStyle;
    m_bChanged = false;
    m_host.RepaintAllViews();
}

void CDrawingOptionsLogic::SwitchLayer(int index) {
    if (index < 0 || index >= 6) {
        return;
    }
    if (m_bChanged) {
        *m_pStyle = m_backup;
    }
    m_host.SetActiveLayer(index);
    m_host.RepaintAllViews();
    Edit(m_host.GetActiveLayerIndex());
}

void CDrawingOptionsLogic::Cancel() {
    if (m_bChanged) {
        *m_pStyle = m_backup;
    }
}
