// CLayer: one profile, an ordered chain of elements between a left and a right border.
#pragma once

#include <cstdint>
#include <list>
#include <memory>

#include "document/ChainSearch.h"
#include "elements/Border.h"
#include "elements/LayerStyle.h"
#include "elements/Piece.h"
#include "elements/PieceChain.h"

class CArchive;
class CControlBar;
class CKestrovelDoc;
class CMessages;
class CSettingsStore;
class CSurface;
class CViewServices;

// The corner lengths CutCorner actually used.
struct CCornerCut {
    int32_t h = 0;
    int32_t l = 0;
    bool operator==(const CCornerCut&) const = default;
};

// Editing keeps the chain ascending, contiguous, connected to both borders and numbered 1...n
// (left border 0, right border -1). A loaded file is trusted. Document and view are plain
// back pointers; both may be null (tests, the command-line tool).
class CLayer : public CPieceChain {
public:
    static constexpr int kLayerCount = 6;
    static constexpr int kVisibilityCount = 7;

    CLayer();
    // Deep copy: the undo snapshot and the post-processor's working copy.
    CLayer(const CLayer& other);
    CLayer& operator=(const CLayer&) = delete;
    ~CLayer() override;

    const char* GetRuntimeClass() const { return "CLayer"; }

    // Set-up.
    void SetIndex(int index) { m_nIndex = index; }
    void SetDocument(CKestrovelDoc* doc) { m_pDoc = doc; }
    // A null view is ignored.
    void SetView(CViewServices* view);
    void ResetVisibility();
    void CreateBorders(int32_t left, int32_t top, int32_t right);
    void AddLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void SetDefaultStyle(int index) { m_style.SetDefault(index); }
    // Section "Layer n" of the store.
    void SaveProfile(CSettingsStore& store, int n) const;
    void LoadProfile(const CSettingsStore& store, int n);

    // Queries.
    int GetIndex() const { return m_nIndex; }
    int GetDirection() const { return m_nDirection; }
    int GetNextNumber() const { return m_nNextNumber; }
    CPieceList& GetPieces() { return m_pieces; }
    const CPieceList& GetPieces() const { return m_pieces; }
    CBorder* GetLeftBorder() const { return m_pLeftBorder.get(); }
    CBorder* GetRightBorder() const { return m_pRightBorder.get(); }
    CKestrovelDoc* GetDocument() const { return m_pDoc; }
    CViewServices* GetView() const { return m_pView; }
    CPiece* FindAt(int32_t x) const override;
    CPiece* FindAtStrict(int32_t x) const;
    CPiece* FindByNumber(int n) const;
    // An empty layer answers 0 (no element owns x).
    int32_t GetYAt(int32_t x) const override;
    double GetSlopeAt(int32_t x) const override;
    int32_t GetMaxY() const;
    int IsVisible(int i) const { return i >= 0 && i < kVisibilityCount ? m_bVisible[i] : 0; }
    void SetVisible(int i, int flag);
    int GetActiveInFront() const { return m_bActiveInFront; }
    void SetActiveInFront(int flag) { m_bActiveInFront = flag; }
    CLayerStyle& GetStyle() { return m_style; }
    const CLayerStyle& GetStyle() const { return m_style; }
    // Axial length of the drawing: the document's, else the view's, else the right border's start.
    int32_t GetDrawingLength() const;

    // Editing.
    void AddPiece(std::unique_ptr<CPiece> piece, int redraw) override;
    // Elements starting at or beyond Z length (those a cut to that length removes).
    int CountPiecesFrom(int32_t length) const;
    // Many insertions as one: between Begin and End, AddPiece only inserts; End numbers the
    // chain, fills the object list and marks the document once. Nested pairs count.
    void BeginInsertBatch() { ++m_nBatch; }
    void EndInsertBatch();
    void ChangeLength(int32_t newLength, int32_t oldLength, int32_t height);
    // Keeps a pasted piece only when it reaches into the drawing, cut to it; false when dropped.
    bool ClipToLength(std::unique_ptr<CPiece>& piece, CViewServices* view) const;
    void ConnectBorders();
    int Renumber();

    // Layer bar and object bar.
    void UpdateLayerBar();
    void UpdateVisibilityChecks();
    void UpdateDirectionChecks();
    void ToggleVisibility(int i);
    void ReadActiveInFront();
    void SetDirection(int direction) { m_nDirection = direction; }
    void FillObjectCombo();
    void SelectObjectInCombo(int number);

    // Painting.
    void DrawAll(CSurface& dc, CViewServices* view);
    void DrawProfile(CSurface& dc, CViewServices* view);

    // Post-processor support: chain walks and profile transformations on working copies.
    CPiece* BeginWalk(int forward);
    CPiece* NextInWalk(int forward);
    CPiece* GetWalkEndBorder(int forward) const;
    void ExpandCompound();
    void InsertStepLines(int forward);
    void AddBordersAsLines();
    void SplitAt(int32_t x);
    void CombineProfiles(CLayer& other, int32_t offset, int forward, int32_t size1, int32_t size2);
    CCornerCut CutCorner(int32_t x, int32_t h, int32_t l, int withStep);

    // The layer record; loading fails the archive on a kind tag it cannot read.
    void Serialize(CArchive& ar);

    // Forgets the view (it is being closed); SetView ignores null.
    void DetachView() { m_pView = nullptr; }

private:
    using Pos = CPieceList::iterator;

    CControlBar* GetObjectBar() const;
    CControlBar* GetLayerBar() const;
    CMessages* GetMessages() const;
    void ShowError(const char* text) const;
    void UpdateViews(bool erase) const;
    void MarkModified() const;
    // Insertion keeping the chain free of overlaps (LayerInsert.cpp).
    void InsertPiece(std::unique_ptr<CPiece> piece);
    bool LocateStart(int32_t s, Pos& at, char& kind);
    bool LocateEnd(int32_t e, Pos& at, char& kind);
    // Destroys the elements from first up to, not including, stop (never past the list's end).
    void EraseUpTo(Pos first, Pos stop);
    Pos FindPosAtStrict(int32_t x);
    // The cuts of a combining pass, each searching from where the last one ended.
    void SplitAt(int32_t x, CChainSearch& search);
    CCornerCut CutCorner(int32_t x, int32_t h, int32_t l, int withStep, CChainSearch& search);
    void CombineForward(CLayer& other, int32_t offset, int32_t size1, int32_t size2);
    void CombineBackward(CLayer& other, int32_t offset, int32_t size1, int32_t size2);
    // One corner of CombineProfiles; false when the pair needs no cut. nextLeft / nextRight:
    // where a forward / backward walk goes on.
    bool CombineCorner(CLayer& other, CChainSearch& search, int32_t offset, Pos s, Pos r, int32_t size1,
                       int32_t size2, Pos& nextLeft, Pos& nextRight);
    void LoadPieces(CArchive& ar);

    int m_bWalkForward = 1;
    CPieceList::iterator m_posWalk;
    std::unique_ptr<CBorder> m_pLeftBorder;
    std::unique_ptr<CBorder> m_pRightBorder;
    int m_bActiveInFront = 1;
    int m_nDirection = 1;
    int m_nNextNumber = 0;
    int m_nBatch = 0;
    int m_nIndex = 0;
    CViewServices* m_pView = nullptr;
    CKestrovelDoc* m_pDoc = nullptr;
    CPieceList m_pieces;
    int m_bVisible[kVisibilityCount] = {0, 0, 0, 0, 0, 0, 0};
    CLayerStyle m_style;
};
