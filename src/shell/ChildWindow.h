// CChildWindow: what the main frame asks of each document window it holds.
#pragma once

#include "view/ViewCommands.h"

class CShellDocument;

class CChildWindow {
public:
    virtual ~CChildWindow() = default;
    virtual CShellDocument* GetShellDocument() const = 0;
    // Runs a command; false when this window does not handle it.
    virtual bool OnCommand(int id) = 0;
    // The command's enable and check state; false when this window does not handle it.
    virtual bool GetCommandState(int id, CCommandState& state) const = 0;
    // The window became the active one.
    virtual void OnActivate() {}
    // F6 / Shift+F6: focus the next or the previous pane.
    virtual void NextPane(int step) { (void)step; }
};
