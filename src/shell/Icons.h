// CIcons: the application's tool-bar icons and cursors, painted at run time.
#pragma once

#include <QCursor>
#include <QIcon>

class CIcons {
public:
    // The icon of a command's button (a plain lettered tile for commands without artwork).
    static QIcon ForCommand(int id);
    static QIcon Application();
    // The cursors a drawing view asks for by resource number (ViewHost.h).
    static QCursor Cursor(int cursor);
};
