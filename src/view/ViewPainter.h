// CViewPainter: composes the drawing off screen (layers, axes, guide lines) and shows it with the overlay.
#pragma once

class CKestrovelView;
class CSurface;

class CViewPainter {
public:
    explicit CViewPainter(CKestrovelView& view) : m_view(view) {}

    // A paint request. The very first one draws nothing and asks for the initial fit instead.
    void Paint(CSurface& window);
    bool IsFirstPaintDone() const { return m_bFirstPaintDone; }

    // The layers, axes and guide lines into the clean picture.
    void Compose(CSurface& picture);

private:
    void DrawAxes(CSurface& dc) const;
    void DrawDims(CSurface& dc) const;

    CKestrovelView& m_view;
    int m_bFirstPaintDone = 0;
};
