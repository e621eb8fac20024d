// The shell tests' entry point: one offscreen application object for the whole binary.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "shell/OffscreenMessages.h"

int main(int argc, char** argv) {
    // Offscreen, unless the run asks for the X server it has (.ci/run under xvfb-run).
    setenv("QT_QPA_PLATFORM", std::getenv("KESTROVEL_TEST_ON_X") ? "xcb" : "offscreen", 1);
    InstallOffscreenMessageFilter();
    // The tests answer Qt's own file dialog; a platform's dialog would wait for a person.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    // Recovery files go to a folder of this run: a person's own are never offered to the tests.
    QTemporaryDir dataHome;
    setenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KestrovelTest"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
