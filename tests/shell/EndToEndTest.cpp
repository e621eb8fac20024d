// A first session as a machinist has it, by mouse and keyboard only: a 300 x 80 mm drawing, a
// step made with Range and Line in fast mode, a feed typed with Enter, a LinuxCNC program with a
// finishing pass, compiled; closed with "Yes" to saving, and opened again. The pictures of the
// README's "Getting started" are taken on the way.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <cmath>

#include "AppFixture.h"
#include "GuiDriver.h"
#include "UserInput.h"
#include "platform/ControlIds.h"
#include "platform/ProgramWindowIds.h"
#include "shell/AidsBar.h"
#include "shell/ChildFrame.h"
#include "shell/ChildProcFrame.h"
#include "shell/CommandIds.h"
#include "shell/CommandTable.h"
#include "shell/DrawingPropertiesDialog.h"
#include "shell/DrawingWindow.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/ObjectBar.h"
#include "shell/PreProcesorEdit.h"
#include "shell/PreProcesorView.h"
#include "shell/QtSettingsStore.h"

using namespace UserInput;

namespace {

const QString kGolden = QStringLiteral(KESTROVEL_SOURCE_DIR "/tests/data/getting-started.ngc");

// Pictures go to the build folder, and also to KESTROVEL_README_IMAGES when it names a folder
// (docs/images when the README's pictures are made again).
void SavePicture(QWidget* window, const QString& name) {
    QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    image = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    QStringList folders{QStringLiteral(KESTROVEL_BINARY_DIR "/getting-started")};
    if (const QByteArray extra = qgetenv("KESTROVEL_README_IMAGES"); !extra.isEmpty()) {
        folders << QString::fromLocal8Bit(extra);
    }
    for (const QString& folder : folders) {
        QDir().mkpath(folder);
        EXPECT_TRUE(image.save(folder + QLatin1Char('/') + name)) << name.toStdString();
    }
}

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).remove(QLatin1Char('\r'))
                                          : QString();
}

class EndToEnd : public CAppFixture {
protected:
    std::unique_ptr<CKestrovelApp> Start(QStringList args = {}) {
        auto app = MakeApp();
        EXPECT_TRUE(app->InitInstance(args));
        CMainFrame& frame = *app->GetMainFrame();
        frame.resize(1000, 680);
        frame.activateWindow();
        // On a real X server the size arrives later: the drawing's scale must not change after
        // the mouse has measured it.
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
        QTest::qWait(200);
        Settle();
        return app;
    }

    static QAction* Command(CMainFrame& frame, int id) { return frame.Commands().Action(id); }

    static QWidget* Canvas(CMainFrame& frame) {
        auto* child = dynamic_cast<CChildFrame*>(frame.Mdi()->activeSubWindow());
        return child ? child->Drawing().viewport() : nullptr;
    }

    // Moves the pointer as the window system reports a move: on a real X server a move of a
    // widget's pointer would warp the server's pointer and come back later, through the window
    // manager's idea of where the window is.
    static void MoveTo(QWidget* canvas, QPoint at) {
        QWidget* top = canvas->window();
        QTest::mouseMove(top->windowHandle(), canvas->mapTo(top, at));
        QCoreApplication::processEvents();
    }

    // The pixel column whose read-out in the status bar is closest to z (in the display unit),
    // found by moving the mouse along the drawing as a user watching the read-out would.
    static int ColumnOf(CMainFrame& frame, double z) {
        QWidget* canvas = Canvas(frame);
        const int y = canvas->height() / 2;
        int best = -1;
        double distance = 1e9;
        for (int x = 0; x < canvas->width(); ++x) {
            MoveTo(canvas, QPoint(x, y));
            bool ok = false;
            const double shown = frame.GetPaneText(1).toDouble(&ok);
            if (ok && std::abs(shown - z) < distance) {
                distance = std::abs(shown - z);
                best = x;
            }
        }
        return best;
    }

    // The field as the user sees it: an editable list is clicked and typed into as a whole.
    static QWidget* Field(CMainFrame& frame, int id) { return frame.ObjectBar()->Controls().Widget(id); }
};

}  // namespace

TEST_F(EndToEnd, FromANewDrawingToACompiledProgramAndBack) {
    // 1. A new drawing: the "Drawing properties" dialog comes up at start.
    WhenShown<CDrawingPropertiesDialog>([](CDrawingPropertiesDialog& d) {
        TypeInto(d.findChild<QLineEdit*>(QStringLiteral("1027")), QStringLiteral("300"));
        TypeInto(d.findChild<QLineEdit*>(QStringLiteral("1029")), QStringLiteral("80"));
        Click(d.findChild<QRadioButton*>(QStringLiteral("1025")));
        SavePicture(&d, QStringLiteral("1-drawing-properties.png"));
        Click(d.findChild<QPushButton*>(QStringLiteral("1031")));
    });
    auto app = Start();
    CMainFrame& frame = *app->GetMainFrame();
    ASSERT_NE(Canvas(frame), nullptr);
    ASSERT_TRUE(ClickMenu(frame.menuBar(), QStringLiteral("View"), QStringLiteral("Object Dialog")));
    ASSERT_TRUE(ClickMenu(frame.menuBar(), QStringLiteral("View"), QStringLiteral("Drawing Aids Dialog")));
    Settle();
    SavePicture(&frame, QStringLiteral("1-new-drawing.png"));

    // 2. A step: the cursor moves in whole millimetres; Range and Line in fast mode mark Z 0 to
    // 100; then the line's ends go down to X 30.
    CQtControlBar& aids = frame.AidsBar()->Controls();
    ASSERT_TRUE(ChooseEntry(qobject_cast<QComboBox*>(aids.Widget(IDC_STEP_HORZ)), QStringLiteral("1 mm")));
    ASSERT_TRUE(ChooseEntry(qobject_cast<QComboBox*>(aids.Widget(IDC_ACCURACY)), QStringLiteral("0.1 mm")));
    ClickToolButton(frame.ToolsBar(), Command(frame, ID_MODE_FAST));
    ClickToolButton(frame.ToolsBar(), Command(frame, ID_TOOL_RANGE));
    ClickToolButton(frame.ToolsBar(), Command(frame, ID_TOOL_LINE));
    QWidget* canvas = Canvas(frame);
    const int y = canvas->height() / 2;
    // Just right of Z 0, so that the marker lies on the drawing and snaps to 0.
    const int left = ColumnOf(frame, 0.2);
    const int right = ColumnOf(frame, 100.0);
    // Press, then release where it was pressed, as a hand does; a real X server sees the pointer
    // move there in between.
    for (const auto& [x, button] : {std::pair{left, Qt::LeftButton}, std::pair{right, Qt::RightButton}}) {
        MoveTo(canvas, QPoint(x, y));
        QWidget* top = canvas->window();
        QTest::mousePress(top->windowHandle(), button, {}, canvas->mapTo(top, QPoint(x, y)));
        QTest::qWait(20);
        QTest::mouseRelease(top->windowHandle(), button, {}, canvas->mapTo(top, QPoint(x, y)));
        Settle();
    }
    const int middle = ColumnOf(frame, 50.0);
    CQtControlBar& object = frame.ObjectBar()->Controls();
    for (int id : {IDC_START_X, IDC_END_X}) {
        ClickToolButton(frame.ToolsBar(), Command(frame, ID_TOOL_SELECT));
        Click(canvas, QPoint(middle, y));
        ASSERT_EQ(object.GetText(IDC_START_Z), "0.0");
        ASSERT_EQ(object.GetText(IDC_END_Z), "100.0");
        TypeAndEnter(Field(frame, id), QStringLiteral("30"));
    }
    Settle();
    SavePicture(&frame, QStringLiteral("2-step.png"));

    // 3. A feed for the step: typed into Feed, Enter reads it.
    ClickToolButton(frame.ToolsBar(), Command(frame, ID_TOOL_SELECT));
    Click(canvas, QPoint(middle, y));
    EXPECT_EQ(object.GetText(IDC_START_X), "30.0");
    EXPECT_EQ(object.GetText(IDC_END_X), "30.0");
    TypeInto(Field(frame, IDC_FEED), QStringLiteral("150"));
    SavePicture(frame.ObjectBar(), QStringLiteral("3-feed.png"));
    Key(Field(frame, IDC_FEED), Qt::Key_Return);
    Click(canvas, QPoint(middle, y));
    EXPECT_EQ(object.GetText(IDC_FEED), "150") << "the applied line keeps its feed";

    // 4. A program with the LinuxCNC post-processor and a finishing pass.
    ASSERT_TRUE(ClickMenu(frame.menuBar(), QStringLiteral("View"), QStringLiteral("CNC Programming")));
    Settle();
    auto* cnc = dynamic_cast<CChildProcFrame*>(frame.Mdi()->activeSubWindow());
    ASSERT_NE(cnc, nullptr);
    CQtControlBar& form = cnc->Bar();
    EXPECT_EQ(form.GetText(IDC_PROG_SELECT), "New Program1");
    ASSERT_TRUE(
        ChooseEntry(qobject_cast<QComboBox*>(form.Widget(IDC_PROG_POST)), QStringLiteral("LinuxCNC lathe")));
    ASSERT_TRUE(ClickRow(qobject_cast<QListWidget*>(form.Widget(IDC_PROG_TEMPLATES)),
                         QStringLiteral("Finish left to right")));
    QList<QLineEdit*> fields;
    for (QLineEdit* e : cnc->FormView().findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        if (!e->objectName().isEmpty() && e->isVisible()) {
            fields.append(e);
        }
    }
    ASSERT_EQ(fields.size(), 5);
    const char* values[] = {"1", "45", "5", "45", "100"};
    for (int i = 0; i < 5; ++i) {
        TypeInto(fields[i], QString::fromLatin1(values[i]));
    }
    SavePicture(&frame, QStringLiteral("4-program.png"));
    Click(qobject_cast<QPushButton*>(form.Widget(IDC_PROG_ADD)));
    ASSERT_EQ(form.GetCount(IDC_PROG_COMMANDS), 1);

    // 5. Compile: the NC text is the one a machinist checked once.
    Click(qobject_cast<QPushButton*>(form.Widget(IDC_COMPILE_PROGRAM)));
    const QString code = cnc->CodeView().toPlainText();
    SavePicture(&frame, QStringLiteral("5-compiled.png"));
    EXPECT_EQ(code, ReadText(kGolden)) << code.toStdString();
    EXPECT_EQ(ReadText(m_dir.filePath(QStringLiteral("Debug/LinuxCncLathe.ngc"))), code);

    // Closing asks to save; "Yes" and a file name keep the work.
    const QString path = m_dir.filePath(QStringLiteral("shaft.kst"));
    QString question;
    WhenShown<QMessageBox>([&question, path](QMessageBox& box) {
        question = box.text();
        WhenShown<QFileDialog>([path](QFileDialog& files) {
            auto* name = files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            auto* buttons = files.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            if (!name || !buttons) {
                ADD_FAILURE() << "not the file dialog expected";
                files.reject();
                return;
            }
            // The dialog opens in the working directory; a bare name matches nothing there, so no
            // completion list covers the button.
            TypeInto(name, QFileInfo(path).fileName());
            Click(buttons->button(QDialogButtonBox::Save));
        });
        Click(box.button(QMessageBox::Yes));
    });
    ASSERT_TRUE(ClickMenu(frame.menuBar(), QStringLiteral("File"), QStringLiteral("Exit")));
    EXPECT_EQ(question, QStringLiteral("Save changes to Kestro1?"));
    EXPECT_FALSE(frame.isVisible());
    app.reset();
    ASSERT_TRUE(QFile::exists(path));

    // Opened again: the step with its feed, and the program, are there.
    auto again = Start({path});
    CMainFrame& reopened = *again->GetMainFrame();
    EXPECT_EQ(reopened.windowTitle(), QStringLiteral("Kestrovel - shaft.kst[*]"));
    ASSERT_TRUE(ClickMenu(reopened.menuBar(), QStringLiteral("View"), QStringLiteral("Object Dialog")));
    QWidget* canvasAgain = Canvas(reopened);
    ClickToolButton(reopened.ToolsBar(), Command(reopened, ID_TOOL_SELECT));
    Click(canvasAgain, QPoint(ColumnOf(reopened, 50.0), canvasAgain->height() / 2));
    CQtControlBar& objectAgain = reopened.ObjectBar()->Controls();
    EXPECT_EQ(objectAgain.GetText(IDC_END_Z), "100.0");
    EXPECT_EQ(objectAgain.GetText(IDC_END_X), "30.0");
    EXPECT_EQ(objectAgain.GetText(IDC_FEED), "150");
    ASSERT_TRUE(ClickMenu(reopened.menuBar(), QStringLiteral("View"), QStringLiteral("CNC Programming")));
    auto* cncAgain = dynamic_cast<CChildProcFrame*>(reopened.Mdi()->activeSubWindow());
    ASSERT_NE(cncAgain, nullptr);
    EXPECT_EQ(cncAgain->Bar().GetText(IDC_PROG_SELECT), "New Program1");
    EXPECT_EQ(cncAgain->Bar().GetText(IDC_PROG_POST), "LinuxCNC lathe");
    EXPECT_EQ(cncAgain->Bar().GetEntry(IDC_PROG_COMMANDS, 0), "Finish left to right");
    Click(qobject_cast<QPushButton*>(cncAgain->Bar().Widget(IDC_COMPILE_PROGRAM)));
    EXPECT_EQ(cncAgain->CodeView().toPlainText(), code);
}
