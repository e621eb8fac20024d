// The zoom commands of the drawing view and its zoom box.
#include "view/ZoomCommands.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>

#include "elements/Piece.h"
#include "platform/ControlBar.h"
#include "platform/ControlIds.h"
#include "platform/ViewHost.h"
#include "view/KestrovelView.h"

namespace {
constexpr int kPresets[] = {400, 200, 100, 75, 50, 25};

int ClampZoomRequest(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, -kRoundLimit, kRoundLimit));
}
}  // namespace

void CZoomCommands::ZoomAround(int percent, int32_t mz, int32_t mx, bool repaintAlways) {
    const bool changed = m_view.SetZoom(percent);
    if (changed || repaintAlways) {
        m_view.CenterOn(m_view.GetClientRect(), mz, mx);
        m_view.Repaint();
    }
}

void CZoomCommands::OnPreset(int index) {
    if (index < 0 || index > 8) {
        return;
    }
    const CPoint c =
        m_view.ScreenToModel(CPoint(m_view.GetClientRect().Width() / 2, m_view.GetClientRect().Height() / 2));
    int zoom = 0;
    if (index < 6) {
        zoom = kPresets[index];
    } else if (index == 6) {
        zoom = m_view.FitWidthZoom();
    } else if (index == 7) {
        zoom = m_view.FitHeightZoom();
    } else {
        zoom = std::min(m_view.FitWidthZoom(), m_view.FitHeightZoom());
    }
    ZoomAround(zoom, c.x, c.y, true);
}

int CZoomCommands::ParseTypedZoom(const std::string& text) {
    int64_t value = 0;
    for (char ch : text) {
        if (ch == '.') {
            break;
        }
        if (ch < '0' || ch > '9') {
            return 0;
        }
        // Anything this long is far beyond the largest zoom; stop before it overflows.
        value = std::min<int64_t>(value * 10 + (ch - '0'), kRoundLimit);
    }
    return static_cast<int>(value);
}

void CZoomCommands::OnTyped(const std::string& text) {
    const int zoom = ParseTypedZoom(text);
    if (zoom <= 0) {
        return;
    }
    const CPoint c =
        m_view.ScreenToModel(CPoint(m_view.GetClientRect().Width() / 2, m_view.GetClientRect().Height() / 2));
    ZoomAround(zoom, c.x, c.y, false);
}

void CZoomCommands::ShowZoom() {
    if (CControlBar* bar = m_view.GetContext().pViewBar) {
        bar->SetText(IDC_ZOOM_BOX, std::to_string(m_view.GetZoom()) + "%");
    }
}

void CZoomCommands::ZoomIn() {
    CEditState& st = m_view.EditState();
    // Asked again while zooming in, it must not remember the zoom-in mode as the one to return to.
    if (st.m_nMouseMode == kModeZoomIn) {
        return;
    }
    st.m_nPrevMouseMode = st.m_nMouseMode;
    st.m_nMouseMode = kModeZoomIn;
    m_view.SetViewCursor(kCursorZoom);
}

void CZoomCommands::ZoomInAt(int x, int y) {
    const CPoint p = m_view.ScreenToModel(CPoint(x, y));
    const int64_t requested = static_cast<int64_t>(m_view.GetZoom() * 1.5 + 0.5);
    if (m_view.SetZoom(ClampZoomRequest(requested))) {
        m_view.CenterOn(m_view.GetClientRect(), p.x, p.y);
        m_view.Repaint();
        m_view.RestoreCursor();
    }
}

void CZoomCommands::ZoomOut() {
    const CPoint c =
        m_view.ScreenToModel(CPoint(m_view.GetClientRect().Width() / 2, m_view.GetClientRect().Height() / 2));
    ZoomAround(m_view.GetZoom() / 2, c.x, c.y, false);
}

void CZoomCommands::ZoomWheel(int notches, int x, int y) {
    if (notches == 0) {
        return;
    }
    const CPoint p = m_view.ScreenToModel(CPoint(x, y));
    double zoom = m_view.GetZoom();
    for (int i = 0; i < std::min(std::abs(notches), 20); ++i) {
        zoom = notches > 0 ? zoom * 1.25 : zoom / 1.25;
    }
    // A zoom that rounds back to where it was still moves by one percent.
    int next = ClampZoomRequest(static_cast<int64_t>(zoom + 0.5));
    if (next == m_view.GetZoom()) {
        next += notches > 0 ? 1 : -1;
    }
    if (m_view.SetZoom(next)) {
        // CenterOn puts the point in the middle of the box it is given: a box twice the pixel's
        // distance from the corner keeps it under the pixel.
        m_view.CenterOn(CRect(0, 0, 2 * x, 2 * y), p.x, p.y);
        m_view.Repaint();
    }
}

void CZoomCommands::Zoom100() {
    const bool changed = m_view.SetZoom(100);
    if (m_view.GetOrigin() != m_view.GetHomeOrigin() || changed) {
        m_view.MoveToHome();
        m_view.Repaint();
    }
}

void CZoomCommands::ZoomFit() {
    m_view.SetZoom(std::min(m_view.FitWidthZoom(), m_view.FitHeightZoom()));
    m_view.MoveToHome();
    m_view.Repaint();
}

void CZoomCommands::ZoomToObject() {
    const CPiece* e = m_view.GetActiveElement();
    if (!e) {
        return;
    }
    const int64_t minZ = e->GetStart().x;
    const int64_t maxZ = e->GetEnd().x;
    const int64_t minX = e->GetMinY();
    const int64_t maxX = e->GetMaxY();
    const int64_t dz = maxZ - minZ;
    const int64_t dx = maxX - minX;
    const int64_t w = m_view.GetClientRect().Width();
    const int64_t h = m_view.GetClientRect().Height();
    const int64_t scale = m_view.GetScale();
    const int64_t zoomV = dx < 1 ? 30000 : h * 1000000 / scale * 80 / dx / 2;
    const int64_t zoomH = dz < 1 ? 30000 : w * 1000000 / scale * 80 / dz;
    m_view.SetZoom(ClampZoomRequest(std::min(zoomH, zoomV)));
    m_view.CenterOn(m_view.GetClientRect(), static_cast<int32_t>((minZ + maxZ) / 2),
                    static_cast<int32_t>((minX + maxX) / 2));
    m_view.Repaint();
}
