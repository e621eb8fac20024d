// The toolpath pane's "Simulate" mode, driven through the main window: the stock stepped by the
// slider and the code cursor, findings listed and selecting their line, and its picture.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTextBlock>

#include "AppFixture.h"
#include "UserInput.h"
#include "GuiDriver.h"
#include "postprocessor/Command.h"
#include "postprocessor/Parameter.h"
#include "postprocessor/Program.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"
#include "shell/ChildProcFrame.h"
#include "shell/CommandIds.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/PreProcesorEdit.h"
#include "shell/QtSurface.h"
#include "shell/ShellDocument.h"
#include "shell/SimulationPanel.h"
#include "shell/ToolpathCanvas.h"
#include "shell/ToolpathPane.h"
#include "simulation/SimulationPainter.h"

namespace {

class SimulationPanelTest : public CAppFixture {
protected:
    void SetUp() override {
        CAppFixture::SetUp();
        // The sample's program cuts with the inserts of its library (Debug/Tools.ini).
        ASSERT_NO_FATAL_FAILURE(StartOnSample(1280, 900));
        m_pCnc = OpenCncMaximized();
        ASSERT_NE(m_pCnc, nullptr);
    }
    void Compile() {
        m_pApp->GetMainFrame()->Route(kCmdProgramCompile);
        Settle();
    }
    CSimulationPanel& Panel() const { return m_pCnc->ToolpathPane().Simulation(); }
    // A click at the middle of a widget (or at a point of it), sent to the main window.
    void ClickOn(QWidget& widget, QPoint at = {-1, -1}) const {
        UserInput::Click(&widget, at);
        Settle();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
        UserInput::Key(m_pApp->GetMainFrame(), key, modifiers);
        Settle();
    }
    int PixelsOf(COLORREF color) const {
        const QImage picture = m_pCnc->ToolpathPane().Canvas().grab().toImage();
        const QColor wanted(GetRValue(color), GetGValue(color), GetBValue(color));
        int count = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                count += picture.pixelColor(x, y) == wanted ? 1 : 0;
            }
        }
        return count;
    }

    CChildProcFrame* m_pCnc = nullptr;
};

}  // namespace

TEST_F(SimulationPanelTest, TheSliderAndTheCodeCursorStepTheStock) {
    Compile();
    EXPECT_FALSE(Panel().Slider().isEnabled());
    ClickOn(Panel().ModeBox());
    ASSERT_TRUE(Panel().ModeBox().isChecked());
    ASSERT_TRUE(Panel().Slider().isEnabled());
    // The sample is clean: no gouge, no rapid through material, left over only in the three
    // inner corners the noses round, and the air cutting line.
    EXPECT_TRUE(Panel().Result().gouges.empty());
    EXPECT_TRUE(Panel().Result().rapids.empty());
    EXPECT_EQ(Panel().Result().leftOver.size(), 3u);
    ASSERT_EQ(Panel().Results().count(), 4);
    EXPECT_TRUE(Panel().Results().item(3)->text().startsWith(QStringLiteral("Air cutting")));
    const double cut = Panel().Frame().excess.Area();
    EXPECT_GT(PixelsOf(CSimulationPainter::kPartColor), 1000);

    ClickOn(Panel().Slider());
    Key(Qt::Key_Home);
    EXPECT_EQ(Panel().Slider().value(), 0);
    const double whole = Panel().Frame().excess.Area();
    EXPECT_GT(whole, cut + 100e8);
    EXPECT_GT(PixelsOf(CSimulationPainter::kLeftOverColor), 1000);
    Key(Qt::Key_End);
    EXPECT_NEAR(Panel().Frame().excess.Area(), cut, 1.0);

    // The cursor on the line of the arc: the stock as the moves up to it left it.
    QPlainTextEdit& code = m_pCnc->CodeView();
    const CToolpath& path = m_pCnc->ToolpathPane().Canvas().View().GetPath();
    // (An arc alone on its line: a cycle's line holds many moves.)
    const auto arc = std::find_if(path.moves.begin(), path.moves.end(), [&path](const CToolMove& m) {
        return m.segment.IsArc() && std::count_if(path.moves.begin(), path.moves.end(), [&m](const CToolMove& o) {
                                        return o.nLine == m.nLine;
                                    }) == 1;
    });
    ASSERT_NE(arc, path.moves.end());
    QTextCursor onArc(code.document()->findBlockByNumber(arc->nLine - 1));
    ClickOn(*code.viewport(), code.cursorRect(onArc).center() + QPoint(4, 0));
    ASSERT_EQ(code.textCursor().blockNumber() + 1, arc->nLine);
    EXPECT_EQ(Panel().Slider().value(), arc - path.moves.begin() + 1);
    const double atArc = Panel().Frame().excess.Area();
    EXPECT_LT(atArc, whole);
    EXPECT_GT(atArc, cut);

    const QString shot = QStringLiteral(KESTROVEL_BINARY_DIR "/kestrovel-simulation-screenshot.png");
    EXPECT_TRUE(m_pApp->GetMainFrame()->grab().toImage().save(shot));
    if (const QByteArray dir = qgetenv("KESTROVEL_README_IMAGES"); !dir.isEmpty()) {
        EXPECT_TRUE(
            m_pCnc->grab().toImage().save(QString::fromLocal8Bit(dir) + QStringLiteral("/6-simulate.png")));
    }
}

TEST_F(SimulationPanelTest, AFindingSelectsItsLineInTheCode) {
    // The rapid that brings the pocket's tool to the right end now stops at Z 110, X 26: it runs
    // into the stock the roughing cycle left over the pocket, and out of it to the pass's approach.
    CProgram& program = *CProgramDocument::GetList(m_pApp->Documents()[0]->Doc())->GetActiveProgram();
    ASSERT_GE(program.GetCommands().size(), 7u);
    for (const auto& parameter : program.GetCommands()[6]->GetParameters()) {
        if (parameter->GetKey() == "X") {
            parameter->SetRawValue(260000);
        } else if (parameter->GetKey() == "Z") {
            parameter->SetRawValue(1100000);
        }
    }
    Compile();
    ClickOn(Panel().ModeBox());
    ASSERT_EQ(Panel().Result().rapids.size(), 2u);
    const int line = Panel().Result().rapids[0].source.nLine;
    ASSERT_GE(Panel().Results().count(), 2);
    QListWidgetItem* item = Panel().Results().item(0);
    EXPECT_TRUE(item->text().contains(QStringLiteral("rapid through material")))
        << item->text().toStdString();
    ClickOn(*Panel().Results().viewport(), Panel().Results().visualItemRect(item).center());
    EXPECT_EQ(m_pCnc->CodeView().textCursor().blockNumber() + 1, line);
    EXPECT_GT(PixelsOf(CSimulationPainter::kGougeColor), 20) << "the rapid is drawn in red";
}

namespace {

// Draws everything straight onto itself: the picture the pane must show.
class CDirectSurface : public CQtSurface {
public:
    using CQtSurface::CQtSurface;
    bool DrawOver(int, int, const CSurface&) override { return false; }
};

}  // namespace

TEST_F(SimulationPanelTest, SteppingLaysTheKeptMovesOverTheStockAsIfDrawnAnew) {
    Compile();
    ClickOn(Panel().ModeBox());
    CToolpathCanvas& canvas = m_pCnc->ToolpathPane().Canvas();
    auto expectDrawnAnew = [&canvas](const char* when) {
        const QImage shown = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(canvas.View().PaintedFromPicture()) << when;
        CDirectSurface direct(canvas.width(), canvas.height());
        canvas.View().Paint(direct);
        EXPECT_TRUE(shown == direct.GetImage().convertToFormat(QImage::Format_RGB32)) << when;
    };
    ClickOn(Panel().Slider());
    Key(Qt::Key_Home);
    canvas.grab();
    for (int i = 0; i < 6; ++i) {
        Key(Qt::Key_PageUp);
    }
    ASSERT_GT(Panel().Slider().value(), 0);
    expectDrawnAnew("stepped");
    // Zoomed in at the middle: the picture is drawn for the new mapping.
    const int zoom = canvas.View().GetMapping().GetZoom();
    UserInput::Wheel(&canvas, canvas.rect().center(), 2);
    ASSERT_GT(canvas.View().GetMapping().GetZoom(), zoom);
    canvas.grab();
    Key(Qt::Key_End);
    expectDrawnAnew("zoomed and stepped");
}
