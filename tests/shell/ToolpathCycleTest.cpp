// Cycles in the CNC window's toolpath pane, driven through the main window: a thread's passes
// under the code cursor (and the README's picture of them), and a cycle the reader cannot follow
// named with its line instead of being drawn.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QSplitter>
#include <QTextBlock>
#include <set>

#include "AppFixture.h"
#include "GuiDriver.h"
#include "UserInput.h"
#include "platform/ProgramWindowIds.h"
#include "shell/ChildProcFrame.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/PreProcesorEdit.h"
#include "shell/ToolpathCanvas.h"
#include "shell/ToolpathPane.h"

using namespace UserInput;

namespace {

class ToolpathCycleTest : public CAppFixture {
protected:
    void Open(const QString& drawing) {
        m_pCnc = OpenCncOn(drawing);
        ASSERT_NE(m_pCnc, nullptr);
    }
    QWidget* Widget(int id) const { return m_pCnc->Bar().Widget(id); }
    CToolpathCanvas& Canvas() const { return m_pCnc->ToolpathPane().Canvas(); }
    QPoint PixelOf(const CPathPoint& p) const {
        const CViewServices& map = Canvas().View().GetMapping();
        return {static_cast<int>(std::lround(map.ModelToScreenXF(p.dZ))),
                static_cast<int>(std::lround(map.ModelToScreenYF(p.dX)))};
    }
    // The pixels the moves of an NC line cover on the canvas.
    QRect ExtentOfLine(int line) const {
        QRect extent;
        for (const CToolMove& m : Canvas().View().GetPath().moves) {
            if (m.nLine == line) {
                for (const double t : {0.0, 1.0}) {
                    extent |= QRect(PixelOf(m.segment.PointAt(t)), QSize(1, 1));
                }
            }
        }
        return extent;
    }

    CChildProcFrame* m_pCnc = nullptr;
};

}  // namespace

TEST_F(ToolpathCycleTest, TheThreadCycleUnderTheCodeCursorShowsItsPasses) {
    const QString drawing = m_dir.filePath(QStringLiteral("threaded-shaft.kst"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/threaded-shaft.kst"), drawing));
    ASSERT_NO_FATAL_FAILURE(Open(drawing));
    ASSERT_TRUE(
        ChooseEntry(qobject_cast<QComboBox*>(Widget(IDC_PROG_SELECT)), QStringLiteral("Shaft operations")));
    Click(qobject_cast<QPushButton*>(Widget(IDC_COMPILE_PROGRAM)));
    Settle();
    CPreProcesorEdit& code = m_pCnc->CodeView();
    ASSERT_TRUE(code.toPlainText().contains(QStringLiteral(" G76 ")));
    EXPECT_TRUE(Canvas().View().GetPath().errors.empty());

    // The code cursor walked down to the thread with the arrow keys.
    Click(code.viewport(), QPoint(20, 8));
    Key(&code, Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < 300 && !code.textCursor().block().text().contains(QStringLiteral(" G76 ")); ++i) {
        Key(&code, Qt::Key_Down);
    }
    const int line = code.textCursor().blockNumber() + 1;
    ASSERT_TRUE(code.textCursor().block().text().contains(QStringLiteral(" G76 ")));
    Settle();
    EXPECT_EQ(Canvas().View().GetSelectedLine(), line);
    const std::vector<CToolMove>& moves = Canvas().View().GetPath().moves;
    const auto onLine =
        std::count_if(moves.begin(), moves.end(), [line](const CToolMove& m) { return m.nLine == line; });
    // A pass: a feed move along Z.
    const auto isPass = [line](const CToolMove& m) {
        return m.nLine == line && !m.bRapid && m.segment.PointAt(0).dX == m.segment.PointAt(1).dX;
    };
    const auto cuts = std::count_if(moves.begin(), moves.end(), isPass);
    EXPECT_GE(cuts, 5) << "a pass along Z for each infeed";
    EXPECT_GE(onLine, 3 * cuts) << "each pass: in, along, out and back";
    EXPECT_EQ(Canvas().View().GetSelected().size(), static_cast<size_t>(onLine));

    // A wider pane (its splitter dragged), zoomed with the wheel near the thread's start until the
    // passes stand apart.
    auto* area = qobject_cast<QSplitter*>(m_pCnc->ToolpathPane().parentWidget());
    ASSERT_NE(area, nullptr);
    QSplitterHandle* handle = area->handle(1);
    Drag(handle, handle->rect().center(), handle->rect().center() - QPoint(area->width() / 8, 0));
    Settle();
    // The passes' start: dragged to the middle of the pane and zoomed about.
    double zFrom = -1e300, zTo = 1e300, xSum = 0;
    for (const CToolMove& m : moves) {
        if (isPass(m)) {
            for (const double t : {0.0, 1.0}) {
                zFrom = std::max(zFrom, m.segment.PointAt(t).dZ);
                zTo = std::min(zTo, m.segment.PointAt(t).dZ);
            }
            xSum += m.segment.PointAt(0).dX;
        }
    }
    CPathPoint start;
    start.dZ = zFrom - (zFrom - zTo) * 0.05;
    start.dX = xSum / static_cast<double>(cuts);
    Drag(&Canvas(), PixelOf(start), Canvas().rect().center());
    for (int i = 0; i < 40 && ExtentOfLine(line).height() < Canvas().height() / 3; ++i) {
        Wheel(&Canvas(), PixelOf(start), 1);
    }
    std::set<int> passRows;
    for (const CToolMove& m : moves) {
        if (isPass(m)) {
            passRows.insert(PixelOf(m.segment.PointAt(0)).y());
        }
    }
    EXPECT_GE(ExtentOfLine(line).height(), Canvas().height() / 3);
    EXPECT_GE(passRows.size(), 5u) << "each pass on its own row of pixels";
    Settle();

    QImage picture = m_pCnc->grab().toImage().convertToFormat(QImage::Format_RGB32);
    picture = picture.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    EXPECT_TRUE(picture.save(QStringLiteral(KESTROVEL_BINARY_DIR "/kestrovel-toolpath-thread.png")));
    if (const QByteArray folder = qgetenv("KESTROVEL_README_IMAGES"); !folder.isEmpty()) {
        EXPECT_TRUE(picture.save(QString::fromLocal8Bit(folder) + QStringLiteral("/toolpath-thread.png")));
    }
}

TEST_F(ToolpathCycleTest, ACycleTheReaderCannotFollowIsNamedWithItsLine) {
    // A post writing a tapping cycle after its finishing pass, registered beside the samples.
    const QString data = QStringLiteral(KESTROVEL_SOURCE_DIR "/tests/data/toolpath/Debug/");
    for (const char* name : {"Tap.itm", "Tap.pos"}) {
        ASSERT_TRUE(QFile::copy(data + QLatin1String(name),
                                m_dir.filePath(QStringLiteral("Debug/")) + QLatin1String(name)));
    }
    QFile registry(m_dir.filePath(QStringLiteral("Debug/Post.ini")));
    ASSERT_TRUE(registry.open(QIODevice::ReadWrite));
    QByteArray text = registry.readAll();
    text.replace("EndPost",
                 "Name:    Tapping cycle\nDefPath: \\Tap.*\nOutPath: \\Tap.ngc\nSpare:   "
                 "\\Tap.bak\n--------\nEndPost");
    registry.resize(0);
    registry.write(text);
    registry.close();

    ASSERT_NO_FATAL_FAILURE(Open(QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/sample.kst")));
    CMainFrame& frame = *m_pApp->GetMainFrame();
    ASSERT_TRUE(ClickMenu(frame.menuBar(), QStringLiteral("Program"), QStringLiteral("New")));
    Settle();
    ASSERT_TRUE(
        ChooseEntry(qobject_cast<QComboBox*>(Widget(IDC_PROG_POST)), QStringLiteral("Tapping cycle")));
    ASSERT_TRUE(ClickRow(qobject_cast<QListWidget*>(Widget(IDC_PROG_TEMPLATES)), QStringLiteral("Finish")));
    Click(qobject_cast<QPushButton*>(Widget(IDC_PROG_ADD)));
    ASSERT_EQ(m_pCnc->Bar().GetCount(IDC_PROG_COMMANDS), 1);
    ASSERT_TRUE(ClickMenu(frame.menuBar(), QStringLiteral("Program"), QStringLiteral("Compile")));
    Settle();

    const QString shown = m_pCnc->ToolpathPane().SummaryLabel().text();
    const QTextBlock tap = m_pCnc->CodeView().document()->find(QStringLiteral("G84")).block();
    ASSERT_TRUE(tap.isValid()) << m_pCnc->CodeView().toPlainText().toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("line %1: ").arg(tap.blockNumber() + 1)))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("G84"))) << shown.toStdString();
    // Its line draws nothing: no single move stands in for the cycle.
    for (const CToolMove& m : Canvas().View().GetPath().moves) {
        EXPECT_NE(m.nLine, tap.blockNumber() + 1);
    }
}
