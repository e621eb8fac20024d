// CZoomScroll: the view's scale, home origin, scroll limits, zoom setting and scroll-bar handling.
#pragma once

#include <cstdint>

#include "platform/Geometry.h"

class CKestrovelView;

// All formulas truncate as 32-bit integer arithmetic would; intermediates are 64-bit so that
// large zooms and scales cannot overflow, and results are clamped to the rounding limits.
class CZoomScroll {
public:
    explicit CZoomScroll(CKestrovelView& view) : m_view(view) {}

    void ComputeScale();
    void ComputeHomeOrigin();
    void ComputeScrollLimits();
    bool SetZoom(int percent);
    void CenterOn(const CRect& client, int32_t mz, int32_t mx);
    int FitWidthZoom() const;
    int FitHeightZoom() const;

    // Scroll-bar events; bar is kScrollHorz or kScrollVert.
    void OnScroll(int bar, int code, int pos);
    // Stores a new client size; a normal restore also keeps the centre point in the middle.
    void OnSize(int type, int cx, int cy);

    // Origin = home origin, with the scroll bars following.
    void MoveToHome();
    // The model point under the centre of the client rectangle.
    CPoint ModelAtCentre() const;

    CPoint GetHome() const { return m_ptHome; }
    int GetHMin() const { return m_nHMin; }
    int GetHMax() const { return m_nHMax; }
    int GetVMin() const { return m_nVMin; }
    int GetVMax() const { return m_nVMax; }
    const CRect& GetClient() const { return m_rcClient; }

private:
    void ClampOrigin();
    void UpdateBarPositions();
    static int BarPosition(int origin, int min, int max);

    CKestrovelView& m_view;
    CPoint m_ptHome;
    int m_nHMax = 0;
    int m_nHMin = 0;
    int m_nVMax = 0;
    int m_nVMin = 0;
    CRect m_rcClient;
};
