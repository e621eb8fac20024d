// The CNC programming window's panes and the handlers of its form, command list and menu.
#include "shell/ChildProcFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSplitter>

#include "document/KestrovelDoc.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"
#include "shell/CommandIds.h"
#include "shell/Icons.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/PreProcesorEdit.h"
#include "shell/PreProcesorProgram.h"
#include "shell/PreProcesorView.h"
#include "shell/ShellDocument.h"
#include "shell/ToolpathPane.h"

CChildProcFrame::CChildProcFrame(CKestrovelApp& app, CShellDocument& doc)
    : m_app(app),
      m_pDoc(&doc),
      m_bar(this),
      m_pOuter(new QSplitter(Qt::Vertical, this)),
      m_pInner(new QSplitter(Qt::Horizontal, m_pOuter)),
      m_pForm(new CPreProcesorView(m_bar, m_pOuter)),
      m_pProgram(new CPreProcesorProgram(m_bar, m_pInner)),
      m_pCodeArea(new QSplitter(Qt::Horizontal, m_pInner)),
      m_pCode(new CPreProcesorEdit(m_pCodeArea)),
      m_pToolpath(new CToolpathPane(m_pCodeArea)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(CIcons::Application());
    m_pOuter->addWidget(m_pForm);
    m_pOuter->addWidget(m_pInner);
    m_pInner->addWidget(m_pProgram);
    // The code view and, beside it, the picture of the moves it makes.
    m_pCodeArea->addWidget(m_pCode);
    m_pCodeArea->addWidget(m_pToolpath);
    m_pToolpath->Attach(m_pCode);
    m_pInner->addWidget(m_pCodeArea);
    m_pOuter->setChildrenCollapsible(false);
    // The form keeps its height when the window is resized; the panes below take the change.
    m_pOuter->setStretchFactor(0, 0);
    m_pOuter->setStretchFactor(1, 1);
    setWidget(m_pOuter);
    m_bar.SetHandler([this](CControlBar&, int id, BarNotify what) { OnBarNotify(id, what); });
    m_pForm->Form().SetClickHandler([this](int id) { OnFormClick(id); });
    if (CProgramList* list = Programs()) {
        m_programRecords = list->ProgramRecords();
    }
}

CChildProcFrame::~CChildProcFrame() = default;

CProgramList* CChildProcFrame::Programs() const {
    return CProgramDocument::GetList(m_pDoc->Doc());
}

CProgram* CChildProcFrame::Active() const {
    CProgramList* list = Programs();
    return list ? list->GetActiveProgram() : nullptr;
}

void CChildProcFrame::InitialUpdate() {
    CProgramList* list = Programs();
    if (!list) {
        return;
    }
    list->FillPreProcesorList(m_bar);
    list->FillProgramCombo(m_bar);
    if (list->GetPrograms().empty()) {
        list->NewProgram(m_bar, m_pForm->Form());
    } else {
        list->SelectProgram("", m_bar, m_pForm->Form());
    }
    AfterEdit();
}

void CChildProcFrame::AfterEdit() {
    // Any change of what a save writes of the programs is a change of the document, as a layer
    // edit is; compiling, choosing a program or opening a panel are not.
    if (CProgramList* list = Programs()) {
        std::vector<uint8_t> records = list->ProgramRecords();
        if (records != m_programRecords) {
            m_pDoc->Doc().SetModifiedFlag(true);
            m_programRecords = std::move(records);
        }
    }
    // The code view belongs to the program shown: empty until that program is compiled.
    CProgram* program = Active();
    m_pCode->SetText(program ? program->GetCode() : std::string());
    // So does the toolpath pane, with the layers last chosen for that program.
    if (program && program != m_pToolpath->ShownProgram()) {
        m_pToolpath->ShowProgram(*program, m_pDoc->Doc());
    }
    m_app.GetMainFrame()->UpdateCommandUI();
}

void CChildProcFrame::TakeTypedName() {
    CProgram* program = Active();
    CProgramList* list = Programs();
    const std::string name = m_bar.GetText(IDC_PROG_NAME);
    if (program && list && !name.empty() && name != program->GetName()) {
        program->SetName(name);
        list->FillProgramCombo(m_bar);
    }
}

void CChildProcFrame::ShowActive() {
    if (CProgram* program = Active()) {
        program->ShowInForm(m_bar, m_pForm->Form());
    }
}

void CChildProcFrame::OnBarNotify(int id, BarNotify what) {
    CProgram* program = Active();
    CProgramList* list = Programs();
    if (!program || !list) {
        return;
    }
    CForm& form = m_pForm->Form();
    CMessages* messages = &m_app.Messages();
    const bool clicked = what == BarNotify::Clicked;
    const bool chosen = what == BarNotify::SelChange;
    if (id == IDC_PROG_SELECT && chosen) {
        list->SelectProgram(m_bar.GetText(IDC_PROG_SELECT), m_bar, form);
    } else if (id == IDC_PROG_POST && chosen) {
        program->SetPostProcessor(m_bar.GetText(IDC_PROG_POST), m_bar);
    } else if (id == IDC_PROG_NUMBER && what == BarNotify::EditChange) {
        program->SetNumber(std::atoi(m_bar.GetText(IDC_PROG_NUMBER_SPIN).c_str()));
    } else if (id == IDC_PROG_NAME && what == BarNotify::KillFocus) {
        TakeTypedName();
    } else if (id == IDC_PROG_TEMPLATES && chosen) {
        program->StartCommand(form, m_bar.GetCurSel(IDC_PROG_TEMPLATES));
    } else if (id == IDC_PROG_ADD && clicked) {
        if (program->AddCommand(messages)) {
            ShowActive();
        }
    } else if (id == IDC_PROG_INSERT && clicked) {
        if (program->InsertCommand(messages)) {
            ShowActive();
        }
    } else if (id == IDC_NOTE_SHOW && clicked) {
        program->ShowNote(form);
    } else if (id == IDC_NOTE_SAVE && clicked) {
        program->SaveNote();
    } else if (id == IDC_PROG_COMMANDS && chosen) {
        program->SetSelected(m_bar.GetCurSel(IDC_PROG_COMMANDS));
    } else if (id == IDC_EDIT_COMMAND && clicked) {
        program->ReeditCommand(form, m_bar.GetCurSel(IDC_PROG_COMMANDS));
    } else if (id == IDC_DELETE_COMMAND && clicked) {
        program->DeleteCommand(m_bar.GetCurSel(IDC_PROG_COMMANDS));
        program->FillCommandList(m_bar);
    } else if (id == IDC_COMPILE_PROGRAM && clicked) {
        Compile();
    }
    AfterEdit();
}

void CChildProcFrame::OnFormClick(int id) {
    CProgram* program = Active();
    if (id == IDC_SAVE_REEDITED && program && program->SaveReedited(&m_app.Messages())) {
        ShowActive();
    }
    AfterEdit();
}

void CChildProcFrame::Compile() {
    if (CProgram* program = Active()) {
        CDocumentContext context(m_pDoc->Doc());
        program->Compile(m_pCode, context);
        m_pToolpath->ShowProgram(*program, m_pDoc->Doc());
    }
}

bool CChildProcFrame::OnCommand(int id) {
    // A menu or a key does not take the focus from the name field: a name typed there counts
    // before any command (a new program, a save, the exit).
    TakeTypedName();
    AfterEdit();
    CProgramList* list = Programs();
    switch (id) {
        case kCmdProgramNew:
            if (list) {
                list->NewProgram(m_bar, m_pForm->Form());
            }
            break;
        case kCmdProgramCompile: Compile(); break;
        case kCmdPostReactivate:
            if (list && Active()) {
                list->ReactivatePreProcesor(m_bar);
            }
            break;
        case kCmdFilePrint: Print(false); break;
        case kCmdFilePrintPreview: Print(true); break;
        default: return false;
    }
    AfterEdit();
    return true;
}

bool CChildProcFrame::GetCommandState(int id, CCommandState& state) const {
    switch (id) {
        case kCmdProgramNew:
        case kCmdFilePrint:
        case kCmdFilePrintPreview: state = CCommandState{true, false}; return true;
        case kCmdProgramCompile:
        case kCmdPostReactivate: state = CCommandState{Active() != nullptr, false}; return true;
        // Commands the window shows but has nothing behind.
        case kCmdCommandAdd:
        case kCmdCommandInsert:
        case kCmdCommandEdit:
        case kCmdCommandDelete:
        case kCmdProgramEdit:
        case kCmdProgramSendTo:
        case kCmdPostChange:
        case kCmdPostControl: state = CCommandState{}; return true;
        default: return false;
    }
}

void CChildProcFrame::Print(bool preview) {
    QPrinter& printer = m_app.Printer();
    if (preview) {
        QPrintPreviewDialog dialog(&printer, this);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, m_pCode, &CPreProcesorEdit::print);
        dialog.exec();
    } else if (QPrintDialog(&printer, this).exec() == QDialog::Accepted) {
        m_pCode->print(&printer);
    }
}

void CChildProcFrame::OnActivate() {
    m_app.GetMainFrame()->SetMenuKind(CMainFrame::MenuKind::Programming);
}

void CChildProcFrame::NextPane(int step) {
    QWidget* panes[3] = {m_pForm, m_pProgram, m_pCode};
    int current = 0;
    for (int i = 0; i < 3; ++i) {
        if (panes[i]->isAncestorOf(QApplication::focusWidget()) || panes[i] == QApplication::focusWidget()) {
            current = i;
        }
    }
    QWidget* next = panes[(current + step + 3) % 3];
    next->setFocus();
    if (!next->hasFocus()) {
        next->nextInFocusChain()->setFocus();
    }
}

void CChildProcFrame::LayOutPanes() {
    const int height = m_pOuter->height();
    const int width = m_pInner->width() > 0 ? m_pInner->width() : m_pOuter->width();
    m_pOuter->setSizes({kFormHeight, std::max(1, height - kFormHeight)});
    m_pInner->setSizes({width / 3, width - width / 3});
    m_pCodeArea->setSizes({(width - width / 3) / 2, (width - width / 3) / 2});
}

void CChildProcFrame::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    if (!m_bLaidOut) {
        m_bLaidOut = true;
        LayOutPanes();
    }
}

void CChildProcFrame::closeEvent(QCloseEvent* event) {
    TakeTypedName();
    AfterEdit();
    if (!m_app.CanCloseWindow(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted()) {
        // The panel's controls go with the window; the program keeps what was saved.
        if (CProgram* program = Active()) {
            program->EndPanel();
        }
        m_pDoc->SetCncWindow(nullptr);
        m_app.OnWindowClosed(*this);
    }
}
