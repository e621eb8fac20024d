// Scale, home origin and scroll limits of the drawing view, zoom setting, scroll bars and sizing.
#include "view/ZoomScroll.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/ViewHost.h"
#include "view/KestrovelView.h"

namespace {
int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, -kRoundLimit, kRoundLimit));
}

// trunc() of a floating quotient into an int, with a non-finite result counting as 0.
int32_t TruncToInt(double v) {
    if (!std::isfinite(v)) {
        return 0;
    }
    return Clamp32(static_cast<int64_t>(std::clamp(v, -4e18, 4e18)));
}

CRect Normalized(CRect r) {
    r.Normalize();
    return r;
}
}  // namespace

void CZoomScroll::ComputeScale() {
    const CRect src = Normalized(m_view.GetSourceRect());
    const double w = m_rcClient.Width();
    const double h = m_rcClient.Height();
    // A material without width or height sets no bound in that direction.
    const int32_t big = std::numeric_limits<int32_t>::max();
    const int32_t scaleW = src.Width() > 0 ? TruncToInt(w * 1000000.0 / (src.Width() * 2.4)) : big;
    const int32_t scaleH = src.Height() > 0 ? TruncToInt(h * 1000000.0 / (src.Height() * 1.2)) : big;
    int32_t scale = std::min(scaleW, scaleH);
    if (scale <= 0 || scale == big) {
        scale = 50;
    }
    m_view.SetScaleValue(scale);
}

void CZoomScroll::ComputeHomeOrigin() {
    const int64_t mw = Normalized(m_view.GetSourceRect()).Width();
    const int64_t zoom = m_view.GetZoom();
    const int64_t scale = m_view.GetScale();
    const int64_t w =
        zoom >= 100 ? ((mw / 100 * zoom) / 100 * scale) / 10000 : ((mw / 100 * zoom) / 10 * scale) / 100000;
    m_ptHome = CPoint(Clamp32((m_rcClient.Width() - w) / 2), m_rcClient.Height() / 2);
}

void CZoomScroll::ComputeScrollLimits() {
    const int64_t z = static_cast<int64_t>(m_view.GetZoom()) * m_view.GetScale();
    m_nHMax = std::max(Clamp32(z * 100 / 1000), m_ptHome.x);
    m_nHMin = std::min(Clamp32(z * -600 / 1000 + m_rcClient.right), m_ptHome.x);
    m_nVMax = std::max(Clamp32(z * 200 / 1000), m_ptHome.y);
    m_nVMin = std::min(Clamp32(z * -200 / 1000 + m_rcClient.bottom), m_ptHome.y);
    ClampOrigin();
    UpdateBarPositions();
}

void CZoomScroll::ClampOrigin() {
    const CPoint o = m_view.GetOrigin();
    m_view.SetOrigin(CPoint(std::clamp(o.x, m_nHMin, m_nHMax), std::clamp(o.y, m_nVMin, m_nVMax)));
}

int CZoomScroll::BarPosition(int origin, int min, int max) {
    if (max == min) {
        return 0;
    }
    const int64_t p = (static_cast<int64_t>(origin) * 1000 - static_cast<int64_t>(min) * 1000) /
                      (static_cast<int64_t>(max) - min);
    return static_cast<int>(-(p - 500));
}

void CZoomScroll::UpdateBarPositions() {
    if (CViewHost* host = m_view.GetHost()) {
        const CPoint o = m_view.GetOrigin();
        host->SetScrollPos(kScrollHorz, BarPosition(o.x, m_nHMin, m_nHMax));
        host->SetScrollPos(kScrollVert, BarPosition(o.y, m_nVMin, m_nVMax));
    }
}

bool CZoomScroll::SetZoom(int percent) {
    const int p = std::clamp(percent, 5, 20000);
    if (CViewHost* host = m_view.GetHost()) {
        host->PostNotification(kNotifyZoomChanged);
    }
    if (p == m_view.GetZoom()) {
        return false;
    }
    m_view.SetZoomValue(p);
    ComputeHomeOrigin();
    ComputeScrollLimits();
    return true;
}

void CZoomScroll::CenterOn(const CRect& client, int32_t mz, int32_t mx) {
    const int64_t zoom = m_view.GetZoom();
    const int64_t scale = m_view.GetScale();
    const int64_t dz = ((static_cast<int64_t>(mz) / 1000 * zoom) / 10 * scale) / 10000;
    const int64_t dx = ((static_cast<int64_t>(mx) / 1000 * zoom) / 10 * scale) / 10000;
    m_view.SetOrigin(CPoint(Clamp32(client.Width() / 2 - dz), Clamp32(client.Height() / 2 + dx)));
    ClampOrigin();
    // Keeps the thumbs where the picture is.
    UpdateBarPositions();
}

int CZoomScroll::FitWidthZoom() const {
    const int64_t mw = Normalized(m_view.GetSourceRect()).Width();
    if (mw <= 0) {
        return 20000;
    }
    const int64_t w = m_rcClient.Width();
    return Clamp32(((w * 1000000) / m_view.GetScale() * 100) / mw);
}

int CZoomScroll::FitHeightZoom() const {
    const int64_t e = m_view.GetProfileHeight();
    if (e <= 0) {
        return 20000;
    }
    const int64_t h = m_rcClient.Height();
    return Clamp32((((h * 1000000) / m_view.GetScale() * 100) / e) / 2);
}

void CZoomScroll::MoveToHome() {
    m_view.SetOrigin(m_ptHome);
    UpdateBarPositions();
}

CPoint CZoomScroll::ModelAtCentre() const {
    return m_view.ScreenToModel(CPoint(m_rcClient.Width() / 2, m_rcClient.Height() / 2));
}

void CZoomScroll::OnScroll(int bar, int code, int pos) {
    const bool horz = bar == kScrollHorz;
    const int min = horz ? m_nHMin : m_nVMin;
    const int max = horz ? m_nHMax : m_nVMax;
    CPoint o = m_view.GetOrigin();
    int& coord = horz ? o.x : o.y;
    CViewHost* host = m_view.GetHost();
    if (code == kScrollThumbPosition) {
        pos = std::clamp(pos, -500, 500);
        coord = Clamp32(min + (500 - static_cast<int64_t>(pos)) * (static_cast<int64_t>(max) - min) / 1000);
        m_view.SetOrigin(o);
        if (host) {
            host->SetScrollPos(bar, pos);
        }
        m_view.Repaint();
        return;
    }
    const int extent = horz ? m_rcClient.Width() : m_rcClient.Height();
    int delta = 0;
    switch (code) {
        case kScrollLineLeft: delta = extent / 80; break;
        case kScrollLineRight: delta = -(extent / 80); break;
        case kScrollPageLeft: delta = extent / 2; break;
        case kScrollPageRight: delta = -(extent / 2); break;
        default: return;
    }
    if ((coord == max && delta >= 1) || (coord == min && delta < 0)) {
        return;
    }
    delta = static_cast<int>(std::clamp<int64_t>(static_cast<int64_t>(coord) + delta, min, max) - coord);
    coord += delta;
    m_view.SetOrigin(o);
    if (host) {
        host->ScrollWindow(horz ? delta : 0, horz ? 0 : delta);
        host->SetScrollPos(bar,
                           horz ? BarPosition(o.x, m_nHMin, m_nHMax) : BarPosition(o.y, m_nVMin, m_nVMax));
    }
    m_view.Repaint();
}

void CZoomScroll::OnSize(int type, int cx, int cy) {
    if (type == kSizeRestored) {
        const CPoint centre = ModelAtCentre();
        m_rcClient = CRect(0, 0, cx, cy);
        ComputeScale();
        ComputeHomeOrigin();
        ComputeScrollLimits();
        CenterOn(m_rcClient, centre.x, centre.y);
    }
    m_rcClient = CRect(0, 0, std::max(cx, 0), std::max(cy, 0));
    m_view.RecreatePictures();
}
