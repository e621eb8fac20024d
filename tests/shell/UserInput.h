// A user's hands for the end-to-end tests: clicks on menus, buttons, lists and fields, typing,
// and the answers to modal boxes, all as mouse and key input given to the top-level window the
// way the window system gives it: the application finds the widget under the pointer and the
// one with the focus, as it does for a person's hands.
#pragma once

#include <gtest/gtest.h>

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
#include <QWheelEvent>
#include <QWindow>
#include <functional>

#include "GuiDriver.h"

namespace UserInput {

// The window the window system knows the widget by; a failure when it is not on the screen.
inline QWindow* WindowOf(const QWidget* w) {
    QWindow* window = w->window()->windowHandle();
    if (!window || !w->isVisible()) {
        ADD_FAILURE() << "not on the screen: " << w->objectName().toStdString();
    }
    return window;
}

// A click on the pixel of w (its centre unless given), through w's window.
inline void Click(QWidget* w, QPoint at = QPoint(-1, -1), Qt::MouseButton button = Qt::LeftButton) {
    if (QWindow* window = WindowOf(w)) {
        const QPoint where = at == QPoint(-1, -1) ? w->rect().center() : at;
        QTest::mouseClick(window, button, {}, w->mapTo(w->window(), where));
        QCoreApplication::processEvents();
    }
}

inline void Move(QWidget* w, QPoint at) {
    if (QWindow* window = WindowOf(w)) {
        QTest::mouseMove(window, w->mapTo(w->window(), at));
        QCoreApplication::processEvents();
    }
}

// A drag with the left button from one pixel of w to another, through w's window: a press, a few
// moves and a release.
inline void Drag(QWidget* w, QPoint from, QPoint to) {
    if (QWindow* window = WindowOf(w)) {
        const QPoint a = w->mapTo(w->window(), from);
        const QPoint b = w->mapTo(w->window(), to);
        QTest::mousePress(window, Qt::LeftButton, {}, a);
        for (int i = 1; i <= 4; ++i) {
            QTest::mouseMove(window, a + (b - a) * i / 4);
        }
        QTest::mouseRelease(window, Qt::LeftButton, {}, b);
        QCoreApplication::processEvents();
    }
}

// One wheel turn of the given notches (positive: away from the user) over the pixel of w.
inline void Wheel(QWidget* w, QPoint at, int notches) {
    if (QWindow* window = WindowOf(w)) {
        const QPoint local = w->mapTo(w->window(), at);
        QWheelEvent event(QPointF(local), QPointF(w->window()->mapToGlobal(local)), QPoint(),
                          QPoint(0, notches * QWheelEvent::DefaultDeltasPerStep), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(window, &event);
        QCoreApplication::processEvents();
    }
}

// A key pressed while the widget's window is in front: it reaches whatever has the focus there.
inline void Key(QWidget* inWindow, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    if (QWindow* window = WindowOf(inWindow)) {
        QTest::keyClick(window, key, modifiers);
        QCoreApplication::processEvents();
    }
}

inline void Type(QWidget* inWindow, const QString& text) {
    if (QWindow* window = WindowOf(inWindow)) {
        for (const QChar c : text) {
            QTest::keyClick(window, c.toLatin1());
        }
    }
}

// Opens the menu of the menu bar whose title (without '&') is given by a click on the bar; null
// when there is none or it does not come up.
inline QMenu* OpenMenu(QMenuBar* bar, const QString& menu) {
    for (QAction* top : bar->actions()) {
        if (top->menu() && top->text().remove(QLatin1Char('&')) == menu) {
            Click(bar, bar->actionGeometry(top).center());
            QMenu* popup = top->menu();
            for (int i = 0; i < 100 && !popup->isVisible(); ++i) {
                QTest::qWait(5);
            }
            return popup->isVisible() ? popup : nullptr;
        }
    }
    return nullptr;
}

// Opens the menu and clicks the first shown item that matches.
inline bool ClickMenuItem(QMenuBar* bar, const QString& menu, const std::function<bool(QAction*)>& matches) {
    if (QMenu* popup = OpenMenu(bar, menu)) {
        for (QAction* entry : popup->actions()) {
            if (entry->isVisible() && matches(entry)) {
                Click(popup, popup->actionGeometry(entry).center());
                return true;
            }
        }
        popup->close();
    }
    return false;
}

inline bool ClickMenu(QMenuBar* bar, const QString& menu, const QString& item) {
    return ClickMenuItem(bar, menu,
                         [&item](QAction* a) {
                             return a->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0) == item;
                         });
}

inline bool ClickMenu(QMenuBar* bar, const QString& menu, QAction* item) {
    return ClickMenuItem(bar, menu, [item](QAction* a) { return a == item; });
}

inline void ClickToolButton(QToolBar* bar, QAction* action) {
    Click(bar->widgetForAction(action));
}

// Brings a window up in front and active, as it is when a person opens or clicks it.
inline bool ShowInFront(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowExposed(&window) && QTest::qWaitForWindowActive(&window);
}

// Moves the focus with Tab through the window until it reaches the widget.
inline bool TabTo(QWidget* target) {
    for (int i = 0; i < 40 && !target->hasFocus(); ++i) {
        Key(target, Qt::Key_Tab);
    }
    return target->hasFocus();
}

// Clicks into a field (a line edit or an editable list) and types over its text.
inline void TypeInto(QWidget* field, const QString& text) {
    Click(field);
    Key(field, Qt::Key_A, Qt::ControlModifier);
    Type(field, text);
}

inline void TypeAndEnter(QWidget* field, const QString& text) {
    TypeInto(field, text);
    Key(field, Qt::Key_Return);
}

// Opens a drop-down list with the mouse and chooses the entry with the arrow keys and Enter
// (a list just opened ignores mouse releases for a moment, so clicks on it are unreliable).
inline bool ChooseIndex(QComboBox* combo, int index) {
    if (index < 0 || index >= combo->count()) {
        return false;
    }
    Click(combo, QPoint(combo->width() - 6, combo->height() / 2));
    QAbstractItemView* view = combo->view();
    for (int i = 0; i < 100 && !view->isVisible(); ++i) {
        QTest::qWait(5);
    }
    const int from = std::max(0, view->currentIndex().row());
    for (int i = from; i < index; ++i) {
        Key(view, Qt::Key_Down);
    }
    for (int i = from; i > index; --i) {
        Key(view, Qt::Key_Up);
    }
    Key(view, Qt::Key_Return);
    return combo->currentIndex() == index;
}

inline bool ChooseEntry(QComboBox* combo, const QString& entry) {
    return ChooseIndex(combo, combo->findText(entry));
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
// Types the whole path into a file dialog's name field and presses Enter, as a user does. (Choosing
// it with selectFile() and accept() races the dialog's folder listing, which may clear the name
// field in between, and the dialog then stays open.)
inline void TypeFileName(QWidget& fileDialog, const QString& path) {
    if (auto* name = fileDialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        TypeAndEnter(name, path);
    } else {
        ADD_FAILURE() << "a file dialog without a name field";
    }
}

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
