// The K1 tool's double arc over a finished range.
#include "view/K1Curve.h"

#include <algorithm>

#include "elements/DoubleArc.h"
#include "elements/Selection.h"
#include "view/KestrovelView.h"

namespace {
// The junction needs room on both sides: the start edit keeps 100 units before it.
constexpr int32_t kShortestCurve = 200;

int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, -kRoundLimit, kRoundLimit));
}

// A first direction point left of the start on the profile's own tangent there, so that the
// curve leaves the start the way the profile did; the reset then puts it at its usual distance.
CPoint ProfileDirection(const CSelection& range, CPoint s, CPoint m) {
    const int64_t h = std::min<int64_t>(1000, static_cast<int64_t>(m.x) - s.x);
    const double t = static_cast<double>(static_cast<int64_t>(range.GetYAt(Clamp32(s.x + h))) - s.y) / h;
    const int64_t dz = std::max<int64_t>((static_cast<int64_t>(range.GetEnd().x) - s.x) / 10, 1000);
    return CPoint(Clamp32(s.x - dz), Clamp32(s.y - Round(t * dz)));
}
}  // namespace

std::unique_ptr<CPiece> MakeK1Curve(const CSelection& range, CKestrovelView& view) {
    const CPoint s = range.GetStart();
    const CPoint e = range.GetEnd();
    if (static_cast<int64_t>(e.x) - s.x < kShortestCurve) {
        return nullptr;
    }
    const int32_t midZ = Clamp32((static_cast<int64_t>(s.x) + e.x) / 2);
    const CPoint m(midZ, range.GetYAt(midZ));
    auto curve = std::make_unique<CDoubleArc>(s, m, e, ProfileDirection(range, s, m), view.GetMessages());
    curve->ResetDirection();
    curve->Recompute(view.GetMessages());
    curve->SetFeed(range.GetFeed());
    curve->SetSpeed(range.GetSpeed());
    curve->SetLeave(range.GetLeave());
    for (int i = 0; i < 4; ++i) {
        curve->SetLock(i, range.GetLock(i));
    }
    curve->ClearEdited();
    curve->UpdateBounds();
    return curve;
}
