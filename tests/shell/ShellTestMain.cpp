// The shell tests' entry point: one offscreen application object for the whole binary.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// Font and platform libraries keep a few caches until the process ends; they are not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libQt6Gui\nleak:libQt6Core\nleak:libglib\nleak:libdbus\n";
}

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KestrovelTest"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
