// The application object: start-up in its order, documents with their files and windows.
#include "shell/Kestrovel.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPageSetupDialog>
#include <QPrinter>

#include "document/KestrovelDoc.h"
#include "platform/SettingsStore.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"
#include "shell/AboutDialog.h"
#include "shell/AidsBar.h"
#include "shell/Autosave.h"
#include "shell/ChildFrame.h"
#include "shell/ChildProcFrame.h"
#include "shell/CommandIds.h"
#include "shell/DrawingOptionsPrompt.h"
#include "shell/DrawingPropertiesPrompt.h"
#include "shell/DrawingWindow.h"
#include "shell/LayerBar.h"
#include "shell/MainFrame.h"
#include "shell/ObjectBar.h"
#include "shell/OptionsDialog.h"
#include "shell/ToolLibraryDialog.h"
#include "shell/QtSettingsStore.h"
#include "shell/QtText.h"
#include "shell/RecoveryOffer.h"
#include "shell/ShellDocument.h"
#include "shell/ViewToolBar.h"
#include "view/ElementClipboard.h"
#include "view/KestrovelView.h"

CKestrovelApp::CKestrovelApp(std::unique_ptr<CSettingsStore> settings)
    : m_pSettings(std::move(settings)), m_pClipboard(std::make_unique<CElementClipboard>()) {}

CKestrovelApp::~CKestrovelApp() {
    // Windows hold views on the documents: they go first.
    if (m_pFrame) {
        m_bClosingAll = true;
        for (QMdiSubWindow* w : m_pFrame->Mdi()->subWindowList()) {
            w->close();
        }
    }
    m_documents.clear();
    m_pAutosave.reset();
    m_pFrame.reset();
}

bool CKestrovelApp::InitInstance(const QStringList& arguments) {
    m_units = CUnit::BuildTable();
    m_accuracies = CAccuracy::BuildTable();
    if (!m_pSettings) {
        m_pSettings = CQtSettingsStore::ForApplication(QString::fromLatin1(kApplicationKey), kRecentFiles);
    }
    m_pFrame = std::make_unique<CMainFrame>(*this, m_pSettings.get());
    m_messages.SetParent(m_pFrame.get());
    m_pPrompt = std::make_unique<CDialogPropertiesPrompt>(m_pFrame.get(), &m_messages);
    m_pOptionsPrompt = std::make_unique<CDialogOptionsPrompt>(m_pFrame.get());

    m_pAutosave = std::make_unique<CAutosave>(*this, *m_pSettings, CRecoveryStore::DefaultFolder());
    // Drawings a crashed run left come first: the file named on the command line may be one of them.
    const int recovered = CRecoveryOffer(*this, *m_pAutosave).Run();
    const bool opened = arguments.isEmpty() ? recovered > 0 || NewDocument() != nullptr
                                            : OpenDocument(arguments.first()) != nullptr;
    if (!opened) {
        return false;
    }
    if (m_bRestorePlacement) {
        m_bRestorePlacement = 0;
        m_pFrame->RestorePlacement();
    }
    m_pFrame->show();
    m_pFrame->UpdateCommandUI();
    return true;
}

// Documents ---------------------------------------------------------------------------------

std::unique_ptr<CKestrovelDoc> CKestrovelApp::MakeDocument() {
    return CProgramDocument::Create(DocumentServices());
}

CDocServices CKestrovelApp::DocumentServices() {
    CDocServices services;
    services.pSettings = m_pSettings.get();
    services.pMessages = &m_messages;
    services.pObjectBar = &m_pFrame->ObjectBar()->Controls();
    services.pLayerBar = &m_pFrame->LayerBar()->Controls();
    services.pAidsBar = &m_pFrame->AidsBar()->Controls();
    services.pViewBar = &m_pFrame->ViewBar()->Controls();
    services.pPropertiesPrompt = m_pPrompt.get();
    return services;
}

CShellDocument* CKestrovelApp::AdoptDocument(std::unique_ptr<CKestrovelDoc> doc, const QString& path,
                                             const QString& title) {
    CShellDocument* shellDoc = AddDocument(std::move(doc), path.isEmpty() ? title : QString());
    if (!path.isEmpty()) {
        shellDoc->SetPath(path);
    }
    m_pFrame->UpdateCommandUI();
    return shellDoc;
}

CShellDocument* CKestrovelApp::AddDocument(std::unique_ptr<CKestrovelDoc> doc, const QString& title) {
    m_documents.push_back(std::make_unique<CShellDocument>(std::move(doc), title));
    CShellDocument* shellDoc = m_documents.back().get();
    OpenDrawingWindow(*shellDoc);
    return shellDoc;
}

CShellDocument* CKestrovelApp::NewDocument() {
    std::unique_ptr<CKestrovelDoc> doc = MakeDocument();
    if (!doc->OnNewDocument()) {
        return nullptr;
    }
    return AddDocument(std::move(doc), QStringLiteral("Kestro%1").arg(++m_nUntitled));
}

CShellDocument* CKestrovelApp::FindDocument(const QString& path) const {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (const auto& doc : m_documents) {
        if (!doc->GetPath().isEmpty() && QFileInfo(doc->GetPath()).canonicalFilePath() == canonical) {
            return doc.get();
        }
    }
    return nullptr;
}

CShellDocument* CKestrovelApp::OpenDocument(const QString& path) {
    if (path.isEmpty()) {
        return nullptr;
    }
    if (CShellDocument* open = FindDocument(path)) {
        // An open file is shown, not read a second time.
        if (!open->GetWindows().isEmpty()) {
            m_pFrame->Mdi()->setActiveSubWindow(open->GetWindows().first());
        }
        return open;
    }
    std::unique_ptr<CKestrovelDoc> doc = MakeDocument();
    std::string error;
    size_t fault = std::string::npos;
    if (!doc->OnOpenDocument(FromQ(path), error, &fault)) {
        // What a damaged file holds is no business of the message: its bytes may be anything.
        const std::string text =
            fault == std::string::npos
                ? "Failed to open document " + FromQ(path) + ".\n" + error
                : "Cannot open " + FromQ(path) + ": it is not a drawing file (the first fault is at byte " +
                      std::to_string(fault) + ").";
        m_messages.MessageBox(text, kApplicationKey, MessageIcon::Warning, MessageButtons::Ok);
        return nullptr;
    }
    m_pSettings->AddRecentFile(FromQ(QFileInfo(path).absoluteFilePath()));
    CShellDocument* shellDoc = AddDocument(std::move(doc), QString());
    shellDoc->SetPath(QFileInfo(path).absoluteFilePath());
    m_pFrame->UpdateCommandUI();
    return shellDoc;
}

bool CKestrovelApp::SaveDocumentAs(CShellDocument& doc, const QString& path) {
    std::string error;
    if (!doc.Doc().OnSaveDocument(FromQ(path), error)) {
        m_messages.MessageBox("Failed to save document " + FromQ(path) + ".\n" + error, kApplicationKey,
                              MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    doc.SetPath(QFileInfo(path).absoluteFilePath());
    m_pSettings->AddRecentFile(FromQ(doc.GetPath()));
    m_pFrame->UpdateCaption();
    return true;
}

bool CKestrovelApp::SaveDocument(CShellDocument& doc, bool saveAs) {
    QString path = doc.GetPath();
    if (saveAs || path.isEmpty()) {
        path = QFileDialog::getSaveFileName(m_pFrame.get(),
                                            saveAs ? QStringLiteral("Save As") : QStringLiteral("Save"),
                                            path.isEmpty() ? doc.GetTitle() + QStringLiteral(".kst") : path,
                                            QString::fromLatin1(kFileFilter));
        if (path.isEmpty()) {
            return false;
        }
        if (QFileInfo(path).suffix().isEmpty()) {
            path += QStringLiteral(".kst");
        }
    }
    return SaveDocumentAs(doc, path);
}

CChildFrame* CKestrovelApp::OpenDrawingWindow(CShellDocument& doc) {
    CViewContext context;
    context.pDoc = &doc.Doc();
    context.pObjectBar = &m_pFrame->ObjectBar()->Controls();
    context.pLayerBar = &m_pFrame->LayerBar()->Controls();
    context.pAidsBar = &m_pFrame->AidsBar()->Controls();
    context.pViewBar = &m_pFrame->ViewBar()->Controls();
    context.pSettings = m_pSettings.get();
    context.pMessages = &m_messages;
    context.pClipboard = m_pClipboard.get();
    context.pDrawingOptions = m_pOptionsPrompt.get();
    auto* frame = new CChildFrame(*this, doc, context);
    CMainFrame* main = m_pFrame.get();
    frame->Drawing().SetStatusSink([main](int pane, const QString& text) { main->SetPaneText(pane, text); });
    frame->Drawing().SetAfterEvent([main]() { main->UpdateCommandUI(); });
    m_pFrame->Mdi()->addSubWindow(frame);
    doc.AddWindow(frame);
    frame->showMaximized();
    m_pFrame->Mdi()->setActiveSubWindow(frame);
    frame->Drawing().InitialUpdate();
    return frame;
}

QMdiSubWindow* CKestrovelApp::OpenCncWindow() {
    CShellDocument* doc = ActiveDocument();
    if (!doc) {
        return nullptr;
    }
    CProgramList* list = CProgramDocument::GetList(doc->Doc());
    if (!list) {
        list = CProgramDocument::Attach(doc->Doc());
    }
    list->EnsurePostLoaded(FromQ(m_pFrame->GetStartDirectory()));
    if (QMdiSubWindow* existing = doc->GetCncWindow()) {
        m_pFrame->Mdi()->setActiveSubWindow(existing);
        return existing;
    }
    auto* frame = new CChildProcFrame(*this, *doc);
    doc->SetCncWindow(frame);
    m_pFrame->Mdi()->addSubWindow(frame);
    doc->AddWindow(frame);
    frame->showMaximized();
    m_pFrame->Mdi()->setActiveSubWindow(frame);
    frame->InitialUpdate();
    m_pFrame->UpdateCommandUI();
    return frame;
}

CShellDocument* CKestrovelApp::DocumentOf(QMdiSubWindow& window) const {
    for (const auto& doc : m_documents) {
        if (doc->GetWindows().contains(&window)) {
            return doc.get();
        }
    }
    return nullptr;
}

CShellDocument* CKestrovelApp::ActiveDocument() const {
    CChildWindow* child = m_pFrame ? m_pFrame->ActiveChild() : nullptr;
    return child ? child->GetShellDocument() : nullptr;
}

CDrawingWindow* CKestrovelApp::ActiveDrawing() const {
    auto* frame = m_pFrame ? dynamic_cast<CChildFrame*>(m_pFrame->ActiveChild()) : nullptr;
    return frame && frame->widget() ? &frame->Drawing() : nullptr;
}

QPrinter& CKestrovelApp::Printer() {
    if (!m_pPrinter) {
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *m_pPrinter;
}

// Commands ----------------------------------------------------------------------------------

bool CKestrovelApp::OnCommand(int id) {
    CShellDocument* doc = ActiveDocument();
    if (id >= kCmdFileMru1 && id < kCmdFileMru1 + kRecentFiles) {
        const std::vector<std::string> files = m_pSettings->GetRecentFiles();
        const size_t index = static_cast<size_t>(id - kCmdFileMru1);
        if (index < files.size()) {
            OpenDocument(ToQ(files[index]));
        }
        return true;
    }
    switch (id) {
        case kCmdFileNew: NewDocument(); return true;
        case kCmdFileOpen:
            OpenDocument(QFileDialog::getOpenFileName(m_pFrame.get(), QStringLiteral("Open"), QString(),
                                                      QString::fromLatin1(kFileFilter)));
            return true;
        case kCmdFileSave:
        case kCmdFileSaveAs:
            if (doc) {
                SaveDocument(*doc, id == kCmdFileSaveAs);
            }
            return true;
        case kCmdFileClose:
            if (doc) {
                for (QMdiSubWindow* w : doc->GetWindows()) {
                    if (!w->close()) {
                        break;
                    }
                }
            }
            return true;
        case kCmdSaveAsDefault:
            if (doc) {
                doc->Doc().SaveAsDefault();
            }
            return true;
        case kCmdWindowNew:
            if (doc) {
                OpenDrawingWindow(*doc);
            }
            return true;
        case kCmdFilePrintSetup: QPageSetupDialog(&Printer(), m_pFrame.get()).exec(); return true;
        case kCmdAppAbout: CAboutDialog(m_pFrame.get()).exec(); return true;
        case kCmdOptions: COptionsDialog(*m_pAutosave, m_pFrame.get()).exec(); return true;
        case kCmdToolLibrary:
            CToolLibraryDialog(FromQ(m_pFrame->GetStartDirectory()) + "/Debug/Tools.ini", m_pFrame.get()).exec();
            return true;
        case kCmdAppExit: m_pFrame->close(); return true;
        default: return false;
    }
}

bool CKestrovelApp::GetCommandState(int id, CCommandState& state) const {
    const bool hasDoc = ActiveDocument() != nullptr;
    switch (id) {
        case kCmdFileNew:
        case kCmdFileOpen:
        case kCmdFilePrintSetup:
        case kCmdOptions:
        case kCmdToolLibrary:
        case kCmdAppAbout:
        case kCmdAppExit: state = CCommandState{true, false}; return true;
        case kCmdFileSave:
        case kCmdFileSaveAs:
        case kCmdFileClose:
        case kCmdSaveAsDefault:
        case kCmdWindowNew: state = CCommandState{hasDoc, false}; return true;
        default: state = CCommandState{}; return false;
    }
}

void CKestrovelApp::OnBarNotify(CControlBar& bar, int id, BarNotify what) {
    if (CDrawingWindow* drawing = ActiveDrawing()) {
        drawing->OnBarNotify(bar, id, what);
    }
}

void CKestrovelApp::OnDrawingActivated(CChildFrame& frame) {
    m_pFrame->SetMenuKind(CMainFrame::MenuKind::Drawing);
    if (frame.widget()) {
        frame.Drawing().View().OnActivate();
    }
}

// Closing -----------------------------------------------------------------------------------

bool CKestrovelApp::SaveModified(CShellDocument& doc) {
    if (!doc.Doc().IsModified()) {
        return true;
    }
    const MessageAnswer answer =
        m_messages.MessageBox("Save changes to " + FromQ(doc.GetTitle()) + "?", kApplicationKey,
                              MessageIcon::Warning, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Cancel) {
        return false;
    }
    return answer == MessageAnswer::No || SaveDocument(doc, false);
}

bool CKestrovelApp::CanCloseWindow(QMdiSubWindow& window) {
    CShellDocument* doc = DocumentOf(window);
    if (m_bClosingAll || !doc || doc->GetWindows().size() > 1) {
        return true;
    }
    return SaveModified(*doc);
}

void CKestrovelApp::OnWindowClosed(QMdiSubWindow& window) {
    CShellDocument* doc = DocumentOf(window);
    if (!doc) {
        return;
    }
    doc->RemoveWindow(&window);
    if (doc->GetWindows().isEmpty()) {
        DestroyDocument(doc);
    }
}

void CKestrovelApp::DestroyDocument(CShellDocument* doc) {
    if (m_pAutosave) {
        m_pAutosave->Forget(*doc);
    }
    for (auto it = m_documents.begin(); it != m_documents.end(); ++it) {
        if (it->get() == doc) {
            m_documents.erase(it);
            return;
        }
    }
}

bool CKestrovelApp::CloseAllDocuments() {
    for (const auto& doc : m_documents) {
        if (!SaveModified(*doc)) {
            return false;
        }
    }
    m_bClosingAll = true;
    for (QMdiSubWindow* w : m_pFrame->Mdi()->subWindowList()) {
        w->close();
    }
    m_bClosingAll = false;
    return true;
}

CDrawingWindow* CKestrovelApp::DrawingToSave() const {
    // The active window's view if it is a drawing, else the first drawing of its document.
    if (CDrawingWindow* active = ActiveDrawing()) {
        return active;
    }
    CShellDocument* doc = ActiveDocument();
    if (!doc) {
        return nullptr;
    }
    for (QMdiSubWindow* w : doc->GetWindows()) {
        if (auto* frame = dynamic_cast<CChildFrame*>(w); frame && frame->widget()) {
            return &frame->Drawing();
        }
    }
    return nullptr;
}

void CKestrovelApp::SaveActiveViewState() {
    if (CDrawingWindow* drawing = DrawingToSave()) {
        drawing->View().SaveViewState();
    }
}
