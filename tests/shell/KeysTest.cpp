// The keyboard and the wheel on the drawing: standard edit keys, zoom keys, wheel zoom about the
// pointer, the tools' letters, unique accelerators, and the developers' Debug tool.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>

#include "SampleWindow.h"
#include "platform/ControlIds.h"
#include "shell/ObjectBar.h"
#include "shell/QtControlBar.h"
#include "platform/SettingsStore.h"
#include "shell/CommandIds.h"
#include "shell/QtSettingsStore.h"

using namespace UserInput;

namespace {

class Keys : public CSampleWindowFixture {};

// The mnemonic letter of a menu text, or 0.
QChar Mnemonic(const QString& text) {
    const int at = static_cast<int>(text.indexOf(QLatin1Char('&')));
    return at >= 0 && at + 1 < text.size() ? text[at + 1].toUpper() : QChar();
}

}  // namespace

TEST_F(Keys, DeleteUndoAndBothRedoKeysWorkOnTheSelectedElement) {
    OpenSample();
    const std::vector<int32_t> before = Profile();
    ASSERT_TRUE(SelectAt(Canvas()->width() / 3));
    Key(Canvas(), Qt::Key_Delete);
    const std::vector<int32_t> deleted = Profile();
    ASSERT_NE(deleted, before) << "Delete removes the selected element";

    Key(Canvas(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Profile(), before);
    Key(Canvas(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Profile(), deleted);
    Key(Canvas(), Qt::Key_Z, Qt::ControlModifier);
    Key(Canvas(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Profile(), deleted);

    QAction* menuDelete = Frame().Commands().Action(kCmdEditClear);
    EXPECT_EQ(menuDelete->shortcut(), QKeySequence(Qt::Key_Delete));
    Key(Canvas(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_TRUE(SelectAt(Canvas()->width() / 3));
    ASSERT_TRUE(ClickMenu(Frame().menuBar(), QStringLiteral("Edit"), QStringLiteral("Delete")));
    EXPECT_EQ(Profile(), deleted) << "Edit > Delete does what the key does";

    // In a field of the object bar, Delete edits the text and leaves the drawing alone.
    Key(Canvas(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_TRUE(ClickMenu(Frame().menuBar(), QStringLiteral("View"), QStringLiteral("Object Dialog")));
    ASSERT_TRUE(SelectAt(Canvas()->width() / 3));
    auto* endX = qobject_cast<QLineEdit*>(Frame().ObjectBar()->Controls().Widget(IDC_END_X));
    ASSERT_NE(endX, nullptr);
    Click(endX);
    Key(endX, Qt::Key_Home);
    const QString text = endX->text();
    Key(endX, Qt::Key_Delete);
    EXPECT_EQ(endX->text(), text.mid(1));
    EXPECT_EQ(Profile(), before);
}

TEST_F(Keys, TheWheelZoomsAboutThePointerAndF4ZoomsToFit) {
    OpenSample();
    const int opened = View().GetZoom();
    const QPoint at(Canvas()->width() * 3 / 4, Canvas()->height() / 3);
    const CPoint under = View().ScreenToModel(CPoint(at.x(), at.y()));
    Click(Canvas(), QPoint(1, 1), Qt::RightButton);  // the drawing takes the focus

    Wheel(Canvas(), at, 2);
    EXPECT_GT(View().GetZoom(), opened * 3 / 2);
    const CPoint after = View().ScreenToModel(CPoint(at.x(), at.y()));
    const int32_t pixel = View().ScreenToModel(CPoint(1, 0)).x - View().ScreenToModel(CPoint(0, 0)).x;
    EXPECT_LE(std::abs(after.x - under.x), 2 * pixel) << "the point under the pointer stays there";
    EXPECT_LE(std::abs(after.y - under.y), 2 * pixel);

    Wheel(Canvas(), at, -1);
    EXPECT_LT(View().GetZoom(), opened * 3 / 2);
    Key(Canvas(), Qt::Key_F4);
    EXPECT_EQ(View().GetZoom(), std::min(View().FitWidthZoom(), View().FitHeightZoom()));
    EXPECT_EQ(View().GetOrigin(), View().GetHomeOrigin());
}

TEST_F(Keys, EachToolLetterOfTheToolTipsPicksItsOwnTool) {
    OpenSample();
    Click(Canvas(), QPoint(1, 1), Qt::RightButton);
    QSet<QChar> letters;
    for (int id : {ID_TOOL_SELECT, ID_TOOL_RANGE, ID_TOOL_LINE, ID_TOOL_CIRCLE, ID_TOOL_K1, ID_TOOL_K2,
                   ID_TOOL_K3, ID_TOOL_K4}) {
        QAction* action = Frame().Commands().Action(id);
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("\\((.)\\)$")).match(action->toolTip());
        ASSERT_TRUE(m.hasMatch()) << action->toolTip().toStdString();
        const QChar letter = m.captured(1)[0];
        EXPECT_FALSE(letters.contains(letter)) << "two tools claim " << QString(letter).toStdString();
        letters.insert(letter);
        Frame().UpdateCommandUI();
        if (!action->isEnabled()) {
            continue;  // the curves K2 to K4 are not offered yet
        }
        Key(Canvas(), static_cast<Qt::Key>(letter.unicode()));
        Frame().UpdateCommandUI();
        EXPECT_TRUE(action->isChecked()) << action->toolTip().toStdString();
    }
    // Move needs something to move.
    ASSERT_TRUE(SelectAt(Canvas()->width() / 3));
    Key(Canvas(), Qt::Key_V);
    Frame().UpdateCommandUI();
    EXPECT_TRUE(Frame().Commands().Action(ID_TOOL_MOVE)->isChecked());
    for (int id : {ID_TOOL_MOVE, ID_TOOL_MIRROR, ID_TOOL_TURN, ID_EDIT_OK, ID_EDIT_BACK}) {
        const QString tip = Frame().Commands().Action(id)->toolTip();
        const QChar letter = tip.at(tip.size() - 2);
        EXPECT_FALSE(letters.contains(letter)) << tip.toStdString();
        letters.insert(letter);
    }
}

TEST_F(Keys, AcceleratorsAreUniqueInEveryMenuAndShortcutsAcrossTheWindow) {
    OpenSample();
    for (auto kind : {CMainFrame::MenuKind::NoDocument, CMainFrame::MenuKind::Programming,
                      CMainFrame::MenuKind::Drawing}) {
        Frame().SetMenuKind(kind);
        QSet<QChar> titles;
        for (QAction* top : Frame().menuBar()->actions()) {
            const QChar title = Mnemonic(top->text());
            EXPECT_FALSE(title.isNull()) << top->text().toStdString();
            EXPECT_FALSE(titles.contains(title)) << top->text().toStdString();
            titles.insert(title);
            QSet<QChar> items;
            for (QAction* item : top->menu()->actions()) {
                if (item->isSeparator() || !item->isVisible() || item->property("recent").toBool()) {
                    continue;
                }
                const QChar letter = Mnemonic(item->text());
                EXPECT_FALSE(items.contains(letter)) << top->text().toStdString() << " > " << item->text().toStdString();
                items.insert(letter);
            }
        }
    }
    QSet<QString> shortcuts;
    for (QAction* action : Frame().actions()) {
        for (const QKeySequence& key : action->shortcuts()) {
            EXPECT_FALSE(shortcuts.contains(key.toString())) << key.toString().toStdString();
            shortcuts.insert(key.toString());
        }
    }
}

TEST_F(Keys, TheDebugToolShowsOnlyWhereTheSettingsAskForIt) {
    OpenSample();
    QAction* debug = Frame().Commands().Action(ID_TOOL_DEBUG);
    QMenu* tools = OpenMenu(Frame().menuBar(), QStringLiteral("Tools"));
    ASSERT_NE(tools, nullptr);
    for (QAction* item : tools->actions()) {
        if (item->isVisible()) {
            EXPECT_NE(item, debug) << "the Tools menu offers the Debug tool";
        }
    }
    tools->close();
    QWidget* button = Frame().ToolsBar()->widgetForAction(debug);
    EXPECT_TRUE(!button || !button->isVisible()) << "the tools bar shows the Debug tool";

    m_pApp.reset();
    CQtSettingsStore::ForFile(m_dir.filePath(QStringLiteral("k.ini")), 10)
        ->WriteInt(CMainFrame::kDebugSection, CMainFrame::kDebugToolKey, 1);
    OpenSample();
    button = Frame().ToolsBar()->widgetForAction(Frame().Commands().Action(ID_TOOL_DEBUG));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisible());
}

TEST_F(Keys, WhatTheWindowShowsIsSpelledRight) {
    OpenSample();
    const QStringList wrong = {QStringLiteral("axe"),         QStringLiteral("teenth"),
                               QStringLiteral("Comands"),     QStringLiteral("Preprocesor"),
                               QStringLiteral("Postprocesor"), QStringLiteral("PostProcesor"),
                               QStringLiteral("Programing"),  QStringLiteral("Deafult"),
                               QStringLiteral("Maded"),       QStringLiteral("ReActive")};
    QStringList shown;
    for (auto kind : {CMainFrame::MenuKind::NoDocument, CMainFrame::MenuKind::Programming,
                      CMainFrame::MenuKind::Drawing}) {
        Frame().SetMenuKind(kind);
        for (QAction* top : Frame().menuBar()->actions()) {
            shown << top->text();
            for (QAction* item : top->menu()->actions()) {
                shown << item->text() << item->toolTip() << item->statusTip();
            }
        }
    }
    for (QAction* action : Frame().actions()) {
        shown << action->text() << action->toolTip() << action->statusTip();
    }
    for (const QString& text : shown) {
        for (const QString& word : wrong) {
            EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(word))))
                << text.toStdString();
        }
    }
}
