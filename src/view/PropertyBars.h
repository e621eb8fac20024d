// CPropertyBars: the main frame's bars as the active drawing view sees them, and the view's activation.
#pragma once

#include <cstdint>

#include "platform/ControlBar.h"
#include "view/AidsBarModel.h"
#include "view/LayerBarModel.h"
#include "view/ObjectBarModel.h"
#include "view/ViewCommands.h"

class CKestrovelView;

class CPropertyBars {
public:
    explicit CPropertyBars(CKestrovelView& view)
        : m_view(view), m_object(view), m_layer(view), m_aids(view) {}

    // Routes a notification by the bar it comes from; false when it is none of the view's bars.
    bool OnNotify(CControlBar& bar, int id, BarNotify what);
    // The layer tool bar and the drawing properties command.
    bool OnCommand(int id);
    bool GetCommandState(int id, CCommandState& state) const;

    // The view became the active one: the bars, the read-outs and the document follow it.
    void OnActivate();
    // The "Drawing properties" dialog on this drawing; the view follows the values chosen.
    void DrawingProperties();
    // The drawing's length changed (the properties, or undoing them): the view shows it whole.
    void FitToDrawing();

    CObjectBarModel& Object() { return m_object; }
    CLayerBarModel& Layer() { return m_layer; }
    CAidsBarModel& Aids() { return m_aids; }

private:
    bool OnViewBar(CControlBar& bar, int id, BarNotify what);
    // A length that removes elements is asked about first; false when the answer is no.
    bool ConfirmCut(int32_t newLength) const;

    CKestrovelView& m_view;
    CObjectBarModel m_object;
    CLayerBarModel m_layer;
    CAidsBarModel m_aids;
};
