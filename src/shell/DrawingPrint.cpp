// Pages of a drawing: the drawing view paints through a surface over the page's painter, in a
// coordinate system of about screen pixels, so that texts and hatches keep their screen sizes.
#include "shell/DrawingPrint.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "document/KestrovelDoc.h"
#include "shell/QtSurface.h"
#include "view/DrawingPicture.h"

QPageLayout::Orientation CDrawingPrint::OrientationFor(const CKestrovelDoc& doc) {
    const CRect source = doc.GetSourceRect();
    const int64_t length = std::abs(static_cast<int64_t>(source.right) - source.left);
    const int64_t diameter = 2 * std::abs(static_cast<int64_t>(source.top));
    return length >= diameter ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void CDrawingPrint::Paint(CKestrovelDoc& doc, QPainter& painter, const QRect& page) {
    if (page.width() <= 2 || page.height() <= 2) {
        return;
    }
    const int margin = static_cast<int>(std::min(page.width(), page.height()) * kMargin);
    const QRect area = page.adjusted(margin, margin, -margin, -margin);
    // One unit of the surface is about a screen pixel (1/96 inch) on the page.
    const int dpi = painter.device() ? std::max(painter.device()->logicalDpiX(), 1) : 96;
    const double scale = std::max(dpi / 96.0, 1e-3);
    const int width = std::max(1, static_cast<int>(area.width() / scale));
    const int height = std::max(1, static_cast<int>(area.height() / scale));
    painter.save();
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    painter.scale(scale, scale);
    painter.setFont(CQtSurface::TextFont());
    {
        CQtSurface surface(&painter, width, height);
        CDrawingPicture::Paint(doc, surface);
    }
    painter.restore();
}
