// CShellDocument: an open document as the application holds it: the drawing, its file and windows.
#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <memory>

class CKestrovelDoc;
class QMdiSubWindow;

class CShellDocument {
public:
    CShellDocument(std::unique_ptr<CKestrovelDoc> doc, QString title);
    ~CShellDocument();
    CShellDocument(const CShellDocument&) = delete;
    CShellDocument& operator=(const CShellDocument&) = delete;

    CKestrovelDoc& Doc() { return *m_pDoc; }
    const CKestrovelDoc& Doc() const { return *m_pDoc; }
    const QString& GetPath() const { return m_strPath; }
    // The file name, or "Kestro<n>" for a drawing never saved.
    const QString& GetTitle() const { return m_strTitle; }
    void SetPath(const QString& path);
    void SetTitle(const QString& title) {
        m_strTitle = title;
        RetitleWindows();
    }

    // Windows showing the document, in the order they were opened.
    void AddWindow(QMdiSubWindow* window);
    void RemoveWindow(QMdiSubWindow* window);
    QList<QMdiSubWindow*> GetWindows() const;
    // Titles of the windows: the document title, numbered ":1", ":2" ... when there are more.
    void RetitleWindows();
    QMdiSubWindow* GetCncWindow() const { return m_pCncWindow; }
    void SetCncWindow(QMdiSubWindow* window) { m_pCncWindow = window; }

private:
    std::unique_ptr<CKestrovelDoc> m_pDoc;
    QString m_strPath;
    QString m_strTitle;
    QList<QPointer<QMdiSubWindow>> m_windows;
    QPointer<QMdiSubWindow> m_pCncWindow;
};
