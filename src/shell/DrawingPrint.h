// CDrawingPrint: a drawing as `render` shows it (whole, at "To fit"), painted as lines onto a page.
#pragma once

#include <QPageLayout>
#include <QRect>

class CKestrovelDoc;
class QPainter;

class CDrawingPrint {
public:
    // Landscape when the part is longer than its diameter, as turned parts mostly are.
    static QPageLayout::Orientation OrientationFor(const CKestrovelDoc& doc);
    // Paints the whole drawing centred in the page rectangle (device pixels of the painter),
    // clear of a margin. Lines stay at least one device pixel wide however the page is scaled
    // later (a print preview at any zoom).
    static void Paint(CKestrovelDoc& doc, QPainter& painter, const QRect& page);

    // The margin around the picture, as a share of the page's shorter side.
    static constexpr double kMargin = 0.05;
};
