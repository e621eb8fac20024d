// CDoubleArc: the compound element of two tangent arcs meeting at a junction point.
#pragma once

#include <memory>

#include "elements/Piece.h"

class CArc;
class CMessages;

// Lock indices of the double arc beyond the end-point locks.
enum : int { kLockJunctionZ = 9, kLockJunctionX = 10, kLockDirection = 11 };

// Typed-in flag indices of the double arc beyond the end-point flags.
enum : int { kEditedJunctionZ = 4, kEditedJunctionX = 5, kEditedDirectionZ = 6, kEditedDirectionX = 7 };

class CDoubleArc : public CPiece {
public:
    CDoubleArc() = default;
    // A curve from start through junction to end, leaving the start along direction->start.
    CDoubleArc(CPoint start, CPoint junction, CPoint end, CPoint direction, CMessages* messages = nullptr);

    const char* GetRuntimeClass() const override { return "CDoubleArc"; }
    // Writes the "DOUBLEARC" record; reading starts at the opening tag.
    void Serialize(CArchive& ar) override;

    double GetSlopeAt(int32_t z) const override;
    std::string GetInterpolationName() const override { return "OCI"; }
    int32_t GetMinY() const override;
    int32_t GetMaxY() const override;
    void ReadPropertyBar(CViewServices* view) override;
    void SetEdited(int index, int flag) override;
    int IsEdited(int index) const override;
    void ClearEdited() override;
    double GetValue(const std::string& name, int relative, int centreRelative, int forward) const override;
    double GetValueAtX(const std::string& name, int32_t step, int forward, int atPoint,
                       int32_t z) const override;
    std::string GetObjectName() const override { return "NO"; }
    int IsCompound() const override { return 1; }
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
    int GetKind() const override { return kKindDoubleArc; }
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
    std::unique_ptr<CPiece> GetPart(int index) const override;

    // The start moved to (z, x) under the locks, then the tangent window and both circles are
    // recomputed; 0 when the start is fully locked.
    int RecalcFromStart(int32_t z, int32_t x, CMessages* messages);
    // The tangent window and both circles for the current points.
    void Recompute(CMessages* messages);
    // Direction point one tenth of the length (at least 1000) left of the start, on its tangent.
    void ResetDirection();

    CPoint GetJunction() const { return m_ptJunction; }
    CPoint GetDirection() const { return m_ptDirection; }
    double GetMinAngle() const { return m_dMinAngle; }
    double GetMaxAngle() const { return m_dMaxAngle; }
    Handle JunctionHandle() const { return &m_ptJunction; }
    Handle DirectionHandle() const { return &m_ptDirection; }

    static constexpr double kPi = 3.14159265358979;

    double m_dMinAngle = -kPi / 2;
    double m_dMaxAngle = kPi / 2;
    double m_dRadius1 = 0.0;
    double m_dCenter1X = 0.0;
    double m_dCenter1Z = 0.0;
    double m_dOldRadius1 = 0.0;
    double m_dOldCenter1X = 0.0;
    double m_dOldCenter1Z = 0.0;
    int m_bUpper1 = 0;
    double m_dRadius2 = 0.0;
    double m_dCenter2X = 0.0;
    double m_dCenter2Z = 0.0;
    double m_dOldRadius2 = 0.0;
    double m_dOldCenter2X = 0.0;
    double m_dOldCenter2Z = 0.0;
    int m_bUpper2 = 0;
    CPoint m_ptDirection;
    CPoint m_ptOldDirection;
    int m_bLockDirection = 0;
    int m_bEditedDirection[2] = {0, 0};
    CPoint m_ptJunction;
    CPoint m_ptOldJunction;
    int m_bLockJunctionX = 0;
    int m_bLockJunctionZ = 0;
    int m_bEditedJunction[2] = {0, 0};

private:
    // One part's circle; radius 0 is the straight chord.
    struct CCircle {
        double dRadius;
        double dCenterZ;
        double dCenterX;
        int bUpper;
    };
    CCircle Circle(int part) const;
    void SetCircle(int part, const CCircle& c);
    void SaveOld();
    // Steps of the recomputation.
    void ComputeWindow(CMessages* messages, bool correct);
    // Moves M onto the circle over S-E (only when apply); false when M.Z lies outside it.
    bool CorrectJunction(const char* text, CMessages* messages, bool apply);
    // Limits the start tangent to the window, moving D onto the limit line; the inclination.
    double ApplyTangent();
    // D := the point of the line through S at the given inclination, reach away from S.
    void PlaceDirection(double angle, double reach);
    // Inclination of the first part's tangent at S, positive when the curve rises.
    double StartTangent() const;
    void ComputeCentres(double tangent);
    // A cut past the junction leaves a single circle: both parts take it.
    void CollapseOnto(int part, int32_t zFrom, int32_t zTo);
    // Part i (1 or 2) as an arc element built from this curve.
    std::unique_ptr<CArc> MakePart(int index) const;
    // Editing and painting (DoubleArcEdit.cpp).
    bool MoveEnd(int32_t z, int32_t x);
    bool MoveJunction(int32_t z, int32_t x);
    void ShiftZ(int64_t dz);
    void ShiftX(int64_t dx);
    void WriteJunctionFields(CViewServices* view) const;
    void PaintOverlay(CSurface& dc, CViewServices& view, const CRect& client) const;
};
