// CKestrovelDoc: one open drawing with its six layers, their undo histories and the source material.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/DocPrograms.h"
#include "document/DocServices.h"
#include "document/DrawingProperties.h"
#include "document/Layer.h"
#include "document/LayerUndo.h"
#include "document/LengthStep.h"
#include "platform/Geometry.h"

class CArchive;
class CDocObserver;
class CSurface;
class CViewServices;

// Shapes of the source material as stored.
enum : int { kShapeCylinder = 0, kShapePrism = 1 };

class CKestrovelDoc {
public:
    static constexpr int kLayerCount = CLayer::kLayerCount;

    explicit CKestrovelDoc(const CDocServices& services = {});
    ~CKestrovelDoc();
    CKestrovelDoc(const CKestrovelDoc&) = delete;
    CKestrovelDoc& operator=(const CKestrovelDoc&) = delete;

    // Queries. GetLayer takes 0...5 (callers pass valid indices; others give null).
    CLayer* GetLayer(int i) const;
    CLayer* GetActiveLayer() const { return m_pActiveLayer; }
    int GetActiveLayerIndex() const;
    CRect GetSourceRect() const { return m_rcSource; }
    int32_t GetLength() const { return m_rcSource.right; }
    int GetShape() const { return m_nShape; }
    CViewServices* GetActiveView() const { return m_pActiveView; }
    int GetUnit() const { return m_nUnit; }
    int GetAccuracy() const { return m_nAccuracy; }
    int CanUndo() const;
    int CanRedo() const;
    const CLayerUndo& GetUndo(int i) const { return m_undo[static_cast<size_t>(i)]; }

    // Source material, units, active layer and view.
    void SetSourceMaterial(int shape, int32_t length, int32_t base);
    void ChangeSourceMaterial(int shape, int32_t length, int32_t base);
    void SetUnits(int unit, int accuracy);
    void SetActiveLayer(int index);
    void SetActiveView(CViewServices* view);
    // A view is going away: no layer may keep pointing at it.
    void OnViewClosed(CViewServices* view);

    // Elements of all layers that lie wholly at or beyond Z length: a change to that length
    // removes them.
    int CountElementsBeyond(int32_t length) const;

    // Undo per layer; a change of the drawing's length is one step of every layer.
    void RecordUndo();
    void Undo();
    void Redo();

    std::unique_ptr<CLayer> CopyLayer(int i) const;
    void SaveAsDefault();
    void DrawSourceMaterial(CSurface& dc);
    int32_t GetMaxProfileHeight() const;
    void DebugCombineLayers();

    // Lifecycle. OnNewDocument asks the prompt for the drawing properties; false when cancelled.
    bool OnNewDocument();
    // Reads the whole document and takes the first snapshots; false (and the archive's error)
    // when the stream is damaged.
    bool OnOpenDocument(CArchive& ar);
    // A file that cannot be read leaves faultOffset alone; one that is read but is no drawing
    // sets it to the byte where the first fault lies.
    bool OnOpenDocument(const std::string& path, std::string& error, size_t* faultOffset = nullptr);
    bool OnSaveDocument(const std::string& path, std::string& error);
    void Serialize(CArchive& ar);

    // Views.
    void AddObserver(CDocObserver* observer);
    void RemoveObserver(CDocObserver* observer);
    void UpdateAllViews(bool erase);
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }
    bool IsModified() const { return m_bModified; }

    // Programs and post-processors (the post-processor layer's part).
    void SetPrograms(std::unique_ptr<CDocPrograms> programs) { m_pPrograms = std::move(programs); }
    CDocPrograms* GetPrograms() const { return m_pPrograms.get(); }

    // Services.
    const CDocServices& GetServices() const { return m_services; }
    CSettingsStore* GetSettings() const { return m_services.pSettings; }
    CMessages* GetMessages() const { return m_services.pMessages; }
    CControlBar* GetObjectBar() const { return m_services.pObjectBar; }
    CControlBar* GetLayerBar() const { return m_services.pLayerBar; }
    CControlBar* GetAidsBar() const { return m_services.pAidsBar; }
    CControlBar* GetViewBar() const { return m_services.pViewBar; }

private:
    // Slot of the active layer in m_pLayers, -1 before a document is created or loaded.
    int ActiveSlot() const;
    void SetupNewLayer(int i);
    void ReplaceActiveLayer(std::unique_ptr<CLayer> layer);
    // The newest length change can be undone (redone) when no layer has an edit of its own to
    // undo (redo) first.
    bool CanUndoLength() const;
    bool CanRedoLength() const;
    // Trades the drawing's source material, layers and histories with the step's.
    void SwapLengthState(CLengthStep& step);
    void ReadUnitsFromBar();
    CDrawingProperties InitialProperties() const;
    void LoadTail(CArchive& ar);
    void DrawPrism(CSurface& dc, CViewServices& view) const;

    CDocServices m_services;
    // Declared first so that it is destroyed after the layers.
    std::unique_ptr<CDocPrograms> m_pPrograms;
    std::array<std::unique_ptr<CLayer>, kLayerCount> m_pLayers;
    std::array<CLayerUndo, kLayerCount> m_undo;
    // Length changes done (newest last) and undone (most recently undone last).
    std::vector<std::unique_ptr<CLengthStep>> m_lengthUndo;
    std::vector<std::unique_ptr<CLengthStep>> m_lengthRedo;
    CLayer* m_pActiveLayer = nullptr;
    CViewServices* m_pActiveView = nullptr;
    int m_nAccuracy = 0;
    int m_nShape = kShapePrism;
    CRect m_rcSource;
    int m_nUnit = 1;
    bool m_bModified = false;
    std::vector<CDocObserver*> m_observers;
};
