// The CNC window's toolpath pane: the sample compiled, its moves shown, picked and linked to code.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTextBlock>

#include "AppFixture.h"
#include "GuiDriver.h"
#include "shell/ChildProcFrame.h"
#include "shell/CommandIds.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/PreProcesorEdit.h"
#include "shell/QtSettingsStore.h"
#include "shell/ToolpathCanvas.h"
#include "shell/ToolpathPane.h"
#include "toolpath/ToolpathPainter.h"

namespace {

class ToolpathPaneTest : public CAppFixture {
protected:
    void SetUp() override {
        CAppFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartOnSample(1280, 900));
        m_pCnc = OpenCncMaximized();
        ASSERT_NE(m_pCnc, nullptr);
        m_pApp->GetMainFrame()->Route(kCmdProgramCompile);
        Settle();
    }
    CToolpathCanvas& Canvas() const { return m_pCnc->ToolpathPane().Canvas(); }
    QPoint PixelOf(const CPathPoint& p) const {
        const CViewServices& map = Canvas().View().GetMapping();
        return {static_cast<int>(std::lround(map.ModelToScreenXF(p.dZ))),
                static_cast<int>(std::lround(map.ModelToScreenYF(p.dX)))};
    }

    CChildProcFrame* m_pCnc = nullptr;
};

}  // namespace

TEST_F(ToolpathPaneTest, CompilingTheSampleShowsItsMovesBesideTheCode) {
    const CToolpath& path = Canvas().View().GetPath();
    ASSERT_GT(path.moves.size(), 10u);
    EXPECT_TRUE(path.errors.empty());
    EXPECT_TRUE(m_pCnc->ToolpathPane().SummaryLabel().text().startsWith(QStringLiteral("largest deviation ")))
        << m_pCnc->ToolpathPane().SummaryLabel().text().toStdString();
    EXPECT_GT(Canvas().width(), 100);
    EXPECT_GT(m_pCnc->ToolpathPane().x(), m_pCnc->CodeView().x());
    // Feed moves in their colour on the picture.
    const QImage picture = Canvas().grab().toImage();
    const QColor feed(GetRValue(CToolpathPainter::kFeedColor), GetGValue(CToolpathPainter::kFeedColor),
                      GetBValue(CToolpathPainter::kFeedColor));
    int feedPixels = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            feedPixels += picture.pixelColor(x, y) == feed ? 1 : 0;
        }
    }
    EXPECT_GT(feedPixels, 50);
    const QString shot = QStringLiteral(KESTROVEL_BINARY_DIR "/kestrovel-toolpath-screenshot.png");
    EXPECT_TRUE(m_pApp->GetMainFrame()->grab().toImage().save(shot));
}

TEST_F(ToolpathPaneTest, ClickingAMoveSelectsItsLineAndTheCodeSelectsMoves) {
    const CToolpath& path = Canvas().View().GetPath();
    // The arc of the sample profile.
    const auto arc = std::find_if(path.moves.begin(), path.moves.end(),
                                  [](const CToolMove& m) { return m.segment.IsArc(); });
    ASSERT_NE(arc, path.moves.end());
    QTest::mouseClick(&Canvas(), Qt::LeftButton, {}, PixelOf(arc->segment.PointAt(0.5)));
    const QTextCursor cursor = m_pCnc->CodeView().textCursor();
    EXPECT_EQ(cursor.blockNumber() + 1, arc->nLine);
    EXPECT_TRUE(cursor.selectedText().startsWith(QString::fromStdString(arc->strBlock + " G")))
        << cursor.selectedText().toStdString();
    EXPECT_EQ(Canvas().View().GetSelectedLine(), arc->nLine);

    // The other way round: the cursor on the line of the last feed move selects it.
    const auto last =
        std::find_if(path.moves.rbegin(), path.moves.rend(), [](const CToolMove& m) { return !m.bRapid; });
    QTextCursor onLine(m_pCnc->CodeView().document()->findBlockByNumber(last->nLine - 1));
    m_pCnc->CodeView().setTextCursor(onLine);
    EXPECT_EQ(Canvas().View().GetSelectedLine(), last->nLine);
    EXPECT_EQ(Canvas().View().GetSelected(),
              std::vector<size_t>{static_cast<size_t>(path.moves.rend() - last - 1)});
}

TEST_F(ToolpathPaneTest, WheelZoomsAndDraggingPans) {
    const int zoom = Canvas().View().GetMapping().GetZoom();
    const QPoint centre(Canvas().width() / 2, Canvas().height() / 2);
    QWheelEvent wheel(centre, Canvas().mapToGlobal(centre), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&Canvas(), &wheel);
    EXPECT_GT(Canvas().View().GetMapping().GetZoom(), zoom);
    const CPoint origin = Canvas().View().GetMapping().GetOrigin();
    QTest::mousePress(&Canvas(), Qt::LeftButton, {}, centre);
    QTest::mouseMove(&Canvas(), centre + QPoint(40, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(centre + QPoint(40, 10)),
                     Canvas().mapToGlobal(QPointF(centre + QPoint(40, 10))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&Canvas(), &move);
    QTest::mouseRelease(&Canvas(), Qt::LeftButton, {}, centre + QPoint(40, 10));
    EXPECT_EQ(Canvas().View().GetMapping().GetOrigin(), CPoint(origin.x + 40, origin.y + 10));
    // A double click fits again.
    QTest::mouseDClick(&Canvas(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(Canvas().View().GetMapping().GetZoom(), 100);
}

// In narrow panes the result line wraps (its tool tip holds it whole) and long NC lines wrap at
// the code view's edge instead of running past it.
TEST_F(ToolpathPaneTest, NarrowPanesWrapTheResultLineAndTheCode) {
    auto* area = qobject_cast<QSplitter*>(m_pCnc->ToolpathPane().parentWidget());
    ASSERT_NE(area, nullptr);
    area->setSizes({100, 170});
    Settle();
    const QLabel& label = m_pCnc->ToolpathPane().SummaryLabel();
    ASSERT_FALSE(label.text().isEmpty());
    EXPECT_EQ(label.toolTip(), label.text());
    const QRect need = label.fontMetrics().boundingRect(QRect(0, 0, label.contentsRect().width(), 10000),
                                                        Qt::TextWordWrap, label.text());
    EXPECT_LE(need.width(), label.contentsRect().width());
    EXPECT_LE(need.height(), label.contentsRect().height()) << label.text().toStdString();
    const CPreProcesorEdit& code = m_pCnc->CodeView();
    int longest = 0;
    for (QTextBlock b = code.document()->begin(); b.isValid(); b = b.next()) {
        longest = std::max(longest, code.fontMetrics().horizontalAdvance(b.text()));
    }
    EXPECT_GT(longest, code.viewport()->width());
    EXPECT_EQ(code.horizontalScrollBar()->maximum(), 0);
}
