// The Options dialog: how often modified drawings are copied to their recovery files.
#include "shell/OptionsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "shell/Autosave.h"
#include "shell/QtText.h"

COptionsDialog::COptionsDialog(CAutosave& autosave, QWidget* parent) : QDialog(parent), m_autosave(autosave) {
    setWindowTitle(QStringLiteral("Options"));
    auto* box = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_pMinutes = new QSpinBox(this);
    m_pMinutes->setObjectName(QStringLiteral("autosaveMinutes"));
    m_pMinutes->setRange(0, 1440);
    m_pMinutes->setSuffix(QStringLiteral(" min"));
    m_pMinutes->setSpecialValueText(QStringLiteral("Off"));
    m_pMinutes->setValue(autosave.GetMinutes());
    form->addRow(QStringLiteral("&Save recovery copies every:"), m_pMinutes);
    box->addLayout(form);
    auto* where = new QLabel(QStringLiteral("Drawings with unsaved changes are copied to %1 and offered "
                                            "again if Kestrovel does not close properly.")
                                 .arg(ToQ(autosave.Store().GetFolder())),
                             this);
    where->setWordWrap(true);
    box->addWidget(where);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    box->addWidget(buttons);
}

void COptionsDialog::accept() {
    m_autosave.SetMinutes(m_pMinutes->value());
    QDialog::accept();
}
