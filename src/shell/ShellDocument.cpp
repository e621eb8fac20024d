// The application's record of one open document and the titles of its windows.
#include "shell/ShellDocument.h"

#include <QFileInfo>
#include <QMdiSubWindow>

#include "document/KestrovelDoc.h"

namespace {
constexpr const char* kProgrammingSuffix = " - Post-processor Programming";
}

CShellDocument::CShellDocument(std::unique_ptr<CKestrovelDoc> doc, QString title)
    : m_pDoc(std::move(doc)), m_strTitle(std::move(title)) {}

CShellDocument::~CShellDocument() = default;

void CShellDocument::SetPath(const QString& path) {
    m_strPath = path;
    m_strTitle = QFileInfo(path).fileName();
    RetitleWindows();
}

void CShellDocument::AddWindow(QMdiSubWindow* window) {
    m_windows.append(window);
    RetitleWindows();
}

void CShellDocument::RemoveWindow(QMdiSubWindow* window) {
    m_windows.removeAll(window);
    RetitleWindows();
}

QList<QMdiSubWindow*> CShellDocument::GetWindows() const {
    QList<QMdiSubWindow*> out;
    for (const QPointer<QMdiSubWindow>& w : m_windows) {
        if (w) {
            out.append(w.data());
        }
    }
    return out;
}

void CShellDocument::RetitleWindows() {
    const QList<QMdiSubWindow*> windows = GetWindows();
    for (int i = 0; i < windows.size(); ++i) {
        QString title = m_strTitle;
        if (windows.size() > 1) {
            title += QStringLiteral(":%1").arg(i + 1);
        }
        if (windows[i] == m_pCncWindow) {
            // The programming window keeps the title up to its first ":".
            title = title.section(QLatin1Char(':'), 0, 0) + QString::fromLatin1(kProgrammingSuffix);
        }
        windows[i]->setWindowTitle(title);
    }
}
