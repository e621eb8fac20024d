// Modal message boxes with the core's captions and icons, and debug traces.
#include "shell/QtMessages.h"

#include <QApplication>
#include <QDebug>
#include <QMessageBox>

#include "shell/QtText.h"

namespace {

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
        case MessageIcon::Stop: return QMessageBox::Critical;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Information: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        default: return QMessageBox::Ok;
    }
}

MessageAnswer AnswerOf(int button) {
    switch (button) {
        case QMessageBox::Cancel: return MessageAnswer::Cancel;
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        default: return MessageAnswer::Ok;
    }
}

}  // namespace

MessageAnswer CQtMessages::MessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                                      MessageButtons buttons) {
    if (m_interceptor) {
        return m_interceptor(text, caption, icon, buttons);
    }
    QWidget* parent = m_pParent ? m_pParent.data() : QApplication::activeWindow();
    QMessageBox box(IconOf(icon), ToQ(caption), ToQ(text), ButtonsOf(buttons), parent);
    const int answer = box.exec();
    if (answer == QMessageBox::Cancel || answer == QMessageBox::Yes || answer == QMessageBox::No) {
        return AnswerOf(answer);
    }
    // A box closed without a button: a lone OK counts as given, a question as declined.
    switch (buttons) {
        case MessageButtons::YesNo: return MessageAnswer::No;
        case MessageButtons::YesNoCancel:
        case MessageButtons::OkCancel: return MessageAnswer::Cancel;
        default: return MessageAnswer::Ok;
    }
}

void CQtMessages::Trace(const std::string& text) {
    QString line = ToQ(text);
    while (line.endsWith(QLatin1Char('\n'))) {
        line.chop(1);
    }
    qDebug().noquote() << line;
}
