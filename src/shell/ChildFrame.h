// CChildFrame: the MDI child window of a drawing, holding its drawing window.
#pragma once

#include <QMdiSubWindow>

#include "shell/ChildWindow.h"
#include "view/ViewContext.h"

class CDrawingWindow;
class CKestrovelApp;

class CChildFrame : public QMdiSubWindow, public CChildWindow {
    Q_OBJECT
public:
    CChildFrame(CKestrovelApp& app, CShellDocument& doc, const CViewContext& context);

    CDrawingWindow& Drawing() const { return *m_pDrawing; }

    CShellDocument* GetShellDocument() const override { return m_pDoc; }
    bool OnCommand(int id) override;
    bool GetCommandState(int id, CCommandState& state) const override;
    void OnActivate() override;

    // Commands the drawing view answers itself.
    static bool IsViewCommand(int id);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Print();
    void PrintPreview();

    CKestrovelApp& m_app;
    CShellDocument* m_pDoc;
    CDrawingWindow* m_pDrawing;
};
