// CQtMessages: the core's message boxes as QMessageBox, its traces on Qt's debug output.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "platform/Messages.h"

class CQtMessages : public CMessages {
public:
    // Answers a box instead of showing it (tests drive the application without a person).
    using CInterceptor = std::function<MessageAnswer(const std::string& text, const std::string& caption,
                                                     MessageIcon icon, MessageButtons buttons)>;

    explicit CQtMessages(QWidget* parent = nullptr) : m_pParent(parent) {}

    MessageAnswer MessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons) override;
    void Trace(const std::string& text) override;

    void SetParent(QWidget* parent) { m_pParent = parent; }
    void SetInterceptor(CInterceptor interceptor) { m_interceptor = std::move(interceptor); }

private:
    QPointer<QWidget> m_pParent;
    CInterceptor m_interceptor;
};
