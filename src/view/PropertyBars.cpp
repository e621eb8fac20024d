// Routing of bar notifications to the bar models, view activation and the drawing properties command.
#include "view/PropertyBars.h"

#include <cstdio>

#include "document/DrawingProperties.h"
#include "document/KestrovelDoc.h"
#include "elements/Piece.h"
#include "platform/ControlIds.h"
#include "platform/Messages.h"
#include "platform/Units.h"
#include "view/KestrovelView.h"
#include "view/ZoomCommands.h"

bool CPropertyBars::OnNotify(CControlBar& bar, int id, BarNotify what) {
    const CViewContext& ctx = m_view.GetContext();
    if (&bar == ctx.pObjectBar) {
        return m_object.OnNotify(bar, id, what);
    }
    if (&bar == ctx.pLayerBar) {
        return m_layer.OnNotify(bar, id, what);
    }
    if (&bar == ctx.pAidsBar) {
        return m_aids.OnNotify(bar, id, what);
    }
    if (&bar == ctx.pViewBar) {
        return OnViewBar(bar, id, what);
    }
    return false;
}

bool CPropertyBars::OnViewBar(CControlBar& bar, int id, BarNotify what) {
    if (id != IDC_ZOOM_BOX) {
        return false;
    }
    if (what == BarNotify::SelChange) {
        m_view.OnZoomBoxSelect(bar.GetCurSel(id));
    } else if (what == BarNotify::KillFocus) {
        m_view.OnZoomBoxKillFocus();
    }
    return true;
}

bool CPropertyBars::OnCommand(int id) {
    if (id == ID_DRAWING_PROPERTIES) {
        DrawingProperties();
        return true;
    }
    return m_layer.OnCommand(id);
}

bool CPropertyBars::GetCommandState(int id, CCommandState& state) const {
    if (id == ID_DRAWING_PROPERTIES) {
        state = {m_view.GetDocument() != nullptr, false};
        return true;
    }
    return m_layer.GetCommandState(id, state);
}

void CPropertyBars::OnActivate() {
    m_aids.ShowViewState();
    m_view.ShowCursorPosition();
    if (CPiece* active = m_view.GetActiveElement()) {
        active->FillPropertyBar(&m_view);
    } else {
        // The bar may still show another drawing's element.
        CPiece::ClearPropertyBar(&m_view);
    }
    m_view.ZoomCommands().ShowZoom();
    if (CKestrovelDoc* doc = m_view.GetDocument()) {
        // The drawing view that last became active is the document's view.
        m_view.MakeCurrent();
        doc->SetActiveLayer(m_view.GetRememberedLayer());
    }
}

void CPropertyBars::DrawingProperties() {
    CKestrovelDoc* doc = m_view.GetDocument();
    if (!doc) {
        return;
    }
    const CRect source = doc->GetSourceRect();
    CDrawingProperties props;
    props.nUnits = m_view.GetUnits();
    props.nAccuracy = m_view.GetAccuracy();
    props.nLength = doc->GetLength();
    props.nBase = static_cast<int32_t>(2LL * source.top);
    props.nShapeType = doc->GetShape() == kShapePrism ? 0 : 1;
    CAcceptPropertiesPrompt accept;
    CDrawingPropertiesPrompt* prompt = doc->GetServices().pPropertiesPrompt;
    if (!(prompt ? prompt : &accept)->Run(props)) {
        return;
    }
    if (!ConfirmCut(props.nLength)) {
        return;
    }
    doc->ChangeSourceMaterial(props.nShapeType == 0 ? kShapePrism : kShapeCylinder, props.nLength,
                              props.nBase);
    // The chosen units and accuracy win over whatever the aids bar still shows (it may be on
    // another view's thousandths); the bar then shows them (mm never keeps thousandths).
    m_view.SetUnits(props.nUnits);
    m_aids.SetAccuracy(props.nAccuracy);
    m_aids.ShowViewState();
    doc->SetUnits(m_view.GetUnits(), m_view.GetAccuracy());
    m_aids.CommonRefresh();
    FitToDrawing();
}

void CPropertyBars::FitToDrawing() {
    m_view.ComputeScale();
    m_view.ComputeHomeOrigin();
    m_view.ComputeScrollLimits();
    m_view.MoveToHome();
    m_view.UpdateAllViews();
}

bool CPropertyBars::ConfirmCut(int32_t newLength) const {
    const CKestrovelDoc* doc = m_view.GetDocument();
    CMessages* messages = m_view.GetMessages();
    const int removed = doc && newLength < doc->GetLength() ? doc->CountElementsBeyond(newLength) : 0;
    if (removed == 0 || !messages) {
        return true;
    }
    char text[200];
    std::snprintf(text, sizeof text, "%d element%s beyond Z %s %s will be removed. Change the length?",
                  removed, removed == 1 ? "" : "s", m_view.FormatLength(newLength).c_str(),
                  UnitName(m_view.GetUnits()));
    return messages->MessageBox(text, "Drawing properties", MessageIcon::Warning, MessageButtons::YesNo) ==
           MessageAnswer::Yes;
}
