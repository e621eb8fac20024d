// Autosave and recovery: a killed session's drawing comes back as it was at its last autosave.
#include <gtest/gtest.h>
#include <signal.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "AppFixture.h"
#include "GuiDriver.h"
#include "document/KestrovelDoc.h"
#include "platform/ProgramWindowIds.h"
#include "platform/RecoveryStore.h"
#include "postprocessor/DocumentFile.h"
#include "shell/Autosave.h"
#include "shell/ChildFrame.h"
#include "shell/ChildProcFrame.h"
#include "shell/CommandIds.h"
#include "shell/DrawingWindow.h"
#include "shell/OptionsDialog.h"
#include "shell/PreProcesorView.h"
#include "shell/RecoveryDialog.h"
#include "shell/ShellDocument.h"
#include "view/KestrovelView.h"

namespace {

constexpr const char* kChildVariable = "KESTROVEL_RECOVERY_CHILD";

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files);
}

class Recovery : public CAppFixture {
protected:
    void SetUp() override {
        CAppFixture::SetUp();
        m_strOldData = qEnvironmentVariable("XDG_DATA_HOME");
    }
    void TearDown() override {
        CAppFixture::TearDown();
        qputenv("XDG_DATA_HOME", m_strOldData.toLocal8Bit());
    }
    // The application's data folder is dataHome; its recovery files are below it.
    static QString UseDataHome(const QString& dataHome) {
        qputenv("XDG_DATA_HOME", dataHome.toLocal8Bit());
        return dataHome + QStringLiteral("/kestrovel/recovery");
    }
    std::unique_ptr<CKestrovelApp> Start(const QStringList& args) {
        auto app = MakeApp();
        app->Messages().SetInterceptor(
            [](const std::string&, const std::string&, MessageIcon, MessageButtons buttons) {
                return buttons == MessageButtons::YesNoCancel ? MessageAnswer::No : MessageAnswer::Ok;
            });
        EXPECT_TRUE(app->InitInstance(args));
        app->GetMainFrame()->resize(1200, 900);
        Settle();
        return app;
    }
    static void DrawLine(CMainFrame& frame, CChildFrame& drawingFrame, int32_t z1, int32_t z2) {
        CDrawingWindow& drawing = drawingFrame.Drawing();
        frame.Route(ID_MODE_FAST);
        frame.Route(ID_TOOL_RANGE);
        frame.Route(ID_TOOL_LINE);
        const CKestrovelView& view = drawing.View();
        const CKestrovelDoc& doc = drawingFrame.GetShellDocument()->Doc();
        const int y = view.ModelToScreenY(doc.GetSourceRect().top);
        QWidget* canvas = drawing.viewport();
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(view.ModelToScreenX(z1), y));
        QTest::mouseClick(canvas, Qt::RightButton, Qt::NoModifier, QPoint(view.ModelToScreenX(z2), y));
    }

    QString m_strOldData;
};

}  // namespace

// The session the crash test kills: run only as its child process.
TEST_F(Recovery, DISABLED_ChildSession) {
    const QString dir = qEnvironmentVariable(kChildVariable);
    ASSERT_FALSE(dir.isEmpty());
    UseDataHome(dir + QStringLiteral("/data"));
    qputenv(CAutosave::kSecondsVariable, "1");
    m_pApp = Start({dir + QStringLiteral("/part.kst")});
    CMainFrame& frame = *m_pApp->GetMainFrame();
    CShellDocument& doc = *m_pApp->Documents()[0];
    auto* drawingFrame = dynamic_cast<CChildFrame*>(frame.Mdi()->activeSubWindow());
    ASSERT_NE(drawingFrame, nullptr);

    // Edits of two layers by mouse, and a command added to the program in the CNC window.
    const size_t before1 = doc.Doc().GetLayer(0)->GetPieces().size();
    frame.Route(kCmdLayer1);
    DrawLine(frame, *drawingFrame, 200000, 400000);
    ASSERT_NE(doc.Doc().GetLayer(0)->GetPieces().size(), before1);
    const size_t before2 = doc.Doc().GetLayer(1)->GetPieces().size();
    frame.Route(kCmdLayer1 + 1);
    DrawLine(frame, *drawingFrame, 200000, 400000);
    ASSERT_NE(doc.Doc().GetLayer(1)->GetPieces().size(), before2);

    frame.Route(kCmdCncProgramming);
    auto* cnc = dynamic_cast<CChildProcFrame*>(frame.Mdi()->activeSubWindow());
    ASSERT_NE(cnc, nullptr);
    CQtControlBar& bar = cnc->Bar();
    auto* post = qobject_cast<QComboBox*>(bar.Widget(IDC_PROG_POST));
    post->setCurrentIndex(bar.FindStringExact(IDC_PROG_POST, "LinuxCNC lathe"));
    emit post->activated(post->currentIndex());
    auto* templates = qobject_cast<QListWidget*>(bar.Widget(IDC_PROG_TEMPLATES));
    templates->setCurrentRow(bar.FindStringExact(IDC_PROG_TEMPLATES, "Rapid to point"));
    QList<QLineEdit*> fields;
    for (QLineEdit* e : cnc->FormView().findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        if (!e->objectName().isEmpty() && e->isVisible()) {
            fields.append(e);
        }
    }
    ASSERT_EQ(fields.size(), 2);
    fields[0]->setText(QStringLiteral("60"));
    fields[1]->setText(QStringLiteral("5"));
    const int commands = bar.GetCount(IDC_PROG_COMMANDS);
    QTest::mouseClick(qobject_cast<QPushButton*>(bar.Widget(IDC_PROG_ADD)), Qt::LeftButton);
    ASSERT_EQ(bar.GetCount(IDC_PROG_COMMANDS), commands + 1);

    // What the window shows once an autosave has written it: the parent compares with this.
    bool ready = false;
    m_pApp->Autosave()->SetWrittenHook([&](const CShellDocument& written, const std::vector<uint8_t>& bytes) {
        if (&written != &doc || ready || bytes != CDocumentFile::Write(doc.Doc())) {
            return;
        }
        QFile expected(dir + QStringLiteral("/expected.kst"));
        ASSERT_TRUE(expected.open(QIODevice::WriteOnly));
        expected.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        expected.close();
        QFile(dir + QStringLiteral("/ready")).open(QIODevice::WriteOnly);
        ready = true;
    });
    for (int i = 0; i < 600; ++i) {
        QTest::qWait(100);
    }
    FAIL() << "the session was not killed";
}

TEST_F(Recovery, AKilledSessionsDrawingAndProgramsComeBackAsAtTheLastAutosave) {
    QTemporaryDir dir;
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/sample.kst"), dir.filePath("part.kst")));
    const QByteArray original = ReadAll(dir.filePath("part.kst"));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildVariable), dir.path());
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_also_run_disabled_tests"),
                 QStringLiteral("--gtest_filter=Recovery.DISABLED_ChildSession")});
    ASSERT_TRUE(child.waitForStarted());
    for (int i = 0; i < 600 && !QFile::exists(dir.filePath("ready")) && child.state() == QProcess::Running;
         ++i) {
        child.waitForFinished(100);
    }
    ASSERT_TRUE(QFile::exists(dir.filePath("ready"))) << child.readAll().toStdString();
    ASSERT_EQ(::kill(static_cast<pid_t>(child.processId()), SIGKILL), 0);
    child.waitForFinished();
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    const QString recovery = UseDataHome(dir.filePath("data"));
    ASSERT_EQ(FilesIn(recovery).filter(QStringLiteral(".kstrec")).size(), 1)
        << "the killed session left its copy";
    EXPECT_EQ(ReadAll(dir.filePath("part.kst")), original) << "the autosave never wrote over the document";

    QStringList shown;
    OnNextDialog<CRecoveryDialog>([&shown](CRecoveryDialog& d) {
        QTreeWidgetItem* item = d.List()->topLevelItem(0);
        for (int c = 0; c < 4 && item; ++c) {
            shown << item->text(c);
        }
        QTest::keyClick(d.windowHandle(), Qt::Key_R, Qt::AltModifier);
    });
    m_pApp = Start({});
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[0], QStringLiteral("part.kst"));
    EXPECT_EQ(shown[1], dir.filePath("part.kst"));
    EXPECT_FALSE(shown[2].isEmpty());
    EXPECT_EQ(shown[3], QStringLiteral("layers 1 and 2, active layer, CNC programs"));

    ASSERT_EQ(m_pApp->Documents().size(), 1u) << "the recovered drawing instead of a new one";
    CShellDocument& doc = *m_pApp->Documents()[0];
    EXPECT_TRUE(doc.Doc().IsModified());
    EXPECT_EQ(doc.GetPath(), dir.filePath("part.kst")) << "Save writes where the drawing came from";
    // Opening a drawing starts on layer 1, a recovered one too; all else is as it was written.
    const QByteArray written = ReadAll(dir.filePath("expected.kst"));
    std::string error;
    auto expected = CDocumentFile::Read(std::vector<uint8_t>(written.begin(), written.end()), {}, error);
    ASSERT_NE(expected, nullptr) << error;
    expected->SetActiveLayer(doc.Doc().GetActiveLayerIndex());
    EXPECT_TRUE(CDocumentFile::Write(doc.Doc()) == CDocumentFile::Write(*expected))
        << "the recovered drawing differs from the one on screen at the last autosave";

    // Closing it (changes discarded) removes the copy and its lock.
    m_pApp->GetMainFrame()->close();
    m_pApp.reset();
    EXPECT_TRUE(FilesIn(recovery).isEmpty()) << FilesIn(recovery).join(QLatin1Char(' ')).toStdString();
}

TEST_F(Recovery, DamagedRecoveryFilesAreReportedAndSetAsideAndTheStartGoesOn) {
    QTemporaryDir dir;
    const QString recovery = UseDataHome(dir.filePath("data"));
    ASSERT_TRUE(QDir().mkpath(recovery));
    QFile bad(recovery + QStringLiteral("/broken.kstrec"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("KESTROVEL RECOVERY 1\ndocument 4:abcd\n");  // a whole record, but no drawing in it
    bad.close();

    QString note;
    OnNextDialog<CRecoveryDialog>([&note](CRecoveryDialog& d) {
        if (auto* label = d.findChild<QLabel*>(QStringLiteral("damaged"))) {
            note = label->text();
        }
        QTest::keyClick(d.windowHandle(), Qt::Key_Escape);
    });
    m_pApp = Start({QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/sample.kst")});
    EXPECT_TRUE(note.contains(QStringLiteral("broken.kstrec"))) << note.toStdString();
    EXPECT_EQ(m_pApp->Documents().size(), 1u);
    EXPECT_EQ(FilesIn(recovery), QStringList{QStringLiteral("broken.kstrec.damaged")});
}

TEST_F(Recovery, ModifiedDrawingsAreCopiedSavedOnesNotAndOptionsSetTheInterval) {
    QTemporaryDir dir;
    const QString recovery = UseDataHome(dir.filePath("data"));
    m_pApp = Start({QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/sample.kst")});
    CAutosave& autosave = *m_pApp->Autosave();
    EXPECT_TRUE(autosave.IsRunning()) << "five minutes by default";
    CShellDocument& doc = *m_pApp->Documents()[0];
    auto tick = [&]() {
        autosave.SaveModified();
        autosave.WaitForWrites();
        return FilesIn(recovery).filter(QStringLiteral(".kstrec"));
    };
    EXPECT_TRUE(tick().isEmpty()) << "an unchanged drawing has no copy";
    doc.Doc().SetModifiedFlag(true);
    ASSERT_EQ(tick().size(), 1);
    doc.Doc().SetModifiedFlag(false);  // as after File > Save
    EXPECT_TRUE(tick().isEmpty()) << "the saved file is the newer copy";
    doc.Doc().SetModifiedFlag(true);
    ASSERT_EQ(tick().size(), 1);

    OnNextDialog<COptionsDialog>([](COptionsDialog& d) {
        QTest::keyClick(d.windowHandle(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(d.windowHandle(), Qt::Key_0);
        QTest::keyClick(d.windowHandle(), Qt::Key_Return);
    });
    m_pApp->GetMainFrame()->Route(kCmdOptions);
    EXPECT_EQ(autosave.GetMinutes(), 0);
    EXPECT_FALSE(autosave.IsRunning()) << "0 turns autosave off";

    m_pApp->GetMainFrame()->Route(kCmdFileClose);  // "Save changes?" answered No
    EXPECT_TRUE(m_pApp->Documents().empty());
    EXPECT_TRUE(FilesIn(recovery).isEmpty());
}
