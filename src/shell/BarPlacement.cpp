// Placing a bar beside or below the bars already on the screen.
#include "shell/BarPlacement.h"

#include <algorithm>

namespace {

CRect At(CPoint topLeft, CSize size) {
    return CRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy);
}

}  // namespace

bool CBarPlacement::Overlaps(const CRect& a, const CRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool CBarPlacement::Inside(const CRect& inner, const CRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool CBarPlacement::IsFree(const CRect& rc, const std::vector<CRect>& shown, const CRect& screen) {
    return Inside(rc, screen) &&
           std::none_of(shown.begin(), shown.end(), [&](const CRect& other) { return Overlaps(rc, other); });
}

CRect CBarPlacement::Place(CSize size, const std::vector<CRect>& shown, CPoint corner, const CRect& screen) {
    std::vector<CPoint> preferred{corner};
    for (const CRect& other : shown) {
        preferred.push_back(CPoint(other.right + kGap, other.top));
        preferred.push_back(CPoint(other.left, other.bottom + kGap));
    }
    for (const CPoint& p : preferred) {
        if (IsFree(At(p, size), shown, screen)) {
            return At(p, size);
        }
    }
    // Any free place slides left and then up, staying free, until it meets the screen's edge or
    // a bar's: the places whose left and top lie on such edges hold one whenever there is one.
    std::vector<int32_t> xs{screen.left};
    std::vector<int32_t> ys{screen.top};
    for (const CRect& other : shown) {
        xs.insert(xs.end(), {other.right + kGap, other.right});
        ys.insert(ys.end(), {other.bottom + kGap, other.bottom});
    }
    std::sort(ys.begin(), ys.end());
    std::sort(xs.begin(), xs.end());
    for (int32_t y : ys) {
        for (int32_t x : xs) {
            if (IsFree(At(CPoint(x, y), size), shown, screen)) {
                return At(CPoint(x, y), size);
            }
        }
    }
    // Nothing is free: the corner, as far onto the screen as the size lets it.
    const int32_t x = std::max(screen.left, std::min(corner.x, screen.right - size.cx));
    const int32_t y = std::max(screen.top, std::min(corner.y, screen.bottom - size.cy));
    return At(CPoint(x, y), size);
}
