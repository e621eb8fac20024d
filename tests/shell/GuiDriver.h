// Helpers for driving the application offscreen: answering modal dialogs, settings in a folder.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// Runs the action on the next modal dialog of the given type as soon as it is up. The first tries
// come at once; later ones wait a little, for dialogs that read files before they show.
template <class TDialog>
void OnNextDialog(std::function<void(TDialog&)> action, int tries = 400) {
    QTimer::singleShot(tries > 200 ? 0 : 20, [action, tries]() {
        if (auto* dialog = qobject_cast<TDialog*>(QApplication::activeModalWidget())) {
            action(*dialog);
        } else if (tries > 0) {
            OnNextDialog<TDialog>(action, tries - 1);
        }
    });
}

#include <QDir>
#include <QFile>
#include <QTest>

// Copies the sample post-processor folder below dir and makes dir the working directory, so
// that a frame made now finds dir/Debug/Post.ini and the compiled programs land there.
inline bool UseSamplePostProcessors(const QString& dir) {
    const QDir from(QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/Debug"));
    QDir(dir).mkpath(QStringLiteral("Debug"));
    for (const QString& name : from.entryList(QDir::Files)) {
        if (!QFile::copy(from.filePath(name), dir + QStringLiteral("/Debug/") + name)) {
            return false;
        }
    }
    return QDir::setCurrent(dir);
}

// Lets queued notifications (the view's first paint) come back.
inline void Settle() {
    for (int i = 0; i < 5; ++i) {
        QTest::qWait(5);
    }
}
