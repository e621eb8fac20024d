// CKestrovelDoc construction, source material, active layer and view, undo and new documents.
#include "document/KestrovelDoc.h"

#include <algorithm>
#include <cstdlib>

#include "document/DocObserver.h"
#include "elements/ViewServices.h"
#include "platform/ControlBar.h"
#include "platform/ControlIds.h"
#include "platform/SettingsStore.h"

CKestrovelDoc::CKestrovelDoc(const CDocServices& services) : m_services(services) {
    for (auto& layer : m_pLayers) {
        layer = std::make_unique<CLayer>();
    }
}

CKestrovelDoc::~CKestrovelDoc() {
    m_pActiveLayer = nullptr;
    for (auto& layer : m_pLayers) {
        layer.reset();
    }
    m_pPrograms.reset();
}

CLayer* CKestrovelDoc::GetLayer(int i) const {
    return i >= 0 && i < kLayerCount ? m_pLayers[static_cast<size_t>(i)].get() : nullptr;
}

int CKestrovelDoc::GetActiveLayerIndex() const { return m_pActiveLayer ? m_pActiveLayer->GetIndex() : 0; }

int CKestrovelDoc::ActiveSlot() const {
    for (int i = 0; i < kLayerCount; ++i) {
        if (m_pLayers[static_cast<size_t>(i)].get() == m_pActiveLayer) {
            return i;
        }
    }
    return -1;
}

int CKestrovelDoc::CanUndo() const {
    const int slot = ActiveSlot();
    return slot < 0 ? 0 : m_undo[static_cast<size_t>(slot)].CanUndo() || CanUndoLength();
}

int CKestrovelDoc::CanRedo() const {
    const int slot = ActiveSlot();
    return slot < 0 ? 0 : m_undo[static_cast<size_t>(slot)].CanRedo() || CanRedoLength();
}

void CKestrovelDoc::SetSourceMaterial(int shape, int32_t length, int32_t base) {
    m_nShape = shape;
    m_rcSource = CRect(0, base / 2, length, 0);
}

void CKestrovelDoc::ChangeSourceMaterial(int shape, int32_t length, int32_t base) {
    const int32_t oldLength = m_rcSource.right;
    // A drawing keeps at least one unit of length: a layer cannot be cut to nothing.
    length = std::max<int32_t>(length, 1);
    if (length == oldLength) {
        SetSourceMaterial(shape, length, base);
        return;
    }
    // The drawing before the change, histories included, is what undoing it brings back.
    auto before = std::make_unique<CLengthStep>();
    before->nShape = m_nShape;
    before->rcSource = m_rcSource;
    for (size_t i = 0; i < m_pLayers.size(); ++i) {
        before->layers[i] = std::make_unique<CLayer>(*m_pLayers[i]);
        before->histories[i].Swap(m_undo[i]);
    }
    SetSourceMaterial(shape, length, base);
    for (size_t i = 0; i < m_pLayers.size(); ++i) {
        m_pLayers[i]->ChangeLength(length, oldLength, base / 2);
        m_undo[i].Push(std::make_unique<CLayer>(*m_pLayers[i]));
    }
    m_lengthUndo.push_back(std::move(before));
    m_lengthRedo.clear();
    SetModifiedFlag(true);
}

void CKestrovelDoc::SetUnits(int unit, int accuracy) {
    m_nUnit = unit;
    m_nAccuracy = accuracy;
    if (CControlBar* bar = GetAidsBar()) {
        bar->SetCurSel(IDC_UNITS, unit);
        bar->SetCurSel(IDC_ACCURACY, accuracy);
    }
}

void CKestrovelDoc::SetActiveLayer(int index) {
    if (index < 0 || index >= kLayerCount) {
        return;
    }
    m_pActiveLayer = m_pLayers[static_cast<size_t>(index)].get();
    // The layer that receives the edits also needs the view for snapping and cuts.
    m_pActiveLayer->SetView(m_pActiveView);
    if (CControlBar* bar = GetLayerBar()) {
        bar->SetCurSel(IDC_LAYER, index);
    }
    m_pActiveLayer->UpdateLayerBar();
    m_pActiveLayer->FillObjectCombo();
}

void CKestrovelDoc::SetActiveView(CViewServices* view) {
    m_pActiveView = view;
    if (m_pActiveLayer) {
        m_pActiveLayer->SetView(view);
    }
}

void CKestrovelDoc::OnViewClosed(CViewServices* view) {
    if (m_pActiveView == view) {
        m_pActiveView = nullptr;
    }
    for (auto& layer : m_pLayers) {
        if (layer->GetView() == view) {
            layer->DetachView();
        }
    }
}

void CKestrovelDoc::RecordUndo() {
    // A new edit after an undone length change is a new branch: the change cannot come back.
    m_lengthRedo.clear();
    const int slot = ActiveSlot();
    if (slot >= 0) {
        m_undo[static_cast<size_t>(slot)].Push(std::make_unique<CLayer>(*m_pActiveLayer));
    }
}

void CKestrovelDoc::ReplaceActiveLayer(std::unique_ptr<CLayer> layer) {
    const int slot = ActiveSlot();
    if (!layer || slot < 0) {
        return;
    }
    // A snapshot may remember a view that has closed since; it takes the current one.
    layer->SetDocument(this);
    layer->DetachView();
    layer->SetView(m_pActiveView);
    m_pLayers[static_cast<size_t>(slot)] = std::move(layer);
    m_pActiveLayer = m_pLayers[static_cast<size_t>(slot)].get();
    UpdateAllViews(true);
}

void CKestrovelDoc::Undo() {
    const int slot = ActiveSlot();
    if (slot < 0) {
        return;
    }
    if (!m_undo[static_cast<size_t>(slot)].CanUndo() && CanUndoLength()) {
        SwapLengthState(*m_lengthUndo.back());
        m_lengthRedo.push_back(std::move(m_lengthUndo.back()));
        m_lengthUndo.pop_back();
        return;
    }
    ReplaceActiveLayer(m_undo[static_cast<size_t>(slot)].Undo());
}

void CKestrovelDoc::Redo() {
    const int slot = ActiveSlot();
    if (slot < 0) {
        return;
    }
    if (!m_undo[static_cast<size_t>(slot)].CanRedo() && CanRedoLength()) {
        SwapLengthState(*m_lengthRedo.back());
        m_lengthUndo.push_back(std::move(m_lengthRedo.back()));
        m_lengthRedo.pop_back();
        return;
    }
    ReplaceActiveLayer(m_undo[static_cast<size_t>(slot)].Redo());
}

bool CKestrovelDoc::CanUndoLength() const {
    return !m_lengthUndo.empty() &&
           std::none_of(m_undo.begin(), m_undo.end(), [](const CLayerUndo& u) { return u.CanUndo(); });
}

bool CKestrovelDoc::CanRedoLength() const {
    return !m_lengthRedo.empty() &&
           std::none_of(m_undo.begin(), m_undo.end(), [](const CLayerUndo& u) { return u.CanRedo(); });
}

void CKestrovelDoc::SwapLengthState(CLengthStep& step) {
    const int slot = std::max(ActiveSlot(), 0);
    std::swap(m_nShape, step.nShape);
    std::swap(m_rcSource, step.rcSource);
    for (size_t i = 0; i < m_pLayers.size(); ++i) {
        std::swap(m_pLayers[i], step.layers[i]);
        m_undo[i].Swap(step.histories[i]);
        // A layer kept aside may remember a view that has closed since.
        m_pLayers[i]->SetDocument(this);
        m_pLayers[i]->DetachView();
        step.layers[i]->DetachView();
    }
    SetActiveLayer(slot);
    SetModifiedFlag(true);
    UpdateAllViews(true);
}

int CKestrovelDoc::CountElementsBeyond(int32_t length) const {
    int count = 0;
    for (const auto& layer : m_pLayers) {
        count += layer->CountPiecesFrom(length);
    }
    return count;
}

std::unique_ptr<CLayer> CKestrovelDoc::CopyLayer(int i) const {
    const CLayer* layer = GetLayer(i);
    return layer ? std::make_unique<CLayer>(*layer) : nullptr;
}

void CKestrovelDoc::SaveAsDefault() {
    CSettingsStore* store = GetSettings();
    if (!store) {
        return;
    }
    store->WriteInt("Document", "Delka", m_rcSource.Width());
    store->WriteInt("Document", "Podstava", 2 * std::abs(m_rcSource.Height()));
    store->WriteInt("Document", "Tvar", m_nShape == kShapePrism ? 0 : 1);
    for (int i = 0; i < kLayerCount; ++i) {
        m_pLayers[static_cast<size_t>(i)]->SaveProfile(*store, i + 1);
    }
}

int32_t CKestrovelDoc::GetMaxProfileHeight() const { return m_pActiveLayer ? m_pActiveLayer->GetMaxY() : 0; }

void CKestrovelDoc::DebugCombineLayers() {
    CLayer& first = *m_pLayers[0];
    CLayer& second = *m_pLayers[1];
    auto firstCopy = CopyLayer(0);
    auto secondCopy = CopyLayer(1);
    for (CLayer* layer : {&first, &second, firstCopy.get(), secondCopy.get()}) {
        layer->ExpandCompound();
        layer->InsertStepLines(1);
        layer->AddBordersAsLines();
    }
    first.CombineProfiles(second, 1050000, 1, 5000, 5000);
    secondCopy->CombineProfiles(first, -1050000, 1, 5000, 5000);
}

void CKestrovelDoc::ReadUnitsFromBar() {
    if (CControlBar* bar = GetAidsBar()) {
        if (bar->GetCurSel(IDC_UNITS) >= 0) {
            m_nUnit = bar->GetCurSel(IDC_UNITS);
        }
        if (bar->GetCurSel(IDC_ACCURACY) >= 0) {
            m_nAccuracy = bar->GetCurSel(IDC_ACCURACY);
        }
    } else if (CSettingsStore* store = GetSettings()) {
        m_nUnit = store->GetInt("KestrovelViewState", "Units", m_nUnit);
        m_nAccuracy = store->GetInt("KestrovelViewState", "Accuracy", m_nAccuracy);
    }
}

CDrawingProperties CKestrovelDoc::InitialProperties() const {
    CDrawingProperties props;
    if (CSettingsStore* store = GetSettings()) {
        props.nLength = store->GetInt("Document", "Delka", props.nLength);
        props.nBase = store->GetInt("Document", "Podstava", props.nBase);
        props.nShapeType = store->GetInt("Document", "Tvar", props.nShapeType);
    }
    props.nUnits = m_nUnit;
    props.nAccuracy = m_nAccuracy;
    return props;
}

void CKestrovelDoc::SetupNewLayer(int i) {
    CLayer& layer = *m_pLayers[static_cast<size_t>(i)];
    layer.SetIndex(i);
    layer.ResetVisibility();
    layer.SetDocument(this);
    layer.CreateBorders(m_rcSource.left, m_rcSource.top, m_rcSource.right);
    layer.AddLine(m_rcSource.left, m_rcSource.top, m_rcSource.right, m_rcSource.top);
    layer.SetDefaultStyle(i);
}

bool CKestrovelDoc::OnNewDocument() {
    ReadUnitsFromBar();
    CDrawingProperties props = InitialProperties();
    CAcceptPropertiesPrompt accept;
    CDrawingPropertiesPrompt* prompt = m_services.pPropertiesPrompt ? m_services.pPropertiesPrompt : &accept;
    if (!prompt->Run(props)) {
        return false;
    }
    SetSourceMaterial(props.nShapeType == 0 ? kShapePrism : kShapeCylinder, props.nLength, props.nBase);
    m_lengthUndo.clear();
    m_lengthRedo.clear();
    SetUnits(props.nUnits, props.nAccuracy);
    if (CControlBar* bar = GetViewBar()) {
        bar->SetCurSel(IDC_ZOOM_BOX, 2);
    }
    for (int i = 0; i < kLayerCount; ++i) {
        SetupNewLayer(i);
    }
    // The profile attributes are loaded before the first snapshot, so that undoing the first
    // edit keeps the user's saved layer attributes.
    for (int i = 0; i < kLayerCount; ++i) {
        if (CSettingsStore* store = GetSettings()) {
            m_pLayers[static_cast<size_t>(i)]->LoadProfile(*store, i + 1);
        }
        m_undo[static_cast<size_t>(i)].Push(std::make_unique<CLayer>(*m_pLayers[static_cast<size_t>(i)]));
    }
    SetActiveLayer(0);
    SetModifiedFlag(false);
    return true;
}

void CKestrovelDoc::AddObserver(CDocObserver* observer) {
    if (observer && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end()) {
        m_observers.push_back(observer);
    }
}

void CKestrovelDoc::RemoveObserver(CDocObserver* observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void CKestrovelDoc::UpdateAllViews(bool erase) {
    // A view may leave the list while it is told.
    const std::vector<CDocObserver*> observers = m_observers;
    for (CDocObserver* observer : observers) {
        if (std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end()) {
            observer->OnDocumentUpdate(erase);
        }
    }
}
