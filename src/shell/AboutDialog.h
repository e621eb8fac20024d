// CAboutDialog: the About box naming the program and its version.
#pragma once

#include <QDialog>

class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget* parent);
    static constexpr const char* kVersionText = "Kestrovel Version 1.0";
};
