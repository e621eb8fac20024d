// CChildProcFrame: the CNC programming window: form on top, command list and code view below.
#pragma once

#include <QMdiSubWindow>
#include <QString>
#include <cstdint>
#include <vector>

#include "shell/ChildWindow.h"
#include "shell/QtControlBar.h"

class CKestrovelApp;
class CPreProcesorEdit;
class CPreProcesorProgram;
class CPreProcesorView;
class CProgram;
class CProgramList;
class CToolpathPane;
class QSplitter;

class CChildProcFrame : public QMdiSubWindow, public CChildWindow {
    Q_OBJECT
public:
    // Room for the re-edit panel of a command with nine parameters and a line of help.
    static constexpr int kFormHeight = 272;

    CChildProcFrame(CKestrovelApp& app, CShellDocument& doc);
    ~CChildProcFrame() override;

    // The form's first update: lists filled, the active program (or a new one) shown.
    void InitialUpdate();

    CQtControlBar& Bar() { return m_bar; }
    CPreProcesorView& FormView() const { return *m_pForm; }
    CPreProcesorProgram& ProgramView() const { return *m_pProgram; }
    CPreProcesorEdit& CodeView() const { return *m_pCode; }
    CToolpathPane& ToolpathPane() const { return *m_pToolpath; }
    QSplitter* OuterSplitter() const { return m_pOuter; }
    QSplitter* InnerSplitter() const { return m_pInner; }
    CProgramList* Programs() const;

    CShellDocument* GetShellDocument() const override { return m_pDoc; }
    bool OnCommand(int id) override;
    bool GetCommandState(int id, CCommandState& state) const override;
    void OnActivate() override;
    void NextPane(int step) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    CProgram* Active() const;
    void OnBarNotify(int id, BarNotify what);
    void OnFormClick(int id);
    void ShowActive();
    // After every handler: the document marked modified when the programs changed, the code
    // view following the active program, the commands' states renewed.
    void AfterEdit();
    // The text of the name field becomes the active program's name (an empty one is refused).
    void TakeTypedName();
    void Compile();
    void Print(bool preview);
    void LayOutPanes();

    CKestrovelApp& m_app;
    CShellDocument* m_pDoc;
    CQtControlBar m_bar;
    QSplitter* m_pOuter;
    QSplitter* m_pInner;
    CPreProcesorView* m_pForm;
    CPreProcesorProgram* m_pProgram;
    QSplitter* m_pCodeArea;
    CPreProcesorEdit* m_pCode;
    CToolpathPane* m_pToolpath;
    bool m_bLaidOut = false;
    // The programs' records as last seen, to tell an edit from a look.
    std::vector<uint8_t> m_programRecords;
};
