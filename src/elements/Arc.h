// CArc: the circular element of a profile, a single-valued arc of a circle above the axis.
#pragma once

#include <vector>

#include "elements/Piece.h"

class CMessages;
struct CStripCorners;

// Lock indices of the arc beyond the end-point locks.
enum : int { kLockCenterZ = 4, kLockCenterX = 5, kLockRadius = 6 };

// Typed-in flag indices of the arc beyond the end-point flags.
enum : int { kEditedCenterZ = 4, kEditedCenterX = 5, kEditedRadius = 6, kEditedMidZ = 7, kEditedMidX = 8 };

class CArc : public CPiece {
public:
    CArc() = default;
    // Copies every member except the typed-in flags, which start cleared.
    CArc(const CArc& other);
    CArc& operator=(const CArc& other);
    // Conversion from any other element through its ends and its point at the middle Z. The
    // tangent-point message of FitToAxis goes to messages (null: no message is shown).
    explicit CArc(const CPiece& src, CMessages* messages = nullptr);
    // An arc from start to end passing through a third point (straight when they are collinear).
    CArc(CPoint start, CPoint end, CPoint through, CMessages* messages = nullptr);

    const char* GetRuntimeClass() const override { return "CArc"; }
    // Writes the "ARC" record; reading starts at the opening tag.
    void Serialize(CArchive& ar) override;

    double GetSlopeAt(int32_t z) const override;
    std::string GetInterpolationName() const override { return "OCI"; }
    double GetStartSlope() const override;
    double GetEndSlope() const override;
    int32_t GetMinY() const override;
    int32_t GetMaxY() const override;
    void ReadPropertyBar(CViewServices* view) override;
    void SetEdited(int index, int flag) override;
    int IsEdited(int index) const override;
    void ClearEdited() override;
    double GetValue(const std::string& name, int relative, int centreRelative, int forward) const override;
    double GetValueAtX(const std::string& name, int32_t step, int forward, int atPoint, int32_t z) const override;
    std::string GetObjectName() const override { return m_bCcw ? "Ccw" : "Cw"; }
    int IsCompound() const override { return 0; }
    void MirrorAt(int32_t a) override;
    int GetLock(int index) const override;
    int DrawMoveFeedback(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom,
                         int32_t dz, int32_t dx) override;
    CPoint GetHandle(Handle which) const override;
    void CutEndAt(int32_t z, CViewServices* view) override;
    void CutStartAt(int32_t z, CViewServices* view) override;
    void SetLock(int index, int flag) override;
    void Move(int32_t dz, int32_t dx, CViewServices* view) override;
    void Turn(CViewServices* view) override;
    void Mirror(CViewServices* view) override;
    int GetKind() const override { return kKindArc; }
    void FillPropertyBar(CViewServices* view) override;
    std::string GetLabel() const override;
    void SetHandle(Handle which, int32_t z, int32_t x, CViewServices* view) override;
    Handle HitTestHandle(int px, int py, CViewServices* view, int tolerance) const override;
    std::unique_ptr<CPiece> Clone() const override;
    CPoint DrawSelected(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom) override;
    CPoint DrawDragFeedback(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom,
                            Handle which) override;
    std::unique_ptr<CPiece> CreatePart(int32_t z1, int32_t z2) const override;
    int32_t GetYAt(int32_t z) const override;
    CPixelRows Draw(CSurface& dc, CViewServices* view, const CLayerStyle& style, CPixelRows prev) override;
    void UpdateBounds() override;
    int SetEnd(int32_t z, int32_t x) override;
    int SetStart(int32_t z, int32_t x) override;

    // Circle through start, end and p with the direction from p's side of the chord; false
    // (and the arc straight) when the three points are collinear.
    bool CircleThrough(CPoint p);
    // Keeps the arc single-valued above the axis, refitting a lower arc tangent to the axis when
    // its circle would cut it inside the span.
    void FitToAxis(CMessages* messages);
    // Mid point := where the perpendicular to the chord through the centre meets the arc.
    void UpdateMidPoint();
    // Direction from the side of the chord on which the centre lies (used by the double arc).
    void UpdateDirection();

    // Editing under the lock rules; the messages sink receives FitToAxis's message.
    void SetStartKeepingArc(int32_t a, int32_t b, CMessages* messages = nullptr);
    void SetEndKeepingArc(int32_t a, int32_t b, CMessages* messages = nullptr);
    void SetCenter(int32_t a, int32_t b, CMessages* messages = nullptr);
    void SetMidPoint(int32_t a, int32_t b, CMessages* messages = nullptr);

    // Plain setters and readers.
    void SetCenterPoint(CPoint center);
    void SetMid(CPoint mid);
    void SetRadius(int32_t radius) { m_nRadius = radius; }
    void SetCircle(double centerZ, double centerX, double radius);
    void SetCcw(int ccw) { m_bCcw = ccw; }
    int GetCcw() const { return m_bCcw; }
    CPoint GetMid() const { return m_ptMid; }
    CPoint GetCenter() const { return m_ptCenter; }
    int32_t GetRadius() const { return m_nRadius; }
    double GetExactRadius() const { return m_dRadius; }
    double GetExactCenterZ() const { return m_dCenterX; }
    double GetExactCenterX() const { return m_dCenterY; }
    // Rounded members from the doubles, or zero when the circle leaves the model range (a
    // circle that is not finite makes the arc straight).
    void ApplyOverflowGuard();
    // Straight: no usable circle (radius 0, or one beyond the model range).
    bool IsStraight() const { return m_nRadius == 0; }

    // Paints the arc's upper contour, or its mirror image below the axis, with the current pen.
    void DrawContour(CSurface& dc, const CViewServices& view, bool lower) const;

    Handle CenterHandle() const { return &m_ptCenter; }
    Handle MidHandle() const { return &m_ptMid; }

    // Members in declaration order. "X" is the axial (Z) coordinate, "Y" the radial (X) one.
    double m_dRadius = 0.0;
    double m_dCenterY = 0.0;
    double m_dCenterX = 0.0;
    double m_dOldRadius = 0.0;
    double m_dOldCenterY = 0.0;
    double m_dOldCenterX = 0.0;
    int32_t m_nOldRadius = 0;
    CPoint m_ptOldMid;
    CPoint m_ptOldCenter;
    CPoint m_ptCenter;
    int m_bCcw = 0;
    int m_bLockCenterY = 0;  // lock 5
    int m_bLockCenterX = 0;  // lock 4
    int m_bLockRadius = 0;   // lock 6
    CPoint m_ptMid;
    int m_bEditedArc[5] = {0, 0, 0, 0, 0};  // typed-in flags 4...8
    int32_t m_nRadius = 0;

private:
    void MakeStraight();
    void SaveOld();
    void Revert();
    void CopyFrom(const CArc& other);
    // The two editing end roles share one implementation (ArcEdit.cpp).
    struct EndRole;
    void SetEndpointKeepingArc(const EndRole& role, int32_t a, int32_t b, CMessages* messages);
    bool KeepRadius(const EndRole& role, int32_t a, int32_t b, CMessages* messages);
    bool KeepCenter(const EndRole& role, int32_t a, int32_t b, CMessages* messages);
    bool SlideOnCircle(const EndRole& role, int32_t a);
    // Centre on the chord's bisector at distance r, on the side away from the bulge.
    bool CenterAtRadius();
    // The mid point with both coordinates rounded (true) or truncated (false).
    void ComputeMidPoint(bool rounded);
    void WriteCircleFields(CViewServices* view, bool startOrEnd);
    void ShiftZ(int64_t dz);
    void ShiftX(int64_t dx);

    // Painting (ArcPaint.cpp).
    // Pixel box of the circle (mirror: of its image below the axis), each side clamped.
    CRect CircleBox(const CViewServices& view, bool mirror) const;
    // The painted area of an upper arc: strip and segments along both sampled contours.
    std::vector<CPoint> UpperArea(const CViewServices& view, const CStripCorners& corners) const;
    void PaintOverlay(CSurface& dc, CViewServices& view, const CRect& client) const;
};
