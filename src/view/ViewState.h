// CViewState: the drawing view's working settings kept in the settings store between runs.
#pragma once

#include <vector>

class CKestrovelView;
class CSettingsStore;

class CViewState {
public:
    static constexpr const char* kSection = "KestrovelViewState";

    // Every key in its fixed order; a key not stored keeps the view's current value.
    static void Load(CKestrovelView& view, const CSettingsStore& store);
    static void Save(const CKestrovelView& view, CSettingsStore& store);

    // The main frame closes: the view whose settings survive is the active child frame's view
    // when that is a drawing view (activeView), otherwise the first drawing view of that child
    // frame's document (documentViews, in their order). Saves it into its own settings store;
    // false when there is no such view or it has no store.
    static bool SaveOnFrameClose(const CKestrovelView* activeView,
                                 const std::vector<const CKestrovelView*>& documentViews);
};
