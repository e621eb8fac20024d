// CKestrovelApp: the application object: start-up, settings, messages and the open documents.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "document/Accuracy.h"
#include "document/DocServices.h"
#include "document/Unit.h"
#include "platform/ControlBar.h"
#include "platform/SettingsStore.h"
#include "shell/QtMessages.h"
#include "view/ViewCommands.h"

class CAutosave;
class CChildFrame;
class CDialogOptionsPrompt;
class CDialogPropertiesPrompt;
class CElementClipboard;
class CDrawingWindow;
class CMainFrame;
class CShellDocument;
class QMdiSubWindow;
class QPrinter;

class CKestrovelApp {
public:
    static constexpr int kRecentFiles = 10;
    static constexpr const char* kApplicationKey = "Kestrovel";
    static constexpr const char* kFileFilter = "Kestro Document (*.kst)";

    // settings: the store to use; null chooses the user's store under the application key.
    explicit CKestrovelApp(std::unique_ptr<CSettingsStore> settings = nullptr);
    ~CKestrovelApp();
    CKestrovelApp(const CKestrovelApp&) = delete;
    CKestrovelApp& operator=(const CKestrovelApp&) = delete;

    // Start-up: tables, main frame, the document of the command line (or a new one), placement,
    // showing the window. False when the frame or the first document could not be made.
    bool InitInstance(const QStringList& arguments);

    CMainFrame* GetMainFrame() const { return m_pFrame.get(); }
    CSettingsStore& Settings() const { return *m_pSettings; }
    CQtMessages& Messages() { return m_messages; }
    const std::vector<CUnit>& Units() const { return m_units; }
    const std::vector<CAccuracy>& Accuracies() const { return m_accuracies; }
    const std::vector<std::unique_ptr<CShellDocument>>& Documents() const { return m_documents; }
    CElementClipboard& Clipboard() const { return *m_pClipboard; }
    // The printer Print Setup chose, used by every Print and Print Preview.
    QPrinter& Printer();
    // Recovery copies of modified drawings; null before InitInstance.
    CAutosave* Autosave() const { return m_pAutosave.get(); }
    // What a document of this application is made with (settings, messages, bars, prompt).
    CDocServices DocumentServices();
    // Opens a window on a document read elsewhere (a recovered one), under path (may be empty)
    // or, without one, under title.
    CShellDocument* AdoptDocument(std::unique_ptr<class CKestrovelDoc> doc, const QString& path,
                                  const QString& title);

    // File commands. Each returns the document, or null when nothing was opened or made.
    CShellDocument* NewDocument();
    CShellDocument* OpenDocument(const QString& path);
    // Saves under the document's path, or asks for one (always with saveAs).
    bool SaveDocument(CShellDocument& doc, bool saveAs);
    bool SaveDocumentAs(CShellDocument& doc, const QString& path);
    // Another drawing window on the document.
    CChildFrame* OpenDrawingWindow(CShellDocument& doc);
    // The CNC programming window of the active document, opened or brought forward.
    QMdiSubWindow* OpenCncWindow();

    // The document of the active window, or null; the active drawing window, or null.
    CShellDocument* ActiveDocument() const;
    CDrawingWindow* ActiveDrawing() const;

    // Commands no window handled.
    bool OnCommand(int id);
    bool GetCommandState(int id, CCommandState& state) const;
    void OnBarNotify(CControlBar& bar, int id, BarNotify what);
    void OnDrawingActivated(CChildFrame& frame);

    // Window and document closing.
    bool CanCloseWindow(QMdiSubWindow& window);
    // True while every window closes at once (the frame closes; its own saving picks the view).
    bool IsClosingAll() const { return m_bClosingAll; }
    void OnWindowClosed(QMdiSubWindow& window);
    // Asks to save every modified document, then closes all windows; false when cancelled.
    bool CloseAllDocuments();
    // The active drawing view's working settings go to the store.
    void SaveActiveViewState();

private:
    std::unique_ptr<class CKestrovelDoc> MakeDocument();
    CShellDocument* AddDocument(std::unique_ptr<class CKestrovelDoc> doc, const QString& title);
    CShellDocument* FindDocument(const QString& path) const;
    CShellDocument* DocumentOf(QMdiSubWindow& window) const;
    CDrawingWindow* DrawingToSave() const;
    bool SaveModified(CShellDocument& doc);
    void DestroyDocument(CShellDocument* doc);

    std::unique_ptr<CSettingsStore> m_pSettings;
    CQtMessages m_messages;
    std::vector<CUnit> m_units;
    std::vector<CAccuracy> m_accuracies;
    std::unique_ptr<CMainFrame> m_pFrame;
    std::unique_ptr<CDialogPropertiesPrompt> m_pPrompt;
    std::unique_ptr<CDialogOptionsPrompt> m_pOptionsPrompt;
    // Shared by every drawing view of every document.
    std::unique_ptr<CElementClipboard> m_pClipboard;
    std::unique_ptr<QPrinter> m_pPrinter;
    std::vector<std::unique_ptr<CShellDocument>> m_documents;
    std::unique_ptr<CAutosave> m_pAutosave;
    int m_nUntitled = 0;
    int m_bRestorePlacement = 1;
    bool m_bClosingAll = false;
};
