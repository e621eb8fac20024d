// Grabbing an element's end handle in a view, for the benchmarks that drag it.
#pragma once

#include <benchmark/benchmark.h>

#include "view/KestrovelView.h"
#include "view/MouseModes.h"

// Selects the element under the click and grabs its end handle; false, with the reason on the
// benchmark's state, when there is no element there or the handle is not taken.
inline bool GrabEndHandle(CKestrovelView& view, CPoint click, benchmark::State& state, CPoint& handle) {
    view.OnLButtonDown(kMouseLeft, click);
    const CPiece* active = view.GetActiveElement();
    if (!active) {
        state.SkipWithError("no element under the click");
        return false;
    }
    handle = view.ModelToScreen(active->GetEnd());
    view.OnLButtonDown(kMouseLeft, handle);
    if (view.GetMouseMode() != kModeHandleDrag) {
        state.SkipWithError("the handle was not grabbed");
        return false;
    }
    return true;
}
