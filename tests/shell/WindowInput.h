// Input as the window system delivers it: keys, clicks and wheel turns go to the top-level
// QWindow under them, which hands them on as it does for a user's hands.
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

namespace WindowInput {

inline QWindow* TopOf(QWidget* w) {
    return w->window()->windowHandle();
}

inline QPoint InTop(QWidget* w, QPoint at) {
    return w->mapTo(w->window(), at);
}

inline void Key(QWidget* anyInWindow, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(TopOf(anyInWindow), key, modifiers);
    QCoreApplication::processEvents();
}

inline void Click(QWidget* w, QPoint at = QPoint(-1, -1), Qt::MouseButton button = Qt::LeftButton) {
    const QPoint where = at == QPoint(-1, -1) ? w->rect().center() : at;
    QTest::mouseClick(TopOf(w), button, Qt::NoModifier, InTop(w, where));
    QCoreApplication::processEvents();
}

inline void Move(QWidget* w, QPoint at) {
    QTest::mouseMove(TopOf(w), InTop(w, at));
    QCoreApplication::processEvents();
}

// One wheel turn of the given notches (positive: away from the user) over the pixel of w.
inline void Wheel(QWidget* w, QPoint at, int notches) {
    const QPoint local = InTop(w, at);
    QWheelEvent event(QPointF(local), QPointF(w->window()->mapToGlobal(local)), QPoint(),
                      QPoint(0, notches * QWheelEvent::DefaultDeltasPerStep), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(TopOf(w), &event);
    QCoreApplication::processEvents();
}

inline QMenu* WaitForPopup(QMenu* popup) {
    for (int i = 0; i < 100 && !popup->isVisible(); ++i) {
        QTest::qWait(5);
    }
    return popup->isVisible() ? popup : nullptr;
}

// Opens the menu with its title (without '&') by a click on the menu bar; null when none.
inline QMenu* OpenMenu(QMenuBar* bar, const QString& title) {
    for (QAction* top : bar->actions()) {
        if (top->menu() && top->text().remove(QLatin1Char('&')) == title) {
            Click(bar, bar->actionGeometry(top).center());
            return WaitForPopup(top->menu());
        }
    }
    return nullptr;
}

// Opens the menu and clicks the item whose text (without '&' and shortcut) is given.
inline bool ClickMenuItem(QMenuBar* bar, const QString& title, const QString& item) {
    QMenu* popup = OpenMenu(bar, title);
    if (!popup) {
        return false;
    }
    for (QAction* entry : popup->actions()) {
        if (entry->isVisible() && entry->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0) == item) {
            Click(popup, popup->actionGeometry(entry).center());
            return true;
        }
    }
    popup->close();
    return false;
}

// Opens a drop list with a click and picks the entry with the arrow keys and Enter.
inline bool Choose(QComboBox* combo, const QString& entry) {
    const int index = combo->findText(entry);
    if (index < 0) {
        return false;
    }
    Click(combo);
    QAbstractItemView* view = combo->view();
    for (int i = 0; i < 100 && !view->isVisible(); ++i) {
        QTest::qWait(5);
    }
    if (!view->isVisible()) {
        return false;
    }
    const int from = std::max(0, view->currentIndex().row());
    for (int i = from; i != index; i += index > from ? 1 : -1) {
        Key(view, index > from ? Qt::Key_Down : Qt::Key_Up);
    }
    Key(view, Qt::Key_Return);
    return combo->currentIndex() == index;
}

}  // namespace WindowInput
