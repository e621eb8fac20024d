// Painting a drawing through the drawing view with a window that exists only as a surface.
#include "view/DrawingPicture.h"

#include <algorithm>

#include "document/KestrovelDoc.h"
#include "view/KestrovelView.h"
#include "view/SurfaceHost.h"
#include "view/ViewContext.h"

void CDrawingPicture::Paint(CKestrovelDoc& doc, CSurface& surface, const std::vector<int>& layers) {
    const int active = doc.GetActiveLayerIndex();
    // The picture's own view becomes the document's current one while it paints; a window's view
    // of the document must be current again afterwards.
    CViewServices* const current = doc.GetActiveView();
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
        CSurfaceHost host(surface);
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
    if (current) {
        doc.SetActiveView(current);
    }
}
