// The drawing window between Qt and the view: scroll bars, keys, the wheel, printing's picture.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPainter>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "AppFixture.h"
#include "GuiDriver.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"
#include "shell/ChildProcFrame.h"
#include "shell/CommandIds.h"
#include "shell/DrawingPropertiesDialog.h"
#include "shell/DrawingWindow.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/QtSettingsStore.h"
#include "shell/ShellDocument.h"
#include "shell/ViewToolBar.h"
#include "view/KestrovelView.h"

namespace {

class Window : public CAppFixture {
protected:
    void SetUp() override {
        CAppFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartOnSample(1000, 800));
        m_pDrawing = m_pApp->ActiveDrawing();
        ASSERT_NE(m_pDrawing, nullptr);
    }

    CDrawingWindow* m_pDrawing = nullptr;
};

}  // namespace

TEST_F(Window, ScrollBarStepsMoveTheViewAndShowItsPosition) {
    const CKestrovelView& view = m_pDrawing->View();
    QScrollBar* bar = m_pDrawing->horizontalScrollBar();
    EXPECT_EQ(bar->minimum(), -500);
    EXPECT_EQ(bar->maximum(), 500);
    // The sample's material is 120 mm long and the view 944 pixels wide: scale = 944 000 000 /
    // (1 200 000 x 2.4) = 327, the material 392 pixels wide, home x = (944 - 392) / 2 = 276,
    // hmax = 32 700 x 100 / 1000 = 3270, hmin = 32 700 x -600 / 1000 + 944 = -18 676.
    ASSERT_EQ(m_pDrawing->viewport()->width(), 944);
    ASSERT_EQ(view.GetOrigin().x, 276);
    // Page right moves the drawing half a window left, to -196: the bar shows
    // -((-196 + 18 676) x 1000 / 21 946 - 500) = -(842 - 500) = -342 (Qt's own step: -263).
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(view.GetOrigin().x, -196);
    EXPECT_EQ(bar->value(), -342) << "the bar shows the view's position, not Qt's step";
    for (int i = 0; i < 200 && view.GetOrigin().x < view.GetHMax(); ++i) {
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    }
    EXPECT_EQ(view.GetOrigin().x, view.GetHMax());
    EXPECT_EQ(bar->value(), -500);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(bar->value(), -500) << "an action the view does not know moves nothing";
    EXPECT_EQ(view.GetOrigin().x, view.GetHMax());
}

TEST_F(Window, KeysReachTheViewAndTheWheelZoomsInWholeNotches) {
    const CKestrovelView& view = m_pDrawing->View();
    const int opened = view.GetZoom();
    QWheelEvent half(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, 60), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_pDrawing->viewport(), &half);
    EXPECT_EQ(view.GetZoom(), opened) << "half a notch waits for the other half";
    QApplication::sendEvent(m_pDrawing->viewport(), &half);
    EXPECT_EQ(view.GetZoom(), (opened * 5 + 2) / 4);
    const int zoom = view.GetZoom();
    QTest::keyClick(m_pDrawing, Qt::Key_F3);
    EXPECT_EQ(view.GetZoom(), zoom / 2 < 5 ? 5 : zoom / 2);
    Settle();
    EXPECT_EQ(m_pApp->GetMainFrame()->ViewBar()->Controls().GetText(102),
              std::to_string(view.GetZoom()) + "%")
        << "the zoom box follows";
}

TEST_F(Window, ThePrintedPictureIsTheDrawing) {
    m_pDrawing->viewport()->repaint();
    QImage page(400, 300, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    m_pDrawing->Render(painter, QRect(0, 0, 400, 300));
    painter.end();
    int ink = 0;
    for (int y = 0; y < page.height(); y += 3) {
        for (int x = 0; x < page.width(); x += 3) {
            ink += page.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 100);
    // The grey stock alone is not the drawing: the profile's red hatch and black outline show.
    int hatch = 0;
    int outline = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            hatch += page.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
            outline += page.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(hatch, 500);
    EXPECT_GT(outline, 200);
}

TEST_F(Window, ProgrammingFormKeepsNamesAndNumbersInRange) {
    m_pApp->GetMainFrame()->Route(kCmdCncProgramming);
    auto* cnc = dynamic_cast<CChildProcFrame*>(m_pApp->GetMainFrame()->Mdi()->activeSubWindow());
    ASSERT_NE(cnc, nullptr);
    CQtControlBar& bar = cnc->Bar();
    CProgram* program = cnc->Programs()->GetActiveProgram();
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(m_pApp->GetMainFrame()->Mdi()->subWindowList().size(), 2);
    EXPECT_EQ(cnc->OuterSplitter()->sizes().value(0), CChildProcFrame::kFormHeight);

    auto* name = qobject_cast<QLineEdit*>(bar.Widget(IDC_PROG_NAME));
    name->clear();
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(name, &out);
    EXPECT_EQ(program->GetName(), "Shaft finish") << "an empty name keeps the old one";
    name->setText(QStringLiteral("Shaft"));
    QApplication::sendEvent(name, &out);
    EXPECT_EQ(program->GetName(), "Shaft");
    EXPECT_EQ(bar.GetEntry(IDC_PROG_SELECT, 0), "Shaft");

    auto* number = qobject_cast<QSpinBox*>(bar.Widget(IDC_PROG_NUMBER));
    number->setValue(20000);
    EXPECT_EQ(program->GetNumber(), 10000);
    number->setValue(-4);
    EXPECT_EQ(program->GetNumber(), 0);

    // A second template replaces the half-filled first one without asking.
    auto* templates = qobject_cast<QListWidget*>(bar.Widget(IDC_PROG_TEMPLATES));
    templates->setCurrentRow(bar.FindStringExact(IDC_PROG_TEMPLATES, "Rapid to point"));
    templates->setCurrentRow(bar.FindStringExact(IDC_PROG_TEMPLATES, "Dwell"));
    ASSERT_NE(program->GetCurrent(), nullptr);
    EXPECT_EQ(program->GetCurrent()->GetName(), "Dwell");

    m_pApp->GetMainFrame()->Route(kCmdCncProgramming);
    EXPECT_EQ(m_pApp->GetMainFrame()->Mdi()->activeSubWindow(), cnc)
        << "opening again brings the same window";
    cnc->close();
    EXPECT_EQ(m_pApp->GetMainFrame()->Mdi()->subWindowList().size(), 1);
    EXPECT_EQ(m_pApp->Documents().size(), 1u) << "the drawing window still shows the document";
}

TEST_F(Window, AnIdleWindowStopsPainting) {
    // Select the first element so that every paint also draws its overlay.
    const CKestrovelView& view = m_pDrawing->View();
    const QPoint at(view.ModelToScreenX(100000), view.ModelToScreenY(210000));
    QTest::mouseClick(m_pDrawing->viewport(), Qt::LeftButton, {}, at);
    ASSERT_NE(view.GetActiveElement(), nullptr);
    m_pDrawing->Invalidate(false);
    Settle();
    const int painted = m_pDrawing->GetPaintCount();
    Settle();
    EXPECT_EQ(m_pDrawing->GetPaintCount(), painted) << "a paint must not ask for the next one";
}
