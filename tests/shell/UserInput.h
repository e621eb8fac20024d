// A user's hands for the end-to-end tests: clicks on menus, buttons, lists and fields, typing,
// and the answers to modal boxes, all as synthesized mouse and key input.
#pragma once

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <functional>

#include "GuiDriver.h"

namespace UserInput {

inline void Click(QWidget* w, QPoint at = QPoint(), Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(w, button, {}, at.isNull() ? w->rect().center() : at);
}

// Opens the menu of the menu bar whose title (without '&') is given and clicks the item.
inline bool ClickMenu(QMenuBar* bar, const QString& menu, const QString& item) {
    for (QAction* top : bar->actions()) {
        if (top->text().remove(QLatin1Char('&')) != menu || !top->menu()) {
            continue;
        }
        Click(bar, bar->actionGeometry(top).center());
        QMenu* popup = top->menu();
        for (int i = 0; i < 50 && !popup->isVisible(); ++i) {
            QTest::qWait(5);
        }
        for (QAction* entry : popup->actions()) {
            if (entry->text().remove(QLatin1Char('&')) == item) {
                Click(popup, popup->actionGeometry(entry).center());
                return true;
            }
        }
        popup->close();
    }
    return false;
}

inline void ClickToolButton(QToolBar* bar, QAction* action) {
    Click(bar->widgetForAction(action));
}

// Clicks into a field and types over its text.
inline void TypeInto(QLineEdit* edit, const QString& text) {
    Click(edit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

inline void TypeAndEnter(QLineEdit* edit, const QString& text) {
    TypeInto(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

// Opens a drop-down list with the mouse and chooses the entry with the arrow keys and Enter
// (a list just opened ignores mouse releases for a moment, so clicks on it are unreliable).
inline bool ChooseEntry(QComboBox* combo, const QString& entry) {
    const int index = combo->findText(entry);
    if (index < 0) {
        return false;
    }
    Click(combo);
    QAbstractItemView* view = combo->view();
    for (int i = 0; i < 100 && !view->isVisible(); ++i) {
        QTest::qWait(5);
    }
    const int from = std::max(0, view->currentIndex().row());
    for (int i = from; i < index; ++i) {
        QTest::keyClick(view, Qt::Key_Down);
    }
    for (int i = from; i > index; --i) {
        QTest::keyClick(view, Qt::Key_Up);
    }
    QTest::keyClick(view, Qt::Key_Return);
    return combo->currentIndex() == index;
}

inline bool ClickRow(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) {
        return false;
    }
    list->scrollToItem(found.first());
    Click(list->viewport(), list->visualItemRect(found.first()).center());
    return list->currentItem() == found.first();
}

// Acts on the next modal dialog of the type once it is up (called before the call that opens
// it); looks every few milliseconds for up to ten seconds, however busy the event loop is.
template <class TDialog>
void WhenShown(std::function<void(TDialog&)> action, int triesLeft = 1000) {
    QTimer::singleShot(10, [action, triesLeft]() {
        if (auto* dialog = qobject_cast<TDialog*>(QApplication::activeModalWidget())) {
            action(*dialog);
        } else if (triesLeft > 0) {
            WhenShown<TDialog>(action, triesLeft - 1);
        }
    });
}

}  // namespace UserInput
