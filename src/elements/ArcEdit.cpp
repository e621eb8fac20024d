// CArc editing through its handles and the object bar, the move, and the arc's painting.
#include "elements/Arc.h"

#include "elements/ViewServices.h"

struct CArc::EndRole {};

void CArc::SetStartKeepingArc(int32_t, int32_t, CMessages*) {}
void CArc::SetEndKeepingArc(int32_t, int32_t, CMessages*) {}
void CArc::SetCenter(int32_t, int32_t, CMessages*) {}
void CArc::SetMidPoint(int32_t a, int32_t b, CMessages* messages) {
    SaveOld();
    if (!CircleThrough(CPoint(a, b))) {
        m_ptMid = m_ptOldMid = CPoint(a, b);
        return;
    }
    FitToAxis(messages);
    UpdateMidPoint();
}
void CArc::Revert() {}
void CArc::SetHandle(Handle, int32_t, int32_t, CViewServices*) {}
void CArc::ReadPropertyBar(CViewServices*) {}
void CArc::FillPropertyBar(CViewServices*) {}
void CArc::Move(int32_t, int32_t, CViewServices*) {}
CPoint CArc::GetHandle(Handle which) const {
    for (const CPoint* p : {&m_ptStart, &m_ptEnd, &m_ptCenter, &m_ptMid}) {
        if (which == p) {
            return *p;
        }
    }
    return {};
}
Handle CArc::HitTestHandle(int, int, CViewServices*, int) const { return nullptr; }
CPoint CArc::DrawSelected(CSurface&, CViewServices*, int, int, int, int) { return {}; }
CPoint CArc::DrawDragFeedback(CSurface&, CViewServices*, int, int, int, int, Handle which) {
    return GetHandle(which);
}
int CArc::DrawMoveFeedback(CSurface&, CViewServices*, int, int, int, int, int32_t, int32_t) { return 1; }
CPixelRows CArc::Draw(CSurface&, CViewServices*, const CLayerStyle&, CPixelRows prev) { return prev; }
