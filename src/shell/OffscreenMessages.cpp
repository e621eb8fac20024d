// Qt's messages without the offscreen platform's notes on window hints.
#include "shell/OffscreenMessages.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>

namespace {

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith(QStringLiteral("This plugin does not support"))) {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

}  // namespace

void InstallOffscreenMessageFilter() {
    qInstallMessageHandler(QuietHandler);
}
