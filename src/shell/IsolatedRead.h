// CIsolatedRead: a reading of outside data run in a child process, so that a fault of the library
// that reads it (a crash, a hang, a runaway allocation) costs the editor nothing but a message.
#pragma once

#include <functional>
#include <string>

class QWidget;
class QString;

class CIsolatedRead {
public:
    // Runs work in a forked copy of the editor and hands back the bytes it returns. The editor's
    // event loop keeps running meanwhile; after a short wait a box with Cancel shows what is being
    // read. False with a one-line reason when the child died, was cancelled or could not start.
    // work must be plain C++ (no Qt): the child has none of the editor's threads.
    static bool Run(QWidget* parent, const QString& what, const std::function<std::string()>& work,
                    std::string& output, std::string& error);
};
