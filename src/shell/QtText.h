// Conversions between the core's 8-bit strings and Qt's strings.
#pragma once

#include <QString>
#include <string>

// The core holds the files' 8-bit text; it is shown as UTF-8 where it is valid and as Latin-1
// otherwise, so no byte is ever lost on the way to a widget.
inline QString ToQ(const std::string& text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (s.contains(QChar::ReplacementCharacter) && text.find("\xEF\xBF\xBD") == std::string::npos) {
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    return s;
}

inline std::string FromQ(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}
