// CSelection: the range element marking a stretch of the active layer between two markers.
#pragma once

#include <vector>

#include "elements/Piece.h"

class CPieceChain;

// Marker choice for PlaceMarker.
enum : int { kMarkerEnd = 0, kMarkerStart = 1 };

class CSelection : public CPiece {
public:
    CSelection();
    CSelection(int32_t startZ, int32_t startX, int32_t endZ, int32_t endX);
    explicit CSelection(const CPiece& src);

    const char* GetRuntimeClass() const override { return "CSelection"; }
    // Written as the "SELECTION" record; the layer never reads one back.
    void Serialize(CArchive& ar) override;

    double GetSlopeAt(int32_t z) const override;
    int32_t GetMinY() const override;
    int32_t GetMaxY() const override;
    int GetLock(int index) const override;
    void SetLock(int index, int flag) override;
    int DrawMoveFeedback(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom,
                         int32_t dz, int32_t dx) override;
    CPoint GetHandle(Handle which) const override;
    void CutEndAt(int32_t z, CViewServices* view) override;
    void CutStartAt(int32_t z, CViewServices* view) override;
    void Move(int32_t dz, int32_t dx, CViewServices* view) override;
    void Turn(CViewServices* view) override;
    void Mirror(CViewServices* view) override;
    int GetKind() const override { return kKindArc; }
    void FillPropertyBar(CViewServices* view) override;
    std::string GetLabel() const override;
    Handle HitTestHandle(int, int, CViewServices*, int) const override { return nullptr; }
    std::unique_ptr<CPiece> Clone() const override;
    CPoint DrawSelected(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom) override;
    CPoint DrawDragFeedback(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom,
                            Handle which) override;
    std::unique_ptr<CPiece> CreatePart(int32_t, int32_t) const override { return nullptr; }
    int32_t GetYAt(int32_t z) const override;
    void UpdateBounds() override;
    int SetEnd(int32_t z, int32_t x) override;
    int SetStart(int32_t z, int32_t x) override;

    // Places the start (kMarkerStart) or end (kMarkerEnd) marker, clamped into the drawing.
    void PlaceMarker(CViewServices* view, int32_t z, int32_t x, int which);
    bool IsComplete() const { return m_bStartPlaced && m_bEndPlaced; }
    void SwapEnds() { std::swap(m_ptStart, m_ptEnd); }
    CPieceChain* GetAttachedLayer() const { return m_pLayer; }
    void SetAttachedLayer(CPieceChain* layer) { m_pLayer = layer; }
    // Keeps a produced element only when it reaches into the drawing, cut to [0, length].
    static bool ClipToDrawing(std::unique_ptr<CPiece>& piece, CViewServices* view);

    CPieceChain* m_pLayer = nullptr;
    int m_bEndPlaced = 0;
    int m_bStartPlaced = 0;

private:
    // Copies of the attached layer's elements over [lo, hi], the outer ones cut to it.
    std::vector<std::unique_ptr<CPiece>> CopyStretch(int32_t lo, int32_t hi, CViewServices* view) const;
    void AddToLayer(std::unique_ptr<CPiece> piece, CViewServices* view, int redraw) const;
    // Marker painting (SelectionDraw.cpp).
    void DrawMarkers(CSurface& dc, CViewServices* view, int right, int bottom, bool positiveLength) const;
    void Redraw(CSurface& dc, CViewServices* view, const CRect& client, bool positiveLength);
};
