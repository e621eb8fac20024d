// CBorder: the straight stub that closes a layer's profile at its left or right end.
#pragma once

#include "elements/Piece.h"

// Only the outer end of a border is free: the start of a left border, the end of a right one.
// The other end is the joint with the profile, whose axial position the layer owns.
class CBorder : public CPiece {
public:
    CBorder() = default;
    CBorder(CPoint start, CPoint end);
    // A border with its side: number 0 for a left border, -1 for a right one.
    CBorder(CPoint start, CPoint end, int left);

    const char* GetRuntimeClass() const override { return "CBorder"; }
    void Serialize(CArchive& ar) override;

    double GetSlopeAt(int32_t x) const override;
    int32_t GetMinY() const override;
    int32_t GetMaxY() const override;
    double GetValue(const std::string& name, int relative, int centreRelative, int forward) const override;
    std::string GetObjectName() const override { return "line"; }
    int IsCompound() const override { return 0; }
    CPoint GetHandle(Handle which) const override;
    void SetLock(int index, int flag) override;
    int GetKind() const override { return kKindBorder; }
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

    // The border's own operations.
    void SetLeft(int left) { m_bLeft = left; }
    int IsLeft() const { return m_bLeft; }
    // Adds dx to both axial coordinates (the profile's end moved).
    void ShiftX(int32_t dx);
    // Clone with its own type.
    std::unique_ptr<CBorder> CloneBorder() const;

    int m_bLeft = 0;

private:
    void CopyAttributesTo(CBorder& copy) const;
    void PaintOverlay(CSurface& dc, CViewServices& view, const CRect& client) const;
};
