// The "Drawing Options" dialog: pen and brush edits, backup and restore, the layer switch.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QTest>

#include "UserInput.h"
#include "shell/DrawingOptionsDialog.h"

namespace {

class CFakeDocument : public CDrawingOptionsHost {
public:
    CFakeDocument() {
        for (int i = 0; i < 6; ++i) {
            m_styles[i].SetDefault(i);
        }
    }
    CLayerStyle* GetLayerStyle(int index) override {
        return index >= 0 && index < 6 ? &m_styles[index] : nullptr;
    }
    int GetActiveLayerIndex() const override { return m_nActive; }
    void SetActiveLayer(int index) override { m_nActive = index; }
    void RepaintAllViews() override { ++m_nRepaints; }

    CLayerStyle m_styles[6];
    int m_nActive = 0;
    int m_nRepaints = 0;
};

bool Same(const CLayerStyle& a, const CLayerStyle& b) {
    return a.m_bDrawEdges == b.m_bDrawEdges && a.m_bBrushNull == b.m_bBrushNull &&
           a.m_bBrushSolid == b.m_bBrushSolid && a.m_nBrushType == b.m_nBrushType &&
           a.m_crBrush == b.m_crBrush && a.m_crPen == b.m_crPen && a.m_nPenStyle == b.m_nPenStyle &&
           a.m_nPenWidth == b.m_nPenWidth;
}

}  // namespace

TEST(DrawingOptionsLogic, StyleForcesWidthOneAndBrushEntriesMapToFlags) {
    CFakeDocument doc;
    CDrawingOptionsLogic logic(doc);
    logic.SelectWidth(3);
    EXPECT_EQ(doc.m_styles[0].m_nPenWidth, 4);
    logic.SelectStyle(1);
    EXPECT_EQ(doc.m_styles[0].m_nPenWidth, 1);
    EXPECT_EQ(logic.WidthEntry(), 0);
    logic.SelectStyle(0);
    EXPECT_EQ(doc.m_styles[0].m_nPenWidth, 1) << "back to solid keeps width 1";

    logic.SelectBrush(0);
    EXPECT_EQ(doc.m_styles[0].m_bBrushSolid, 1);
    EXPECT_EQ(doc.m_styles[0].m_bBrushNull, 0);
    logic.SelectBrush(1);
    EXPECT_EQ(doc.m_styles[0].m_bBrushSolid, 0);
    EXPECT_EQ(doc.m_styles[0].m_bBrushNull, 1);
    const int hatches[] = {3, 4, 5, 2, 0, 1};
    for (int entry = 2; entry < 8; ++entry) {
        logic.SelectBrush(entry);
        EXPECT_EQ(doc.m_styles[0].m_nBrushType, hatches[entry - 2]);
        EXPECT_EQ(doc.m_styles[0].m_bBrushNull + doc.m_styles[0].m_bBrushSolid, 0);
        EXPECT_EQ(logic.BrushEntry(), entry);
    }
    logic.SelectWidth(6);
    logic.SelectBrush(8);
    EXPECT_EQ(doc.m_styles[0].m_nPenWidth, 1) << "entries beyond the lists change nothing";
}

TEST(DrawingOptionsLogic, CancelRestoresWhatWasNotApplied) {
    CFakeDocument doc;
    const CLayerStyle original = doc.m_styles[0];
    {
        CDrawingOptionsLogic logic(doc);
        logic.SetPenColor(RGB(1, 2, 3));
        logic.Try();
        EXPECT_EQ(doc.m_nRepaints, 1);
        logic.Cancel();
    }
    EXPECT_TRUE(Same(doc.m_styles[0], original)) << "Cancel after Try restores";
    {
        CDrawingOptionsLogic logic(doc);
        logic.SetPenColor(RGB(1, 2, 3));
        logic.Apply();
        EXPECT_FALSE(logic.IsChanged());
        logic.Cancel();
    }
    EXPECT_EQ(doc.m_styles[0].m_crPen, RGB(1, 2, 3)) << "Cancel after Aply keeps the applied values";
}

TEST(DrawingOptionsLogic, SwitchingTheLayerMakesItActiveAndDropsUnappliedChanges) {
    CFakeDocument doc;
    const CLayerStyle first = doc.m_styles[0];
    CDrawingOptionsLogic logic(doc);
    logic.SetDrawEdges(0);
    logic.SwitchLayer(3);
    EXPECT_EQ(doc.m_nActive, 3);
    EXPECT_EQ(logic.GetLayer(), 3);
    EXPECT_TRUE(Same(doc.m_styles[0], first));
    const int width = doc.m_styles[3].m_nPenWidth;
    logic.SelectWidth(width == 3 ? 3 : 2);
    logic.Cancel();
    EXPECT_EQ(doc.m_styles[3].m_nPenWidth, width) << "Cancel restores the layer now being edited";
    logic.SwitchLayer(6);
    EXPECT_EQ(doc.m_nActive, 3) << "there is no seventh layer";
}

TEST(DrawingOptionsDialog, ListsSwatchesAndButtonsDriveTheLayer) {
    CFakeDocument doc;
    doc.m_nActive = 1;
    CDrawingOptionsDialog dialog(doc, nullptr);
    dialog.SetColorChooser([](COLORREF& color, QWidget*) {
        color = RGB(0, 128, 255);
        return true;
    });
    auto* layer = dialog.findChild<QComboBox*>(QStringLiteral("1001"));
    auto* width = dialog.findChild<QComboBox*>(QStringLiteral("1044"));
    auto* style = dialog.findChild<QComboBox*>(QStringLiteral("1045"));
    auto* brush = dialog.findChild<QComboBox*>(QStringLiteral("1042"));
    ASSERT_TRUE(layer && width && style && brush);
    EXPECT_EQ(layer->currentIndex(), 1);
    EXPECT_EQ(width->count(), 6);
    EXPECT_EQ(style->count(), 5);
    EXPECT_EQ(brush->count(), 8);
    EXPECT_FALSE(width->itemIcon(0).isNull()) << "entries are drawn samples";

    ASSERT_TRUE(UserInput::ShowInFront(dialog));

    // A closed list with the focus takes End for its last entry and Down for the next one.
    ASSERT_TRUE(UserInput::TabTo(width));
    UserInput::Key(width, Qt::Key_End);
    EXPECT_EQ(doc.m_styles[1].m_nPenWidth, 6);
    ASSERT_TRUE(UserInput::TabTo(style));
    UserInput::Key(style, Qt::Key_Down);
    EXPECT_EQ(doc.m_styles[1].m_nPenStyle, 1);
    EXPECT_EQ(width->currentIndex(), 0);

    UserInput::Click(dialog.findChild<QPushButton*>(QStringLiteral("1047")));
    EXPECT_EQ(doc.m_styles[1].m_crPen, RGB(0, 128, 255));
    EXPECT_EQ(dialog.findChild<QFrame*>(QStringLiteral("1048"))->palette().color(QPalette::Window),
              QColor(0, 128, 255));
    UserInput::Click(dialog.findChild<QPushButton*>(QStringLiteral("1049")));
    EXPECT_EQ(doc.m_nRepaints, 1);

    ASSERT_TRUE(UserInput::TabTo(layer));
    UserInput::Key(layer, Qt::Key_Down);
    EXPECT_EQ(doc.m_nActive, 2);
    EXPECT_EQ(doc.m_styles[1].m_nPenWidth, CLayerStyle().m_nPenWidth)
        << "unapplied edits of layer 2 are undone";
    dialog.reject();
}
