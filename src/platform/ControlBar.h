// The dialog-bar seam: a bar's controls by identifier (texts, lists, check boxes, buttons).
#pragma once

#include <functional>
#include <string>

// A bar of controls reached by identifier. Lists (drop lists, combo boxes with an edit field,
// list boxes) have entries and a selection; a combo box with an edit field also has a text
// that GetText returns (selecting an entry sets that text to the entry).
class CControlBar {
public:
    virtual ~CControlBar() = default;

    virtual std::string GetText(int id) const = 0;
    virtual void SetText(int id, const std::string& text) = 0;

    virtual int GetCheck(int id) const = 0;
    virtual void SetCheck(int id, int state) = 0;

    virtual void ResetContent(int id) = 0;
    // Appends an entry and returns its index.
    virtual int AddString(int id, const std::string& text) = 0;
    // Removes entry index; returns the remaining count, or -1 when there is no such entry.
    virtual int DeleteString(int id, int index) = 0;
    virtual int GetCount(int id) const = 0;
    virtual std::string GetEntry(int id, int index) const = 0;
    // Selects entry index (-1 clears the selection); returns the selection or -1.
    virtual int SetCurSel(int id, int index) = 0;
    virtual int GetCurSel(int id) const = 0;
    // Index of the first entry equal to text, or -1.
    virtual int FindStringExact(int id, const std::string& text) const = 0;

    virtual void Enable(int id, bool enable) = 0;
    virtual bool IsEnabled(int id) const = 0;
};

// What a control of a bar tells the bar's handler.
enum class BarNotify : int {
    Clicked,     // a button or a check box was clicked
    SelChange,   // the user chose another entry of a list
    KillFocus,   // an edit field, or the edit field of a combo box, lost the focus
    EditChange,  // the user changed the text of an edit field (or the value of its up-down control)
    Return,      // Enter was pressed in an edit field or a combo box's edit field (after KillFocus)
};

// Receives a bar's notifications: which bar, which control, what happened. Changes made through
// the CControlBar operations themselves are not notified.
using CBarHandler = std::function<void(CControlBar& bar, int id, BarNotify what)>;
