// CEditingTools: the editing commands of the view and the life of its active element and range.
#pragma once

#include <memory>

#include "view/ViewCommands.h"

class CKestrovelView;
class CPiece;
class CSelection;
struct CEditState;

class CEditingTools {
public:
    explicit CEditingTools(CKestrovelView& view) : m_view(view) {}

    // Commands of the editing tool bar; false for ids that are not editing commands.
    bool OnCommand(int id);
    bool GetCommandState(int id, CCommandState& state) const;

    void SelectTool();
    void RangeTool();
    void CreatingTool(int kind);
    void MoveTool();
    void MirrorOrTurn(bool mirror);
    void Ok();
    void Back();

    void Apply(int recordUndo);
    void Discard();
    void Reset();

    // Turns the completed range into an element of the active creating tool's kind; false when
    // the tool makes nothing of it (the range stays).
    bool FinishRange(bool apply);

    // Ownership of the working copy: a plain element, or a selection that is also the range.
    // Bar edits belong to the copy they were made on: a new one starts with none.
    void SetActive(std::unique_ptr<CPiece> piece);
    void SetActiveRange(std::unique_ptr<CSelection> range);
    void DestroyActive();

private:
    CEditState& State();
    const CEditState& State() const;
    // After apply or Back: range mode when range selection is chosen, else idle.
    void ReturnToSelectionMode();
    // Mirror or Turn of a range changes the layer itself; it is recorded like any other edit.
    void RecordRangeEdit();
    std::unique_ptr<CPiece> MakeFromRange(const CSelection& range) const;

    CKestrovelView& m_view;
};
