// The keys of the persisted view state, read and written in one fixed order.
#include "view/ViewState.h"

#include "platform/SettingsStore.h"
#include "view/KestrovelView.h"

namespace {
struct CStateKey {
    const char* pszKey;
    int (*get)(const CKestrovelView&);
    void (*set)(CKestrovelView&, int);
};

// The order is the stored order; Accuracy comes first so the format digit is set before the rest.
const CStateKey kKeys[] = {
    {"Accuracy", [](const CKestrovelView& v) { return v.GetAccuracy(); },
     [](CKestrovelView& v, int n) {
         v.SetAccuracy(n);
         v.SetFormatDigit(n);
     }},
    {"Units", [](const CKestrovelView& v) { return v.GetUnits(); },
     [](CKestrovelView& v, int n) { v.SetUnits(n); }},
    {"Edit mode", [](const CKestrovelView& v) { return v.GetEditState().m_nEditMode; },
     [](CKestrovelView& v, int n) { v.EditState().m_nEditMode = n; }},
    {"Select Tool", [](const CKestrovelView& v) { return v.GetEditState().m_nSelectionKind; },
     [](CKestrovelView& v, int n) { v.EditState().m_nSelectionKind = n; }},
    {"Active Creating Tool", [](const CKestrovelView& v) { return v.GetEditState().m_nCreatingTool; },
     [](CKestrovelView& v, int n) { v.EditState().m_nCreatingTool = n; }},
    {"Active Tool", [](const CKestrovelView& v) { return v.GetEditState().m_nActiveTool; },
     [](CKestrovelView& v, int n) { v.EditState().m_nActiveTool = n; }},
    {"Draw Axes", [](const CKestrovelView& v) { return v.Aids().m_bDrawAxes; },
     [](CKestrovelView& v, int n) { v.Aids().m_bDrawAxes = n; }},
    {"Draw Labels", [](const CKestrovelView& v) { return v.GetDrawLabels(); },
     [](CKestrovelView& v, int n) { v.SetDrawLabels(n); }},
    {"Draw Lines", [](const CKestrovelView& v) { return v.GetDrawLines(); },
     [](CKestrovelView& v, int n) { v.SetDrawLines(n); }},
    {"Draw Dims", [](const CKestrovelView& v) { return v.Aids().m_bDrawDims; },
     [](CKestrovelView& v, int n) { v.Aids().m_bDrawDims = n; }},
    {"Snap To Active Point", [](const CKestrovelView& v) { return v.Aids().m_nSnapToPoints; },
     [](CKestrovelView& v, int n) { v.Aids().m_nSnapToPoints = n; }},
    {"Horizontal Cursor Step", [](const CKestrovelView& v) { return v.Aids().m_nStepHorz; },
     [](CKestrovelView& v, int n) { v.Aids().m_nStepHorz = n; }},
    {"Vertical Cursor Step", [](const CKestrovelView& v) { return v.Aids().m_nStepVert; },
     [](CKestrovelView& v, int n) { v.Aids().m_nStepVert = n; }},
    {"Main Axe Snap", [](const CKestrovelView& v) { return v.Aids().m_nSnapMain; },
     [](CKestrovelView& v, int n) { v.Aids().m_nSnapMain = n; }},
    {"Secondary Axe Snap", [](const CKestrovelView& v) { return v.Aids().m_nSnapSecondary; },
     [](CKestrovelView& v, int n) { v.Aids().m_nSnapSecondary = n; }},
    {"Diameter", [](const CKestrovelView& v) { return v.GetDiameter(); },
     [](CKestrovelView& v, int n) { v.SetDiameter(n != 0); }},
};
}  // namespace

void CViewState::Load(CKestrovelView& view, const CSettingsStore& store) {
    for (const CStateKey& key : kKeys) {
        key.set(view, store.GetInt(kSection, key.pszKey, key.get(view)));
    }
}

void CViewState::Save(const CKestrovelView& view, CSettingsStore& store) {
    for (const CStateKey& key : kKeys) {
        store.WriteInt(kSection, key.pszKey, key.get(view));
    }
}

bool CViewState::SaveOnFrameClose(const CKestrovelView* activeView,
                                  const std::vector<const CKestrovelView*>& documentViews) {
    const CKestrovelView* view = activeView;
    if (!view && !documentViews.empty()) {
        view = documentViews.front();
    }
    CSettingsStore* store = view ? view->GetContext().pSettings : nullptr;
    if (!store) {
        return false;
    }
    Save(*view, *store);
    return true;
}
