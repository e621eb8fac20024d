// CClipboardCommands: Copy, Cut, Paste and Delete of profile stretches, and Undo and Redo of the
// active layer.
#pragma once

#include <cstdint>

#include "view/ViewCommands.h"

class CKestrovelView;
class CLayer;

class CClipboardCommands {
public:
    explicit CClipboardCommands(CKestrovelView& view) : m_view(view) {}

    // The six edit commands; false for any other id.
    bool OnCommand(int id);
    bool GetCommandState(int id, CCommandState& state) const;

    void Copy();
    void Cut();
    void Paste();
    // Cut without the clipboard: the stretch becomes a line at the top of the stock.
    void Delete();
    void Undo();
    void Redo();

private:
    // Fills the clipboard from the active element or the range; false when nothing was copied.
    bool FillClipboard(CLayer& layer);
    // Replaces the copied span of the active layer by a line at the top of the stock.
    void RemoveStretch();
    void CopyStretch(CLayer& layer, int32_t lo, int32_t hi);
    // The axial span that Copy took: the range's, or the active element's.
    bool CopiedSpan(int32_t& lo, int32_t& hi) const;
    // After an undo or redo: a length change undone or redone refits the view.
    void FollowLength(int32_t lengthBefore);

    CKestrovelView& m_view;
};
