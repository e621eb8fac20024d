// DXF files are read for the editor in a child process: a crash or a hang of the reader costs a
// message, the damaged files of the past are reported by the import dialog, and the drawing stays.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <QMdiArea>
#include <QProgressDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <QTimer>
#include <QApplication>

#include "SampleChildFixture.h"
#include "GuiDriver.h"
#include "document/KestrovelDoc.h"
#include "shell/ChildFrame.h"
#include "shell/DxfImportDialog.h"
#include "shell/ExchangeCommands.h"
#include "shell/IsolatedRead.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/QtSettingsStore.h"
#include "shell/ShellDocument.h"

namespace {

TEST(IsolatedRead, AnswerComesBackWholeAndACrashIsAMessage) {
    std::string output;
    std::string error;
    const std::string large(3 * 1024 * 1024 + 7, 'x');
    ASSERT_TRUE(CIsolatedRead::Run(nullptr, QStringLiteral("t"), [&] { return large; }, output, error)) << error;
    EXPECT_EQ(output, large);
    EXPECT_FALSE(CIsolatedRead::Run(
        nullptr, QStringLiteral("t"), [] { std::raise(SIGSEGV); return std::string(); }, output, error));
#ifdef __SANITIZE_ADDRESS__
    // The sanitizer takes the signal in the child and ends it with its own exit code.
    EXPECT_EQ(error.rfind("the reader stopped on this file (", 0), 0u) << error;
#else
    EXPECT_EQ(error, "the reader stopped on this file (Segmentation fault)");
#endif
}

// Runs the action on the first visible top-level window of the given type once it is up (the
// readings before a dialog shows run event loops of their own, so a short chain of timers would
// be spent before it).
template <class TWindow>
void OnceVisible(std::function<void(TWindow&)> action, int tries = 1000) {
    QTimer::singleShot(50, [action, tries] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<TWindow*>(w);
            if (window && window->isVisible()) {
                action(*window);
                return;
            }
        }
        if (tries > 0) {
            OnceVisible<TWindow>(action, tries - 1);
        }
    });
}

void CancelTheReadingBox(bool& found) {
    OnceVisible<QProgressDialog>([&found](QProgressDialog& box) {
        found = box.labelText() == QStringLiteral("Reading spin.dxf ...");
        // Keys go to the active window: the box must have become it.
        found = QTest::qWaitForWindowActive(box.windowHandle()) && found;
        QTest::keyClick(box.windowHandle(), Qt::Key_Escape);
    });
}

TEST(IsolatedRead, AHangingReaderIsCancelledFromItsBox) {
    bool cancelledFromBox = false;
    CancelTheReadingBox(cancelledFromBox);
    std::string output;
    std::string error;
    EXPECT_FALSE(CIsolatedRead::Run(nullptr, QStringLiteral("spin.dxf"), [] {
        // Long enough to be cancelled, bounded so that a missed box fails the test, not hangs it.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < end) {
        }
        return std::string("not cancelled");
    }, output, error));
    EXPECT_EQ(error, "reading was cancelled");
    EXPECT_TRUE(cancelledFromBox);
}

class DxfSafeImport : public CSampleChildFixture {};

TEST_F(DxfSafeImport, TheCrashingAndTheHangingFileAreReportedAndTheDrawingStays) {
    CKestrovelDoc& doc = m_pChild->GetShellDocument()->Doc();
    const size_t pieces = doc.GetLayer(0)->GetPieces().size();
    const std::pair<const char*, const char*> cases[] = {
        {"spline-knots-negative.dxf", "line 8: the SPLINE announces -2147483648 knots, but a count cannot be negative"},
        {"long-line.dxf", "line 8 is longer than 1022 characters, which no DXF line is"}};
    for (const auto& [name, report] : cases) {
        QString shown;
        bool okEnabled = true;
        OnceVisible<CDxfImportDialog>([&](CDxfImportDialog& d) {
            shown = d.ReportText();
            okEnabled = d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
            EXPECT_TRUE(QTest::qWaitForWindowActive(d.windowHandle()));
            QTest::keyClick(d.windowHandle(), Qt::Key_Escape);
        });
        EXPECT_FALSE(CExchangeCommands::ImportDxf(
            *m_pChild, QStringLiteral(KESTROVEL_SOURCE_DIR "/fuzz/regressions/dxf_import/") + QLatin1String(name)));
        EXPECT_EQ(shown, QString::fromLatin1(report)) << name;
        EXPECT_FALSE(okEnabled);
        EXPECT_EQ(doc.GetLayer(0)->GetPieces().size(), pieces);
        EXPECT_FALSE(doc.IsModified());
    }
}

}  // namespace
