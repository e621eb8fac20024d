// CMouseModes: the view's mouse events routed by mouse mode (select, handles, range markers, move).
#pragma once

#include <cstdint>

#include "platform/Geometry.h"

class CKestrovelView;
class CEditingTools;
struct CEditState;

class CMouseModes {
public:
    CMouseModes(CKestrovelView& view, CEditingTools& tools) : m_view(view), m_tools(tools) {}

    void OnLButtonDown(int flags, CPoint point);
    void OnLButtonUp(int flags, CPoint point);
    void OnRButtonDown(int flags, CPoint point);
    void OnRButtonUp(int flags, CPoint point);
    void OnMouseMove(int flags, CPoint point);

private:
    CEditState& State();
    // The model point under a pixel with the cursor steps applied.
    CPoint SnappedModel(CPoint point) const;

    void SelectClick(int x);
    void GrabHandle(CPoint point);
    void DragHandle(CPoint point);
    void DropHandle(CPoint point);

    void NewRange(int x);
    void PlaceMarker(int x, int which);
    // Axis snap: an element boundary within d pixels of x pulls the marker onto it.
    bool SnapToBoundary(int x, int d, CPoint& marker) const;
    void FinishIfComplete();

    void StartMove(CPoint point);
    void MoveStep(CPoint point);

    CKestrovelView& m_view;
    CEditingTools& m_tools;
};
