// A deliberate leak in a slot called from a Qt timer. The sanitizer build must report it although
// the allocation's stack passes through Qt's event dispatch; CI fails if it does not.
#include <QApplication>
#include <QTimer>
#include <cstdlib>

namespace {

char* volatile g_pLast = nullptr;

// The leak: the block's only pointer is overwritten, so nothing reaches it at exit.
__attribute__((noinline)) void DeliberateLeakInSlot() {
    g_pLast = static_cast<char*>(std::malloc(4096));
    g_pLast[0] = 1;
    g_pLast = nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QTimer::singleShot(0, &app, [] { DeliberateLeakInSlot(); });
    QTimer::singleShot(10, &app, [] { QApplication::quit(); });
    return QApplication::exec();
}
