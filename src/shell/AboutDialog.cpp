// The About box: the application icon, the version line and OK.
#include "shell/AboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/Icons.h"

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Kestrovel"));
    auto* box = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(CIcons::Application().pixmap(32, 32));
    row->addWidget(icon);
    auto* text = new QLabel(QString::fromLatin1(kVersionText), this);
    text->setObjectName(QStringLiteral("version"));
    row->addWidget(text, 1);
    box->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    box->addWidget(buttons);
}
