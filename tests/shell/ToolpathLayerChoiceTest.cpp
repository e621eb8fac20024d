// The toolpath pane's part and bore layers, chosen through the main window: the threaded shaft's
// operations measured and simulated clean, the choice kept per program, and its pictures.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

#include "AppFixture.h"
#include "UserInput.h"
#include "platform/ProgramWindowIds.h"
#include "shell/PreProcesorEdit.h"
#include "shell/SimulationPanel.h"
#include "shell/ToolpathCanvas.h"
#include "shell/ToolpathPane.h"

using namespace UserInput;

namespace {

class ToolpathLayerChoiceTest : public CAppFixture {
protected:
    // The threaded shaft's copy opened, a program chosen and compiled.
    void OpenShaft(QSize size) {
        const QString drawing = m_dir.filePath(QStringLiteral("threaded-shaft.kst"));
        QFile::remove(drawing);
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/threaded-shaft.kst"), drawing));
        m_pCnc = OpenCncOn(drawing, size);
        ASSERT_NE(m_pCnc, nullptr);
        ASSERT_NO_FATAL_FAILURE(ChooseProgram(QStringLiteral("Shaft operations")));
        Click(m_pCnc->Bar().Widget(IDC_COMPILE_PROGRAM));
        Settle();
    }
    void ChooseProgram(const QString& name) {
        ASSERT_TRUE(ChooseEntry(qobject_cast<QComboBox*>(m_pCnc->Bar().Widget(IDC_PROG_SELECT)), name));
        Settle();
    }
    CToolpathPane& Pane() const { return m_pCnc->ToolpathPane(); }
    CSimulationPanel& Simulation() const { return Pane().Simulation(); }
    // The findings listed that name a fault: a gouge or a rapid through material.
    int FaultsListed() const {
        int faults = 0;
        for (int i = 0; i < Simulation().Results().count(); ++i) {
            const QString text = Simulation().Results().item(i)->text();
            faults += text.contains(QStringLiteral("gouge")) || text.contains(QStringLiteral("rapid through"))
                          ? 1
                          : 0;
        }
        return faults;
    }
    // Nothing of the layer row is cut off or overlaps its neighbours.
    void ExpectLayerRowWhole() const {
        QWidget* row = Pane().PartLayerBox().parentWidget();
        std::vector<QRect> boxes;
        for (QWidget* w : row->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            EXPECT_TRUE(row->rect().contains(w->geometry())) << w->metaObject()->className();
            EXPECT_GE(w->width(), w->sizeHint().width()) << w->metaObject()->className();
            for (const QRect& other : boxes) {
                EXPECT_FALSE(other.intersects(w->geometry())) << w->metaObject()->className();
            }
            boxes.push_back(w->geometry());
        }
        EXPECT_LT(row->geometry().bottom(), Pane().Canvas().geometry().top());
    }

    CChildProcFrame* m_pCnc = nullptr;
};

}  // namespace

TEST_F(ToolpathLayerChoiceTest, ThePartAndBoreLayersChosenMakeTheShaftSimulateClean) {
    ASSERT_NO_FATAL_FAILURE(OpenShaft({1280, 900}));
    // At first the part's layer and no bore.
    EXPECT_EQ(Pane().PartLayerBox().currentText(), QStringLiteral("1"));
    EXPECT_EQ(Pane().BoreLayerBox().currentText(), QStringLiteral("None"));
    Click(&Simulation().ModeBox());
    ASSERT_TRUE(Simulation().ModeBox().isChecked());
    // A step half-way through stays where it is while the layers are chosen.
    Click(&Simulation().Slider());
    Key(&Simulation().Slider(), Qt::Key_Home);
    Key(&Simulation().Slider(), Qt::Key_PageUp);
    const int step = Simulation().Slider().value();
    ASSERT_GT(step, 0);

    // Measured against the turned outline, the groove, the thread and the part-off cut into it.
    ASSERT_TRUE(ChooseEntry(&Pane().PartLayerBox(), QStringLiteral("2")));
    EXPECT_GT(FaultsListed(), 3);
    const QString againstOutline = Pane().SummaryLabel().text();
    // The part is layer 1; the drill goes down the centre hole of layer 3.
    ASSERT_TRUE(ChooseEntry(&Pane().PartLayerBox(), QStringLiteral("1")));
    EXPECT_GT(FaultsListed(), 0) << "the drill cuts into the part where the hole is not known";
    EXPECT_NE(Pane().SummaryLabel().text(), againstOutline);
    ASSERT_TRUE(ChooseEntry(&Pane().BoreLayerBox(), QStringLiteral("3")));
    EXPECT_EQ(FaultsListed(), 0);
    EXPECT_TRUE(Simulation().Result().gouges.empty());
    EXPECT_TRUE(Simulation().Result().rapids.empty());
    EXPECT_TRUE(Simulation().Result().notSimulated.empty());
    EXPECT_EQ(Simulation().Slider().value(), step);

    // Another program has its own choice; back on this one, the choice is there again.
    ASSERT_NO_FATAL_FAILURE(ChooseProgram(QStringLiteral("Shaft turning")));
    EXPECT_EQ(Pane().BoreLayerBox().currentText(), QStringLiteral("None"));
    // Not compiled yet: no code and no moves of the other program beside it.
    EXPECT_TRUE(m_pCnc->CodeView().toPlainText().isEmpty());
    EXPECT_TRUE(Pane().Canvas().View().GetPath().moves.empty());
    ASSERT_NO_FATAL_FAILURE(ChooseProgram(QStringLiteral("Shaft operations")));
    EXPECT_EQ(Pane().PartLayerBox().currentText(), QStringLiteral("1"));
    EXPECT_EQ(Pane().BoreLayerBox().currentText(), QStringLiteral("3"));
    EXPECT_EQ(FaultsListed(), 0);
    Click(m_pCnc->Bar().Widget(IDC_COMPILE_PROGRAM));
    Settle();
    EXPECT_EQ(FaultsListed(), 0);
    EXPECT_EQ(Pane().BoreLayerBox().currentText(), QStringLiteral("3"));
}

TEST_F(ToolpathLayerChoiceTest, TheLayerRowFitsAtTheDefaultSizeAndOnAWideScreen) {
    // The frame as it first comes up, and a wide screen.
    for (const QSize size : {QSize(), QSize(1920, 1080)}) {
        ASSERT_NO_FATAL_FAILURE(OpenShaft(size));
        Click(&Simulation().ModeBox());
        Settle();
        ExpectLayerRowWhole();
        const QSize shown = m_pApp->GetMainFrame()->size();
        const QString shot = QStringLiteral(KESTROVEL_BINARY_DIR "/kestrovel-layer-choice-%1x%2.png")
                                 .arg(shown.width())
                                 .arg(shown.height());
        EXPECT_TRUE(m_pApp->GetMainFrame()->grab().toImage().save(shot));
        EXPECT_TRUE(Pane().grab().toImage().save(
            QString(shot).replace(QStringLiteral(".png"), QStringLiteral("-pane.png"))));
        m_pApp.reset();
    }
}
