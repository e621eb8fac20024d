// What each tool and mouse mode asks of the user next, in one sentence for status pane 0.
#include "view/StatusPrompt.h"

#include "view/EditState.h"

namespace {
// The tool that turns a range into an element, and what it makes.
struct CMaker {
    const char* pszTool;
    const char* pszElement;
};

CMaker MakerOf(int creatingTool) {
    switch (creatingTool) {
        case kToolCircle: return {"Circle", "arc"};
        case kToolK1: return {"K1", "curve"};
        default: return {"Line", "line"};
    }
}

std::string RangePrompt(const CEditState& st) {
    const CMaker maker = MakerOf(st.m_nCreatingTool);
    if (st.IsFast()) {
        if (st.m_pRange) {
            return "Left button moves the start marker, right button the end marker; the " +
                   std::string(maker.pszElement) + " is drawn when both are set.";
        }
        return "Left button marks the range start, right button its end; the " +
               std::string(maker.pszElement) + " is drawn on release.";
    }
    if (st.m_pRange) {
        return "Left and right buttons move the start and end markers; then " + std::string(maker.pszTool) +
               " makes the " + maker.pszElement + " and OK applies it.";
    }
    return "Left button marks the range start, right button its end; then " + std::string(maker.pszTool) +
           " makes the " + maker.pszElement + " and OK applies it.";
}

std::string SelectedPrompt(const CEditState& st) {
    if (!st.m_pActive) {
        return "Choose Range Select (R) and mark the range the new " +
               std::string(MakerOf(st.m_nCreatingTool).pszElement) + " is to span.";
    }
    if (st.IsFast()) {
        return "Drag a handle to change the element, applied on release; a click elsewhere selects another.";
    }
    return "Drag a handle or type values and press Read Values; OK applies the changes, Back discards them.";
}
}  // namespace

std::string NextStepPrompt(const CEditState& st) {
    switch (st.m_nMouseMode) {
        case kModeZoomIn: return "Click the point to zoom in on; the view centres on it.";
        case kModeSelected: return SelectedPrompt(st);
        case kModeHandleDrag: return "Move the point and release the left button where it belongs.";
        case kModeRange: return RangePrompt(st);
        case kModeMoveDrag: return "Release the left button to drop the element where it is.";
        case kModeMove:
            return st.IsFast() ? "Drag inside the element's span to move it; it is applied on release."
                               : "Drag inside the element's span to move it; OK applies, Back discards.";
        default: return "Click an element to select it, or choose Range Select (R) to mark a stretch.";
    }
}
