// The bars and dialogs reached through the running application: they act on the active drawing.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>

#include "GuiDriver.h"
#include "UserInput.h"
#include "document/KestrovelDoc.h"
#include "document/Layer.h"
#include "elements/Piece.h"
#include "platform/ControlIds.h"
#include "shell/AboutDialog.h"
#include "shell/AidsBar.h"
#include "shell/ChildFrame.h"
#include "shell/CommandIds.h"
#include "shell/CommandTable.h"
#include "shell/DrawingOptionsDialog.h"
#include "shell/DrawingPropertiesDialog.h"
#include "shell/DrawingWindow.h"
#include "shell/Kestrovel.h"
#include "shell/LayerBar.h"
#include "shell/MainFrame.h"
#include "shell/ObjectBar.h"
#include "shell/QtSettingsStore.h"
#include "shell/ShellDocument.h"
#include "view/KestrovelView.h"

namespace {

class BarRouting : public ::testing::Test {
protected:
    void SetUp() override {
        m_pApp = std::make_unique<CKestrovelApp>(
            CQtSettingsStore::ForFile(m_dir.filePath(QStringLiteral("k.ini")), 10));
        m_pApp->Messages().SetInterceptor(
            [this](const std::string& text, const std::string& caption, MessageIcon, MessageButtons) {
                m_boxes.push_back(caption + ": " + text);
                return m_answer;
            });
        OnNextDialog<CDrawingPropertiesDialog>([](CDrawingPropertiesDialog& d) { d.accept(); });
        ASSERT_TRUE(m_pApp->InitInstance({}));
        Settle();
    }
    CMainFrame& Frame() { return *m_pApp->GetMainFrame(); }
    CKestrovelDoc& Doc() { return m_pApp->Documents()[0]->Doc(); }
    CKestrovelView& View() { return m_pApp->ActiveDrawing()->View(); }

    QTemporaryDir m_dir;
    std::unique_ptr<CKestrovelApp> m_pApp;
    std::vector<std::string> m_boxes;
    MessageAnswer m_answer = MessageAnswer::Ok;
};

}  // namespace

TEST_F(BarRouting, LayerBarAndLayerButtonsChooseTheActiveLayer) {
    auto* layer = qobject_cast<QComboBox*>(Frame().LayerBar()->Controls().Widget(IDC_LAYER));
    layer->setCurrentIndex(2);
    emit layer->activated(2);
    EXPECT_EQ(Doc().GetActiveLayerIndex(), 2);
    Frame().Route(kCmdLayer1 + 4);
    EXPECT_EQ(Doc().GetActiveLayerIndex(), 4);
    EXPECT_TRUE(Frame().GetCommandState(kCmdLayer1 + 4).bChecked)
        << "the button of the remembered layer is pressed";
    EXPECT_EQ(Frame().LayerBar()->Controls().GetCurSel(IDC_LAYER), 4);
}

TEST_F(BarRouting, AidsBarFlagsReachTheView) {
    Frame().Route(kCmdToggleAidsDialog);
    Settle();
    auto* axes = qobject_cast<QCheckBox*>(Frame().AidsBar()->Controls().Widget(IDC_DRAW_AXES));
    ASSERT_TRUE(axes->isChecked()) << "activation wrote the view's flags into the bar";
    // On the box itself: a check box stretched by its layout takes clicks only on box and label.
    QTest::mouseClick(axes, Qt::LeftButton, {}, QPoint(6, axes->height() / 2));
    EXPECT_FALSE(axes->isChecked());
    EXPECT_EQ(View().Aids().m_bDrawAxes, 0);
    auto* units = qobject_cast<QComboBox*>(Frame().AidsBar()->Controls().Widget(IDC_UNITS));
    units->setCurrentIndex(2);
    emit units->activated(2);
    EXPECT_EQ(View().GetUnits(), 2);
    EXPECT_EQ(Frame().AidsBar()->Controls().GetCount(IDC_ACCURACY), 4);
}

TEST_F(BarRouting, DiameterBoxSwitchesTheRadialReadOuts) {
    Frame().Route(kCmdToggleAidsDialog);
    Settle();
    auto* diameter = qobject_cast<QCheckBox*>(Frame().AidsBar()->Controls().Widget(IDC_DIAMETER));
    ASSERT_NE(diameter, nullptr);
    EXPECT_EQ(diameter->text(), QStringLiteral("Diameter"));
    EXPECT_FALSE(diameter->isChecked());
    QTest::mouseClick(diameter, Qt::LeftButton, {}, QPoint(6, diameter->height() / 2));
    EXPECT_EQ(View().GetDiameter(), 1);
    EXPECT_EQ(View().FormatLengthField(IDC_END_X, 500000), "100");
    QTest::mouseClick(diameter, Qt::LeftButton, {}, QPoint(6, diameter->height() / 2));
    EXPECT_EQ(View().GetDiameter(), 0);
}

TEST_F(BarRouting, DrawingOptionsButtonRunsTheDialogOnTheDocument) {
    OnNextDialog<CDrawingOptionsDialog>([](CDrawingOptionsDialog& d) {
        auto* w = d.findChild<QComboBox*>(QStringLiteral("1044"));
        w->setCurrentIndex(5);
        emit w->activated(5);
        d.accept();
    });
    QTest::mouseClick(qobject_cast<QPushButton*>(Frame().LayerBar()->Controls().Widget(IDC_DRAWING_OPTIONS)),
                      Qt::LeftButton);
    EXPECT_EQ(Doc().GetLayer(0)->GetStyle().m_nPenWidth, 6);
    OnNextDialog<CDrawingOptionsDialog>([](CDrawingOptionsDialog& d) {
        auto* w = d.findChild<QComboBox*>(QStringLiteral("1044"));
        w->setCurrentIndex(0);
        emit w->activated(0);
        d.reject();
    });
    QTest::mouseClick(qobject_cast<QPushButton*>(Frame().LayerBar()->Controls().Widget(IDC_DRAWING_OPTIONS)),
                      Qt::LeftButton);
    EXPECT_EQ(Doc().GetLayer(0)->GetStyle().m_nPenWidth, 6) << "Cancel keeps what OK kept before";
}

TEST_F(BarRouting, DrawingPropertiesCommandChangesTheStock) {
    OnNextDialog<CDrawingPropertiesDialog>([](CDrawingPropertiesDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("1027"))->setText(QStringLiteral("450"));
        d.accept();
    });
    Frame().Route(kCmdDrawingProperties);
    EXPECT_EQ(Doc().GetLength(), 4500000);
}

TEST_F(BarRouting, AboutBoxNamesTheVersion) {
    QString text;
    OnNextDialog<CAboutDialog>([&text](CAboutDialog& d) {
        text = d.findChild<QLabel*>(QStringLiteral("version"))->text();
        d.accept();
    });
    Frame().Route(kCmdAppAbout);
    EXPECT_EQ(text, QStringLiteral("Kestrovel Version 1.0"));
}

TEST_F(BarRouting, ClosingSavesViewStateAndAsksForModifiedDrawings) {
    Doc().SetModifiedFlag(true);
    m_answer = MessageAnswer::Cancel;
    Frame().close();
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0], "Kestrovel: Save changes to Kestro1?");
    EXPECT_TRUE(Frame().isVisible()) << "Cancel keeps the application running";
    EXPECT_EQ(m_pApp->Documents().size(), 1u);
    EXPECT_EQ(m_pApp->Settings().GetInt("KestrovelViewState", "Draw Axes", -1), 1)
        << "the active view's settings were stored before the question";
    EXPECT_EQ(m_pApp->Settings().GetString("DialogBars", "LayerDialogBar", "").size(), 19u);

    m_answer = MessageAnswer::No;
    Frame().close();
    EXPECT_TRUE(m_pApp->Documents().empty());
    EXPECT_FALSE(m_pApp->Settings().GetString("Window size", "Rect", "").empty());
}

TEST_F(BarRouting, EnterInAnObjectBarFieldReadsTheValues) {
    CQtControlBar& bar = Frame().ObjectBar()->Controls();
    auto choose = [&bar](int entry) {
        auto* object = qobject_cast<QComboBox*>(bar.Widget(IDC_OBJECT));
        object->setCurrentIndex(entry);
        emit object->activated(entry);
    };
    // Clicks into the field and types over it, keys going through the bar's window.
    auto typeAndEnter = [](QWidget* w, const QString& text) { UserInput::TypeAndEnter(w, text); };
    const CPiece& flat = *Doc().GetActiveLayer()->GetPieces().front();
    // The bar is opened as a user opens it, so that keys reach its fields through its window.
    ASSERT_TRUE(UserInput::ClickMenu(Frame().menuBar(), QStringLiteral("View"),
                                     Frame().Commands().Action(kCmdToggleObjectDialog)));
    Settle();

    // Slow mode: the working copy takes the values and waits for OK.
    choose(2);
    ASSERT_NE(View().GetActiveElement(), nullptr);
    typeAndEnter(bar.Widget(IDC_FEED), QStringLiteral("150"));
    EXPECT_EQ(View().GetActiveElement()->GetFeed(), 150) << "typed over \"Default\", read as a value";
    EXPECT_EQ(bar.GetCurSel(IDC_FEED), 2);
    EXPECT_EQ(flat.GetFeed(), -1) << "slow mode applies nothing by itself";
    typeAndEnter(bar.Widget(IDC_END_X), QStringLiteral("30"));
    EXPECT_EQ(View().GetActiveElement()->GetEnd().y, 300000);
    typeAndEnter(bar.Widget(IDC_LEAVE), QStringLiteral("0.5"));
    EXPECT_EQ(View().GetActiveElement()->GetLeave(), 5000);
    EXPECT_TRUE(m_boxes.empty());
    typeAndEnter(bar.Widget(IDC_VELOCITY), QStringLiteral("12a"));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0], "Error: You have suplied wrong velocity data");
    bar.SetCurSel(IDC_VELOCITY, 0);

    // Fast mode: Enter applies, as Read Values does.
    Frame().Route(ID_MODE_FAST);
    choose(2);
    typeAndEnter(bar.Widget(IDC_FEED), QStringLiteral("90"));
    EXPECT_EQ(View().GetActiveElement(), nullptr);
    EXPECT_EQ(Doc().GetActiveLayer()->GetPieces().front()->GetFeed(), 90);
}

TEST_F(BarRouting, BarsWorkForTheActiveDrawingOnly) {
    auto enabled = [](CDialogBar* bar, int id) { return bar->Controls().Widget(id)->isEnabled(); };
    EXPECT_TRUE(enabled(Frame().ObjectBar(), IDC_OBJECT));
    EXPECT_TRUE(enabled(Frame().LayerBar(), IDC_LAYER));
    EXPECT_TRUE(enabled(Frame().AidsBar(), IDC_UNITS));
    EXPECT_FALSE(enabled(Frame().ObjectBar(), IDC_TYPE)) << "the type list only shows";

    Frame().Route(kCmdCncProgramming);
    Settle();
    EXPECT_FALSE(enabled(Frame().ObjectBar(), IDC_OBJECT)) << "over the CNC window";
    EXPECT_FALSE(enabled(Frame().LayerBar(), IDC_LAYER));
    EXPECT_FALSE(enabled(Frame().AidsBar(), IDC_UNITS));

    Frame().Mdi()->setActiveSubWindow(Frame().Mdi()->subWindowList().first());
    Settle();
    EXPECT_TRUE(enabled(Frame().AidsBar(), IDC_UNITS));
    EXPECT_FALSE(enabled(Frame().ObjectBar(), IDC_TYPE));

    m_answer = MessageAnswer::No;
    Frame().Route(kCmdFileClose);
    Settle();
    ASSERT_TRUE(m_pApp->Documents().empty());
    EXPECT_FALSE(enabled(Frame().LayerBar(), IDC_LAYER)) << "without a document";
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Kestrovel"));
}

TEST_F(BarRouting, NumbersShowTheirUnit) {
    auto* unit = Frame().ObjectBar()->findChild<QLabel*>(QStringLiteral("Unit%1").arg(IDC_RADIUS));
    auto* pane = Frame().findChild<QLabel*>(QStringLiteral("UnitPane"));
    ASSERT_TRUE(unit && pane);
    EXPECT_EQ(unit->text(), QStringLiteral("mm"));
    EXPECT_EQ(pane->text(), QStringLiteral("mm"));
    auto* units = qobject_cast<QComboBox*>(Frame().AidsBar()->Controls().Widget(IDC_UNITS));
    units->setCurrentIndex(0);
    emit units->activated(0);
    EXPECT_EQ(unit->text(), QStringLiteral("cm"));
    EXPECT_EQ(pane->text(), QStringLiteral("cm"));
    EXPECT_EQ(Frame().ObjectBar()->findChild<QLabel*>(QStringLiteral("Unit%1").arg(IDC_START_Z))->text(),
              QStringLiteral("cm"));
}

TEST(Startup, AFileThatCannotBeOpenedEndsStartUp) {
    QTemporaryDir dir;
    CKestrovelApp app(CQtSettingsStore::ForFile(dir.filePath(QStringLiteral("k.ini")), 10));
    std::vector<std::string> boxes;
    app.Messages().SetInterceptor(
        [&boxes](const std::string&, const std::string& caption, MessageIcon, MessageButtons) {
            boxes.push_back(caption);
            return MessageAnswer::Ok;
        });
    EXPECT_FALSE(app.InitInstance({dir.filePath(QStringLiteral("missing.kst"))}));
    EXPECT_EQ(boxes.size(), 1u);
}
