// The shell tests' entry point: one offscreen application object for the whole binary.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

// The offscreen platform says so whenever a window is raised or sized by its hints.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith(QStringLiteral("This plugin does not support"))) {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Offscreen, unless the run asks for the X server it has (.ci/run under xvfb-run).
    setenv("QT_QPA_PLATFORM", std::getenv("KESTROVEL_TEST_ON_X") ? "xcb" : "offscreen", 1);
    qInstallMessageHandler(QuietHandler);
    // The tests answer Qt's own file dialog; a platform's dialog would wait for a person.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KestrovelTest"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
