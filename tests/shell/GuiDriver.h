// Helpers for driving the application offscreen: answering modal dialogs, settings in a folder.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// Runs the action on the next modal dialog of the given type as soon as it is up.
template <class TDialog>
void OnNextDialog(std::function<void(TDialog&)> action, int tries = 200) {
    QTimer::singleShot(0, [action, tries]() {
        if (auto* dialog = qobject_cast<TDialog*>(QApplication::activeModalWidget())) {
            action(*dialog);
        } else if (tries > 0) {
            OnNextDialog<TDialog>(action, tries - 1);
        }
    });
}
