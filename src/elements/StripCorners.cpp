// The pixel corners of a straight strip.
#include "elements/StripCorners.h"

#include "elements/ViewServices.h"

CStripCorners CStripCorners::Of(const CViewServices& view, CPoint start, CPoint end) {
    const int x1 = ClampPixel(view.ModelToScreenX(start.x));
    const int x2 = ClampPixel(view.ModelToScreenX(end.x));
    // Negating a radial coordinate of -2^31 would overflow; the mapping clamps anyway.
    const int32_t m1 = start.y == INT32_MIN ? INT32_MAX : -start.y;
    const int32_t m2 = end.y == INT32_MIN ? INT32_MAX : -end.y;
    CStripCorners c;
    c.ptU1 = CPoint(x1, ClampPixel(view.ModelToScreenY(start.y)));
    c.ptU2 = CPoint(x2, ClampPixel(view.ModelToScreenY(end.y)));
    c.ptL1 = CPoint(x1, ClampPixel(static_cast<int64_t>(view.ModelToScreenY(m1)) - 1));
    c.ptL2 = CPoint(x2, ClampPixel(static_cast<int64_t>(view.ModelToScreenY(m2)) - 1));
    return c;
}
