// The program's entry point: the application object on a Qt application.
#include <QApplication>

#include "shell/Kestrovel.h"

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrovel"));
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    CKestrovelApp app;
    if (!app.InitInstance(arguments)) {
        return 1;
    }
    return QApplication::exec();
}
