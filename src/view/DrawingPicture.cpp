// Painting a drawing through the drawing view with a window that exists only as a surface.
#include "view/DrawingPicture.h"

#include <algorithm>
#include <deque>

#include "document/KestrovelDoc.h"
#include "platform/ViewHost.h"
#include "view/KestrovelView.h"
#include "view/ViewContext.h"

namespace {

// A window that never scrolls or shows cursors; notifications wait for the next pump.
class CPictureHost : public CViewHost {
public:
    explicit CPictureHost(CSurface& surface) : m_surface(surface) {}
    void Invalidate(bool) override {}
    void InvalidateRect(const CRect&, bool) override {}
    void SetScrollRange(int, int, int) override {}
    void SetScrollPos(int, int) override {}
    void ScrollWindow(int, int) override {}
    void SetCursor(int) override {}
    CPoint GetCursorPos() const override { return {}; }
    void SetCursorPos(CPoint) override {}
    void SetStatusText(int, const std::string&) override {}
    void PostNotification(int code) override { m_posted.push_back(code); }
    CSurface* GetWindowSurface() override { return &m_surface; }

    void Pump(CKestrovelView& view) {
        for (int guard = 0; guard < 100 && !m_posted.empty(); ++guard) {
            const int code = m_posted.front();
            m_posted.pop_front();
            view.OnNotification(code);
        }
    }

private:
    CSurface& m_surface;
    std::deque<int> m_posted;
};

}  // namespace

void CDrawingPicture::Paint(CKestrovelDoc& doc, CSurface& surface, const std::vector<int>& layers) {
    const int active = doc.GetActiveLayerIndex();
    int shown = active;
    int saved[CLayer::kVisibilityCount] = {};
    if (!layers.empty() && layers.front() >= 1 && layers.front() <= CLayer::kLayerCount) {
        shown = layers.front() - 1;
        doc.SetActiveLayer(shown);
        CLayer* layer = doc.GetLayer(shown);
        for (int i = 1; i < CLayer::kVisibilityCount; ++i) {
            saved[i] = layer->IsVisible(i);
            layer->SetVisible(i, std::find(layers.begin(), layers.end(), i) != layers.end());
        }
    }
    {
        CPictureHost host(surface);
        CViewContext context;
        context.pDoc = &doc;
        context.pHost = &host;
        CKestrovelView view(context);
        view.OnInitialUpdate();
        view.OnSize(0, surface.GetWidth(), surface.GetHeight());
        view.OnPaint(surface);
        host.Pump(view);
        view.OnPaint(surface);
    }
    if (shown != active) {
        CLayer* layer = doc.GetLayer(shown);
        for (int i = 1; i < CLayer::kVisibilityCount; ++i) {
            layer->SetVisible(i, saved[i]);
        }
        if (active >= 0) {
            doc.SetActiveLayer(active);
        }
    }
}
