// The widget-backed bars: their entries, the list operations the core relies on, and routing.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "UserInput.h"
#include "platform/ControlIds.h"
#include "shell/AidsBar.h"
#include "shell/LayerBar.h"
#include "shell/ObjectBar.h"
#include "shell/ViewToolBar.h"

namespace {

struct Notice {
    int id;
    BarNotify what;
    bool operator==(const Notice&) const = default;
};

std::vector<std::string> Entries(const CControlBar& bar, int id) {
    std::vector<std::string> out;
    for (int i = 0; i < bar.GetCount(id); ++i) {
        out.push_back(bar.GetEntry(id, i));
    }
    return out;
}

}  // namespace

TEST(QtControlBar, BarsCarryTheirFixedEntriesAndStartingSelections) {
    CObjectBar object(nullptr);
    CLayerBar layer(nullptr);
    CAidsBar aids(nullptr);
    CViewToolBar view(nullptr);
    EXPECT_EQ(object.windowTitle(), QStringLiteral("Object properties"));
    EXPECT_EQ(layer.windowTitle(), QStringLiteral("Layer properties"));
    EXPECT_EQ(aids.windowTitle(), QStringLiteral("Drawing Aids"));

    EXPECT_EQ(Entries(object.Controls(), IDC_TYPE),
              (std::vector<std::string>{"Undefined", "Linear", "Arc", "Selection", "DoubleArc"}));
    EXPECT_EQ(Entries(object.Controls(), IDC_LEAVE), (std::vector<std::string>{"None", "Current", "Custom"}));
    EXPECT_EQ(Entries(layer.Controls(), IDC_LAYER).back(), "Layer 6");
    EXPECT_EQ(Entries(aids.Controls(), IDC_STEP_HORZ).back(), "5 mm");
    EXPECT_EQ(Entries(aids.Controls(), IDC_ACCURACY), (std::vector<std::string>{"1 mm", "0.1 mm", "0.01 mm"}));
    EXPECT_EQ(aids.Controls().GetCurSel(IDC_UNITS), 1);
    EXPECT_EQ(aids.Controls().GetText(IDC_UNITS), "mm");
    EXPECT_EQ(aids.Controls().GetCurSel(IDC_ACCURACY), 0);
    EXPECT_EQ(Entries(view.Controls(), IDC_ZOOM_BOX).size(), 9u);
    EXPECT_EQ(view.ZoomBox()->width(), 100);
    for (int id : kLockBoxIds) {
        EXPECT_NE(object.Controls().Widget(id), nullptr) << id;
    }
}

TEST(QtControlBar, ListOperationsBehaveLikeTheInMemoryBar) {
    CObjectBar object(nullptr);
    CControlBar& bar = object.Controls();
    bar.ResetContent(IDC_OBJECT);
    EXPECT_EQ(bar.AddString(IDC_OBJECT, "No selection"), 0);
    EXPECT_EQ(bar.AddString(IDC_OBJECT, "L1"), 1);
    EXPECT_EQ(bar.AddString(IDC_OBJECT, "R2"), 2);
    EXPECT_EQ(bar.GetCurSel(IDC_OBJECT), -1) << "adding entries selects nothing";
    EXPECT_EQ(bar.SetCurSel(IDC_OBJECT, 2), 2);
    EXPECT_EQ(bar.DeleteString(IDC_OBJECT, 0), 2);
    EXPECT_EQ(bar.GetCurSel(IDC_OBJECT), 1) << "the selection follows its entry";
    EXPECT_EQ(bar.DeleteString(IDC_OBJECT, 1), 1);
    EXPECT_EQ(bar.GetCurSel(IDC_OBJECT), -1) << "deleting the selected entry leaves no selection";
    EXPECT_EQ(bar.DeleteString(IDC_OBJECT, 5), -1);
    EXPECT_EQ(bar.SetCurSel(IDC_OBJECT, 9), -1);
    EXPECT_EQ(bar.FindStringExact(IDC_OBJECT, "L1"), 0);
    EXPECT_EQ(bar.FindStringExact(IDC_OBJECT, "l1"), -1);

    // A combo box with an edit field: choosing "Set" leaves room to type; the text is what was typed.
    bar.SetCurSel(IDC_VELOCITY, 1);
    EXPECT_EQ(bar.GetText(IDC_VELOCITY), "Set");
    EXPECT_EQ(bar.AddString(IDC_VELOCITY, ""), 2);
    bar.SetCurSel(IDC_VELOCITY, 2);
    bar.SetText(IDC_VELOCITY, "1 200");
    EXPECT_EQ(bar.GetText(IDC_VELOCITY), "1 200");
    EXPECT_EQ(bar.GetCurSel(IDC_VELOCITY), 2);

    bar.SetText(IDC_START_Z, "12.500");
    EXPECT_EQ(bar.GetText(IDC_START_Z), "12.500");
    bar.SetCheck(IDC_LOCK_RADIUS, 1);
    EXPECT_EQ(bar.GetCheck(IDC_LOCK_RADIUS), 1);
    bar.Enable(IDC_READ_VALUES, false);
    EXPECT_FALSE(bar.IsEnabled(IDC_READ_VALUES));
    EXPECT_EQ(bar.GetText(12345), "") << "an unknown identifier is harmless";
    bar.SetText(12345, "x");
}

TEST(QtControlBar, OnlyTheUsersActionsAreForwarded) {
    CAidsBar aids(nullptr);
    CObjectBar object(nullptr);
    std::vector<Notice> seen;
    auto record = [&seen](CControlBar&, int id, BarNotify what) { seen.push_back({id, what}); };
    aids.Controls().SetHandler(record);
    object.Controls().SetHandler(record);

    aids.Controls().SetCheck(IDC_DRAW_AXES, 1);
    aids.Controls().SetCurSel(IDC_UNITS, 2);
    object.Controls().SetText(IDC_START_Z, "1");
    EXPECT_TRUE(seen.empty());

    ASSERT_TRUE(UserInput::ShowInFront(aids));
    auto* axes = qobject_cast<QCheckBox*>(aids.Controls().Widget(IDC_DRAW_AXES));
    // On the box itself: a check box stretched by its layout takes clicks only on box and label.
    UserInput::Click(axes, QPoint(6, axes->height() / 2));
    EXPECT_EQ(aids.Controls().GetCheck(IDC_DRAW_AXES), 0);
    auto* units = qobject_cast<QComboBox*>(aids.Controls().Widget(IDC_UNITS));
    ASSERT_TRUE(UserInput::TabTo(units));
    UserInput::Key(units, Qt::Key_Up);
    EXPECT_EQ(aids.Controls().GetCurSel(IDC_UNITS), 1);

    // Fields are left by Tab: a plain field and the field of a list one may type into.
    ASSERT_TRUE(UserInput::ShowInFront(object));
    auto* startZ = qobject_cast<QLineEdit*>(object.Controls().Widget(IDC_START_Z));
    UserInput::Click(startZ);
    ASSERT_TRUE(startZ->hasFocus());
    UserInput::Key(startZ, Qt::Key_Tab);
    auto* velocity = qobject_cast<QComboBox*>(object.Controls().Widget(IDC_VELOCITY));
    UserInput::Click(velocity->lineEdit());
    ASSERT_TRUE(velocity->hasFocus());
    UserInput::Key(velocity, Qt::Key_Tab);
    EXPECT_FALSE(velocity->hasFocus());
    aids.Controls().SetHandler({});
    object.Controls().SetHandler({});

    const std::vector<Notice> expected = {{IDC_DRAW_AXES, BarNotify::Clicked},
                                          {IDC_UNITS, BarNotify::SelChange},
                                          {IDC_START_Z, BarNotify::KillFocus},
                                          {IDC_VELOCITY, BarNotify::KillFocus}};
    EXPECT_EQ(seen, expected);
}

TEST(QtControlBar, HandlerMayChangeTheListThatNotified) {
    CObjectBar object(nullptr);
    CQtControlBar& bar = object.Controls();
    bar.SetHandler([](CControlBar& b, int id, BarNotify what) {
        if (id == IDC_VELOCITY && what == BarNotify::SelChange && b.GetCurSel(id) == 1) {
            b.SetCurSel(id, b.AddString(id, ""));
        }
    });
    ASSERT_TRUE(UserInput::ShowInFront(object));
    auto* velocity = qobject_cast<QComboBox*>(bar.Widget(IDC_VELOCITY));
    UserInput::Click(velocity->lineEdit());
    ASSERT_TRUE(velocity->hasFocus());
    UserInput::Key(velocity, Qt::Key_Down);
    EXPECT_EQ(bar.GetCount(IDC_VELOCITY), 3);
    EXPECT_EQ(bar.GetCurSel(IDC_VELOCITY), 2);
    EXPECT_EQ(bar.GetText(IDC_VELOCITY), "");
}

TEST(QtControlBar, ListWidgetsServeAsListBoxes) {
    CQtControlBar bar;
    QListWidget list;
    bar.Register(10310, &list);
    std::vector<Notice> seen;
    bar.SetHandler([&seen](CControlBar&, int id, BarNotify what) { seen.push_back({id, what}); });
    bar.AddString(10310, "Rough");
    bar.AddString(10310, "Finish");
    EXPECT_EQ(bar.SetCurSel(10310, 1), 1);
    EXPECT_EQ(bar.GetText(10310), "Finish");
    EXPECT_TRUE(seen.empty());
    list.setCurrentRow(0);
    EXPECT_EQ(seen, (std::vector<Notice>{{10310, BarNotify::SelChange}}));
    EXPECT_EQ(bar.DeleteString(10310, 0), 1);
    EXPECT_EQ(bar.GetCurSel(10310), -1);
}
