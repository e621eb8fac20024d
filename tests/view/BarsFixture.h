// A view fixture for the clipboard, bar and view-state tests: bar notifications and further views.
#pragma once

#include <memory>
#include <string>

#include "ViewFixture.h"
#include "view/ElementClipboard.h"

class BarsFixture : public ViewFixture {
protected:
    BarsFixture() {
        for (int id : {IDC_STEP_HORZ, IDC_STEP_VERT}) {
            for (const char* e : {"None", "0.1 mm", "0.2 mm", "0.5 mm", "1 mm", "2 mm", "5mm"}) {
                aidsBar.AddString(id, e);
            }
        }
        for (int id : {IDC_SNAP_MAIN, IDC_SNAP_SECONDARY}) {
            for (const char* e : {"no snap", "1 point", "3 points", "5 points", "10 points", "20 points"}) {
                aidsBar.AddString(id, e);
            }
        }
    }

    // A notification as the shell delivers it: the control has already changed.
    void Notify(CMemoryControlBar& bar, int id, BarNotify what) { view->OnBarNotify(bar, id, what); }
    void Choose(CMemoryControlBar& bar, int id, int entry) {
        bar.SetCurSel(id, entry);
        Notify(bar, id, BarNotify::SelChange);
    }
    void Click(CMemoryControlBar& bar, int id, int check) {
        bar.SetCheck(id, check);
        Notify(bar, id, BarNotify::Clicked);
    }
    void Type(CMemoryControlBar& bar, int id, const std::string& text) {
        bar.SetText(id, text);
        Notify(bar, id, BarNotify::KillFocus);
    }
    // Selects element `number` of the active layer through the object box (0 = left border).
    void SelectObject(int number) { Choose(objectBar, IDC_OBJECT, number + 1); }
    void ReadValues() { Notify(objectBar, IDC_READ_VALUES, BarNotify::Clicked); }

    // A further view with its own window, on the fixture's bars and settings.
    std::unique_ptr<CKestrovelView> MakeView(CFakeViewHost& window, CKestrovelDoc* document,
                                             CElementClipboard* clipboard = nullptr) {
        CViewContext ctx = view->GetContext();
        ctx.pDoc = document;
        ctx.pHost = &window;
        ctx.pClipboard = clipboard;
        return std::make_unique<CKestrovelView>(ctx);
    }
    void OpenWindowOf(CKestrovelView& other, CFakeViewHost& window) {
        other.OnInitialUpdate();
        other.OnSize(kSizeRestored, 1200, 600);
        other.OnPaint(window.m_window);
        window.Pump(other);
    }
};
