// CPiece: the common base and interface of every profile element.
#pragma once

#include <memory>
#include <string>

#include "platform/Archive.h"
#include "platform/Geometry.h"
#include "platform/Messages.h"
#include "platform/Surface.h"

class CViewServices;
class CLayerStyle;

// Pixel rows (lower contour, upper contour) where an element's painting ended.
struct CPixelRows {
    int nLower = 0;
    int nUpper = 0;
    constexpr bool operator==(const CPixelRows&) const = default;
    constexpr bool IsZero() const { return nLower == 0 && nUpper == 0; }
};

// A handle designates one of an element's point members by its address; null is none.
using Handle = const CPoint*;

// Element kinds answered by GetKind.
enum : int { kKindLine = 0, kKindBorder = 1, kKindArc = 2, kKindDoubleArc = 3 };

// Lock indices.
enum : int { kLockStartZ = 0, kLockStartX = 1, kLockEndZ = 2, kLockEndX = 3 };

// "3D Leave" markers.
constexpr int32_t kLeaveNone = -5;
constexpr int32_t kLeaveCurrent = -2;

class CPiece {
public:
    CPiece() = default;
    CPiece(const CPiece&) = default;
    CPiece& operator=(const CPiece&) = default;

    // Slots 0-4: class identity, destruction, persistence, diagnostics.
    virtual const char* GetRuntimeClass() const { return "CPiece"; }
    virtual ~CPiece() = default;
    virtual void Serialize(CArchive& ar) { (void)ar; }
    // Diagnostics: a consistency check and a dump of the members to the debug traces.
    virtual void AssertValid() const {}
    virtual void Dump(CMessages& traces) const { (void)traces; }

    // Slots 5-42 in vtable order.
    virtual double GetSlopeAt(int32_t x) const;
    virtual std::string GetInterpolationName() const { return ""; }
    virtual double GetStartSlope() const { return 0.0; }
    virtual double GetEndSlope() const { return 0.0; }
    virtual int32_t GetMinY() const { return 0; }
    virtual int32_t GetMaxY() const { return 0; }
    virtual void ReadPropertyBar(CViewServices* view) { (void)view; }
    virtual void SetEdited(int index, int flag) { (void)index, (void)flag; }
    virtual int IsEdited(int index) const { (void)index; return 1; }
    virtual void ClearEdited() {}
    // Post-processor value by variable name; forward = the element is run from start to end.
    virtual double GetValue(const std::string& name, int relative, int centreRelative, int forward) const;
    virtual double GetValueAtX(const std::string& name, int32_t step, int forward, int atPoint,
                               int32_t x) const;
    virtual std::string GetObjectName() const { return ""; }
    virtual int IsCompound() const { return 0; }
    virtual void MirrorAt(int32_t x) { (void)x; }
    virtual int GetLock(int index) const { (void)index; return 0; }
    virtual int DrawMoveFeedback(CSurface& dc, CViewServices* view, int left, int top, int right,
                                 int bottom, int32_t dx, int32_t dy);
    virtual CPoint GetHandle(Handle which) const { (void)which; return {}; }
    virtual void CutEndAt(int32_t x, CViewServices* view) { (void)x, (void)view; }
    virtual void CutStartAt(int32_t x, CViewServices* view) { (void)x, (void)view; }
    virtual void SetLock(int index, int flag) { (void)index, (void)flag; }
    virtual void Move(int32_t dx, int32_t dy, CViewServices* view) { (void)dx, (void)dy, (void)view; }
    virtual void Turn(CViewServices* view) { (void)view; }
    virtual void Mirror(CViewServices* view) { (void)view; }
    virtual int GetKind() const { return kKindLine; }
    virtual void FillPropertyBar(CViewServices* view) { (void)view; }
    virtual std::string GetLabel() const { return ""; }
    virtual void SetHandle(Handle which, int32_t x, int32_t y, CViewServices* view) {
        (void)which, (void)x, (void)y, (void)view;
    }
    virtual Handle HitTestHandle(int px, int py, CViewServices* view, int tolerance) const {
        (void)px, (void)py, (void)view, (void)tolerance;
        return nullptr;
    }
    virtual std::unique_ptr<CPiece> Clone() const { return nullptr; }
    virtual CPoint DrawSelected(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom) {
        (void)dc, (void)view, (void)left, (void)top, (void)right, (void)bottom;
        return {};
    }
    virtual CPoint DrawDragFeedback(CSurface& dc, CViewServices* view, int left, int top, int right,
                                    int bottom, Handle which) {
        (void)dc, (void)view, (void)left, (void)top, (void)right, (void)bottom, (void)which;
        return {};
    }
    virtual std::unique_ptr<CPiece> CreatePart(int32_t x1, int32_t x2) const { (void)x1, (void)x2; return nullptr; }
    virtual int32_t GetYAt(int32_t x) const { (void)x; return 0; }
    virtual CPixelRows Draw(CSurface& dc, CViewServices* view, const CLayerStyle& style, CPixelRows prev) {
        (void)dc, (void)view, (void)style;
        return prev;
    }
    virtual void UpdateBounds() {}
    virtual int SetEnd(int32_t x, int32_t y) { (void)x, (void)y; return 1; }
    virtual int SetStart(int32_t x, int32_t y) { (void)x, (void)y; return 1; }

    // Parts of a compound element, numbered from 1; none past the last or for simple kinds.
    virtual std::unique_ptr<CPiece> GetPart(int index) const { (void)index; return nullptr; }

    // Non-virtual operations shared by all kinds.
    CPoint GetStart() const { return m_ptStart; }
    CPoint GetEnd() const { return m_ptEnd; }
    int32_t GetFeed() const { return m_nFeed; }
    void SetFeed(int32_t v) { m_nFeed = v; }
    int32_t GetSpeed() const { return m_nSpeed; }
    void SetSpeed(int32_t v) { m_nSpeed = v; }
    int32_t GetLeave() const { return m_nLeave; }
    void SetLeave(int32_t v) { m_nLeave = v; }
    int GetNumber() const { return m_nNumber; }
    int SetNumber(int n) {
        m_nNumber = n;
        return 1;
    }
    void SetProcessed(int flag) { m_bProcessed = flag; }
    int IsProcessed() const { return m_bProcessed; }
    bool ContainsX(int32_t x) const { return m_ptStart.x <= x && x <= m_ptEnd.x; }
    void LockX() { m_bLockStartX = m_bLockEndX = 1; }
    void UnlockX() { m_bLockStartX = m_bLockEndX = 0; }
    CRect GetBounds() const { return m_rcBounds; }
    CPoint GetOldStart() const { return m_ptOldStart; }
    CPoint GetOldEnd() const { return m_ptOldEnd; }

    // The four end-point locks by lock index 0...3 (start Z, start X, end Z, end X); null for
    // any other index. The kinds map their own further indices themselves.
    int* EndLock(int index);
    const int* EndLock(int index) const { return const_cast<CPiece*>(this)->EndLock(index); }

    // Bounds from the start Z to the end Z, up to top and mirrored down to -top.
    void SetBoundsUpTo(int32_t top) { m_rcBounds = CRect(m_ptStart.x, top, m_ptEnd.x, -top); }
    // Bounds of the straight segment between the two end points.
    void SetChordBounds() { SetBoundsUpTo(m_ptStart.y > m_ptEnd.y ? m_ptStart.y : m_ptEnd.y); }

    // Copies what every copy of an element carries: number, feed, speed, 3D leave and the
    // four end-point locks.
    void CopyAttributesTo(CPiece& copy) const;

    // A copy of element src cut to x1...x2 through its own cut operations; none when x2 < x1.
    template <class T>
    static std::unique_ptr<CPiece> CutCopy(const T& src, int32_t x1, int32_t x2) {
        if (x2 < x1) {
            return nullptr;
        }
        auto part = std::make_unique<T>(src);
        part->CutStartAt(x1, nullptr);
        part->CutEndAt(x2, nullptr);
        part->UpdateBounds();
        return part;
    }

    // Empties the object bar's point fields, resets its lists and clears the seven lock boxes.
    static void ClearPropertyBar(CViewServices* view);

    // The record pieces every kind writes: the four locks in file order (end Z, end X, start Z,
    // start X), then leave, feed, speed and number, then the two end points.
    void SerializeLocks(CArchive& ar);
    void SerializeCommon(CArchive& ar);

    // Handles of the two end points.
    Handle StartHandle() const { return &m_ptStart; }
    Handle EndHandle() const { return &m_ptEnd; }

    int m_bProcessed = 0;
    int32_t m_nLeave = kLeaveNone;
    // Note the member names: "X" is the axial (Z) lock and "Y" the radial (X) lock.
    int m_bLockStartY = 0;  // lock 1
    int m_bLockStartX = 0;  // lock 0
    int m_bLockEndY = 0;    // lock 3
    int m_bLockEndX = 0;    // lock 2
    int m_bEdited[4] = {0, 0, 0, 0};
    int m_nNumber = 0;
    int32_t m_nFeed = -1;
    int32_t m_nSpeed = -1;
    CRect m_rcBounds;
    CPoint m_ptEnd;
    CPoint m_ptStart;
    CPoint m_ptOldEnd;
    CPoint m_ptOldStart;
};
