// CDoubleArc editing through its four handles and the object bar, its move, and its painting.
#include <algorithm>
#include <cmath>

#include "elements/Arc.h"
#include "elements/CircleMath.h"
#include "elements/DoubleArc.h"
#include "elements/LayerStyle.h"
#include "elements/ObjectBarFiller.h"
#include "elements/OverlayPainter.h"
#include "elements/StripCorners.h"
#include "elements/ViewServices.h"
#include "platform/ControlIds.h"

using namespace circle_math;

namespace {
constexpr int32_t kMinPart = 100;

bool Near(CPoint pixel, int px, int py, int tolerance) {
    if (tolerance <= 0) {
        return false;
    }
    const double dx = static_cast<double>(px) - pixel.x;
    const double dy = static_cast<double>(py) - pixel.y;
    return dx * dx + dy * dy < static_cast<double>(tolerance) * tolerance;
}

CPoint Pixel(const CViewServices& view, CPoint p) {
    return CPoint(ClampPixel(view.ModelToScreenX(p.x)), ClampPixel(view.ModelToScreenY(p.y)));
}
}  // namespace

bool CDoubleArc::MoveEnd(int32_t z, int32_t x) {
    if (m_bLockEndX && m_bLockEndY) {
        return false;
    }
    SaveOld();
    if (!m_bLockEndX) {
        m_ptEnd.x = Clamp(std::max<int64_t>(z, static_cast<int64_t>(m_ptJunction.x) + kMinPart));
    }
    if (!m_bLockEndY) {
        m_ptEnd.y = std::max(x, 0);
    }
    return true;
}

bool CDoubleArc::MoveJunction(int32_t z, int32_t x) {
    if (m_bLockJunctionZ && m_bLockJunctionX) {
        return false;
    }
    SaveOld();
    const int64_t lo = static_cast<int64_t>(m_ptStart.x) + kMinPart;
    const int64_t hi = static_cast<int64_t>(m_ptEnd.x) - kMinPart;
    // The junction stays between the ends; a span too short for that keeps its Z.
    if (!m_bLockJunctionZ && lo <= hi) {
        m_ptJunction.x = Clamp(std::clamp<int64_t>(z, lo, hi));
    }
    if (!m_bLockJunctionX) {
        m_ptJunction.y = std::max(x, 0);
    }
    return true;
}

void CDoubleArc::WriteJunctionFields(CViewServices* view) const {
    if (CControlBar* bar = view ? view->GetObjectBar() : nullptr) {
        bar->SetText(IDC_STEER_I, view->FormatLength(m_ptJunction.x));
        bar->SetText(IDC_STEER_J, view->FormatLengthField(IDC_STEER_J, m_ptJunction.y));
    }
}

void CDoubleArc::SetHandle(Handle which, int32_t z, int32_t x, CViewServices* view) {
    CMessages* messages = view ? view->GetMessages() : nullptr;
    const CPoint junction = m_ptJunction;
    if (which == &m_ptStart) {
        m_bEdited[0] = m_bEdited[1] = 1;
        RecalcFromStart(std::max(z, 0), x, messages);
        CObjectBarFiller::FillPoints(view, m_ptStart, m_ptEnd);
    } else if (which == &m_ptDirection) {
        SetEdited(kEditedDirectionZ, 1);
        SetEdited(kEditedDirectionX, 1);
        if (!m_bLockDirection) {
            SaveOld();
            m_ptDirection = CPoint(std::min(z, m_ptStart.x), x);
            ComputeCentres(ApplyTangent());
        }
        WriteJunctionFields(view);
    } else if (which == &m_ptEnd) {
        m_bEdited[2] = m_bEdited[3] = 1;
        if (MoveEnd(view ? std::min(z, view->GetDrawingLength()) : z, x)) {
            Recompute(messages);
        }
        CObjectBarFiller::FillPoints(view, m_ptStart, m_ptEnd);
    } else if (which == &m_ptJunction) {
        SetEdited(kEditedJunctionZ, 1);
        SetEdited(kEditedJunctionX, 1);
        if (MoveJunction(z, x)) {
            Recompute(messages);
        }
        WriteJunctionFields(view);
    } else {
        return;
    }
    if (m_ptJunction != junction) {
        WriteJunctionFields(view);
    }
    UpdateBounds();
}

void CDoubleArc::ReadPropertyBar(CViewServices* view) {
    if (!view) {
        return;
    }
    CPoint start = m_ptStart, end = m_ptEnd, junction = m_ptJunction;
    const auto read = [view](bool edited, int id, int32_t& target) {
        view->ReadEditedLength(edited, id, target);
    };
    read(m_bEdited[0], IDC_START_Z, start.x);
    read(m_bEdited[1], IDC_START_X, start.y);
    read(m_bEdited[2], IDC_END_Z, end.x);
    read(m_bEdited[3], IDC_END_X, end.y);
    read(m_bEditedJunction[0], IDC_STEER_I, junction.x);
    read(m_bEditedJunction[1], IDC_STEER_J, junction.y);
    bool moved = false;
    if (m_bEdited[2] || m_bEdited[3]) {
        moved = MoveEnd(end.x, end.y) || moved;
    }
    if (m_bEditedJunction[0] || m_bEditedJunction[1]) {
        moved = MoveJunction(junction.x, junction.y) || moved;
    }
    const bool started =
        (m_bEdited[0] || m_bEdited[1]) && RecalcFromStart(start.x, start.y, view->GetMessages());
    if (moved && !started) {
        Recompute(view->GetMessages());
    }
    UpdateBounds();
}

void CDoubleArc::FillPropertyBar(CViewServices* view) {
    CObjectBarFiller::FillPoints(view, m_ptStart, m_ptEnd);
    WriteJunctionFields(view);
    if (CControlBar* bar = view ? view->GetObjectBar() : nullptr) {
        bar->SetText(IDC_RADIUS, "");
    }
    CObjectBarFiller::SelectType(view, CObjectBarFiller::kTypeDoubleArc);
    // Boxes 4 and 5 ("I=", "J=") read the junction locks through the lock mapping.
    CObjectBarFiller::FillLocks(view, *this, 6);
    CObjectBarFiller::FillAttributes(view, *this);
}

void CDoubleArc::ShiftZ(int64_t dz) {
    for (CPoint* p : {&m_ptStart, &m_ptEnd, &m_ptJunction, &m_ptDirection}) {
        p->x = Add(p->x, dz);
    }
    m_dCenter1Z += static_cast<double>(dz);
    m_dCenter2Z += static_cast<double>(dz);
}

void CDoubleArc::ShiftX(int64_t dx) {
    for (CPoint* p : {&m_ptStart, &m_ptEnd, &m_ptJunction, &m_ptDirection}) {
        p->y = Add(p->y, dx);
    }
    m_dCenter1X += static_cast<double>(dx);
    m_dCenter2X += static_cast<double>(dx);
}

void CDoubleArc::Move(int32_t dz, int32_t dx, CViewServices* view) {
    SaveOld();
    if (!m_bLockStartX && !m_bLockEndX && !m_bLockJunctionZ) {
        ShiftZ(dz);
        if (m_ptStart.x < 0) {
            ShiftZ(-static_cast<int64_t>(m_ptStart.x));
        }
        if (view && m_ptEnd.x > view->GetDrawingLength()) {
            ShiftZ(static_cast<int64_t>(view->GetDrawingLength()) - m_ptEnd.x);
        }
    }
    if (!m_bLockStartY && !m_bLockEndY && !m_bLockJunctionX) {
        ShiftX(dx);
        // The junction counts: a trough can reach lower than both ends.
        const int32_t low = std::min({m_ptStart.y, m_ptEnd.y, m_ptJunction.y});
        if (low < 0) {
            ShiftX(-static_cast<int64_t>(low));
        }
        for (int part = 1; part <= 2; ++part) {
            const CCircle c = Circle(part);
            const int32_t lo = part == 1 ? m_ptStart.x : m_ptJunction.x;
            const int32_t hi = part == 1 ? m_ptJunction.x : m_ptEnd.x;
            const int32_t lift = Round(c.dRadius - c.dCenterX);
            if (c.dRadius != 0.0 && !c.bUpper && lo < c.dCenterZ && c.dCenterZ < hi && lift > 0) {
                ShiftX(lift);
            }
        }
    }
}

CPoint CDoubleArc::GetHandle(Handle which) const {
    for (const CPoint* p : {&m_ptStart, &m_ptEnd, &m_ptJunction, &m_ptDirection}) {
        if (which == p) {
            return *p;
        }
    }
    return {};
}

Handle CDoubleArc::HitTestHandle(int px, int py, CViewServices* view, int tolerance) const {
    if (!view) {
        return nullptr;
    }
    for (const CPoint* p : {&m_ptStart, &m_ptEnd, &m_ptJunction, &m_ptDirection}) {
        if (Near(view->ModelToScreen(*p), px, py, tolerance)) {
            return p;
        }
    }
    return nullptr;
}

CPixelRows CDoubleArc::Draw(CSurface& dc, CViewServices* view, const CLayerStyle& style, CPixelRows prev) {
    if (!view) {
        return prev;
    }
    auto first = MakePart(1), second = MakePart(2);
    first->SetCcw(m_bUpper1);
    second->SetCcw(m_bUpper2);
    const CPixelRows middle = first->Draw(dc, view, style, prev);
    // No face at the junction: the second part continues the first one's outline.
    CLayerStyle continued = style;
    continued.m_bDrawEdges = 0;
    return second->Draw(dc, view, continued, middle);
}

void CDoubleArc::PaintOverlay(CSurface& dc, CViewServices& view, const CRect& client) const {
    auto first = MakePart(1), second = MakePart(2);
    first->SetCcw(m_bUpper1);
    second->SetCcw(m_bUpper2);
    const CStripCorners c = CStripCorners::Of(view, m_ptStart, m_ptEnd);
    COverlayMarks marks;
    marks.ptU1 = c.ptU1;
    marks.ptU2 = c.ptU2;
    marks.ptStart = m_ptStart;
    marks.ptEnd = m_ptEnd;
    marks.handles = {c.ptU1, c.ptU2, Pixel(view, m_ptJunction), Pixel(view, m_ptDirection)};
    COverlayPainter painter(dc, view, client);
    painter.Paint(marks, [&](CSurface& s) {
        s.MoveTo(c.ptU1.x, c.ptU1.y);
        s.LineTo(c.ptL1.x, c.ptL1.y);
        first->DrawContour(s, view, true);
        second->DrawContour(s, view, true);
        s.MoveTo(c.ptL2.x, c.ptL2.y);
        s.LineTo(c.ptU2.x, c.ptU2.y);
        second->DrawContour(s, view, false);
        first->DrawContour(s, view, false);
    });
}

CPoint CDoubleArc::DrawSelected(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom) {
    if (view) {
        PaintOverlay(dc, *view, CRect(left, top, right, bottom));
    }
    return {};
}

CPoint CDoubleArc::DrawDragFeedback(CSurface& dc, CViewServices* view, int left, int top, int right,
                                    int bottom, Handle which) {
    if (view) {
        PaintOverlay(dc, *view, CRect(left, top, right, bottom));
    }
    return GetHandle(which);
}

int CDoubleArc::DrawMoveFeedback(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom,
                                 int32_t, int32_t) {
    if (view) {
        PaintOverlay(dc, *view, CRect(left, top, right, bottom));
    }
    return 1;
}
