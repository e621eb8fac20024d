// CBarPlacement: where a floating bar shown for the first time goes among the bars already shown.
#pragma once

#include <vector>

#include "platform/Geometry.h"

class CBarPlacement {
public:
    // Space left between two bars placed side by side or one below the other.
    static constexpr int kGap = 4;
    // The rectangle (of the given size) for a bar without a stored place: the corner when it is
    // free, else the first free place right of or below a shown bar, else the free place nearest
    // the screen's top left. Free means on the screen and overlapping no shown bar; only when no
    // place on the screen is free is the answer the corner (moved onto the screen).
    static CRect Place(CSize size, const std::vector<CRect>& shown, CPoint corner, const CRect& screen);

    static bool Overlaps(const CRect& a, const CRect& b);
    static bool Inside(const CRect& inner, const CRect& outer);

private:
    static bool IsFree(const CRect& rc, const std::vector<CRect>& shown, const CRect& screen);
};
