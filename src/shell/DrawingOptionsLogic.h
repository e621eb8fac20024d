// CDrawingOptionsLogic: the layer-attributes dialog's edits, backup, "Try", "Aply" and Cancel.
#pragma once

#include "elements/LayerStyle.h"

// What the dialog needs from the document it works on.
class CDrawingOptionsHost {
public:
    virtual ~CDrawingOptionsHost() = default;
    // The drawing attributes of layer index (0...5).
    virtual CLayerStyle* GetLayerStyle(int index) = 0;
    virtual int GetActiveLayerIndex() const = 0;
    virtual void SetActiveLayer(int index) = 0;
    // Every view of the document paints again with the current attributes.
    virtual void RepaintAllViews() = 0;
};

class CDrawingOptionsLogic {
public:
    static constexpr int kWidthCount = 6;
    static constexpr int kStyleCount = 5;
    static constexpr int kBrushCount = 8;
    // Brush list entries after "solid" and "null": the hatch styles in the order they are offered.
    static constexpr int kHatchOrder[6] = {3, 4, 5, 2, 0, 1};

    explicit CDrawingOptionsLogic(CDrawingOptionsHost& host);

    int GetLayer() const { return m_nLayer; }
    const CLayerStyle& Style() const { return *m_pStyle; }
    const CLayerStyle& Backup() const { return m_backup; }
    bool IsChanged() const { return m_bChanged; }

    // The list entries that show the layer's attributes.
    int WidthEntry() const { return m_pStyle->m_nPenWidth - 1; }
    int StyleEntry() const { return m_pStyle->m_nPenStyle; }
    int BrushEntry() const;

    void SelectWidth(int entry);
    // Any style but solid draws one pixel wide.
    void SelectStyle(int entry);
    void SelectBrush(int entry);
    void SetDrawEdges(int flag);
    void SetPenColor(COLORREF color);
    void SetBrushColor(COLORREF color);

    void Try();
    void Apply();
    // Gives up unapplied changes of the layer being edited and edits the chosen layer instead.
    void SwitchLayer(int index);
    void Cancel();

private:
    void Edit(int index);
    void Changed() { m_bChanged = true; }

    CDrawingOptionsHost& m_host;
    int m_nLayer = 0;
    CLayerStyle* m_pStyle = nullptr;
    CLayerStyle m_backup;
    CLayerStyle m_scratch;
    bool m_bChanged = false;
};
