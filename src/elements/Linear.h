// CLinear: the straight element of a profile.
#pragma once

#include "elements/Piece.h"

class CLinear : public CPiece {
public:
    CLinear() = default;
    CLinear(CPoint start, CPoint end);
    CLinear(int32_t x1, int32_t y1, int32_t x2, int32_t y2) : CLinear(CPoint{x1, y1}, CPoint{x2, y2}) {}
    // Conversion from any other element (the line tool): points, old points, attributes, locks.
    explicit CLinear(const CPiece& src);

    const char* GetRuntimeClass() const override { return "CLinear"; }
    void Serialize(CArchive& ar) override;

    double GetSlopeAt(int32_t x) const override;
    std::string GetInterpolationName() const override { return "line"; }
    double GetStartSlope() const override;
    double GetEndSlope() const override;
    int32_t GetMinY() const override;
    int32_t GetMaxY() const override;
    void ReadPropertyBar(CViewServices* view) override;
    void SetEdited(int index, int flag) override;
    int IsEdited(int index) const override;
    void ClearEdited() override;
    double GetValue(const std::string& name, int relative, int centreRelative, int forward) const override;
    double GetValueAtX(const std::string& name, int32_t step, int forward, int atPoint, int32_t x) const override;
    std::string GetObjectName() const override { return "line"; }
    int IsCompound() const override { return 0; }
    void MirrorAt(int32_t x) override;
    int GetLock(int index) const override;
    int DrawMoveFeedback(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom,
                         int32_t dx, int32_t dy) override;
    CPoint GetHandle(Handle which) const override;
    void CutEndAt(int32_t x, CViewServices* view) override;
    void CutStartAt(int32_t x, CViewServices* view) override;
    void SetLock(int index, int flag) override;
    void Move(int32_t dx, int32_t dy, CViewServices* view) override;
    void Turn(CViewServices* view) override;
    void Mirror(CViewServices* view) override;
    int GetKind() const override { return kKindLine; }
    void FillPropertyBar(CViewServices* view) override;
    std::string GetLabel() const override;
    void SetHandle(Handle which, int32_t x, int32_t y, CViewServices* view) override;
    Handle HitTestHandle(int px, int py, CViewServices* view, int tolerance) const override;
    std::unique_ptr<CPiece> Clone() const override;
    CPoint DrawSelected(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom) override;
    CPoint DrawDragFeedback(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom,
                            Handle which) override;
    std::unique_ptr<CPiece> CreatePart(int32_t x1, int32_t x2) const override;
    int32_t GetYAt(int32_t x) const override;
    CPixelRows Draw(CSurface& dc, CViewServices* view, const CLayerStyle& style, CPixelRows prev) override;
    void UpdateBounds() override;
    int SetEnd(int32_t x, int32_t y) override;
    int SetStart(int32_t x, int32_t y) override;

    // The line's integer contour formula between two points, shared by the kinds that fall
    // back to a straight segment: -1 outside [a.x, b.x], the ends exactly, else the truncated
    // slope form (computed in 64 bits with the same truncations).
    static int32_t LineYAt(CPoint a, CPoint b, int32_t x);

private:
    // The overlay of DrawSelected; every feedback step recomposes it whole.
    void PaintOverlay(CSurface& dc, CViewServices& view, const CRect& client) const;
};
