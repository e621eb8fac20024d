// The recovery dialog: name, path, time and changes per drawing; Recover, Discard or Later.
#include "shell/RecoveryDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CRecoveryDialog::CRecoveryDialog(std::vector<CEntry> entries, QStringList damaged, QWidget* parent)
    : QDialog(parent), m_choices(entries.size(), Choice::Later) {
    setWindowTitle(QStringLiteral("Recover Drawings"));
    setObjectName(QStringLiteral("RecoveryDialog"));
    auto* box = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("Kestrovel did not close properly. These drawings had changes that were not "
                       "saved; their last automatic copies can be recovered. A recovered drawing opens "
                       "as modified and is saved to its original file."),
        this);
    intro->setWordWrap(true);
    box->addWidget(intro);

    m_pList = new QTreeWidget(this);
    m_pList->setObjectName(QStringLiteral("drawings"));
    m_pList->setHeaderLabels({QStringLiteral("Drawing"), QStringLiteral("File"), QStringLiteral("Saved at"),
                              QStringLiteral("Changes")});
    m_pList->setRootIsDecorated(false);
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (size_t i = 0; i < entries.size(); ++i) {
        const CEntry& e = entries[i];
        auto* item = new QTreeWidgetItem(
            m_pList, {e.strName, e.strPath.isEmpty() ? QStringLiteral("(never saved)") : e.strPath, e.strTime,
                      e.strChanges});
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        item->setSelected(true);
    }
    m_pList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (m_pList->topLevelItemCount() > 0) {
        m_pList->setCurrentItem(m_pList->topLevelItem(0), 0, QItemSelectionModel::NoUpdate);
    }
    box->addWidget(m_pList, 1);

    if (!damaged.isEmpty()) {
        auto* note = new QLabel(QStringLiteral("These recovery files are damaged and were set aside:\n") +
                                    damaged.join(QLatin1Char('\n')),
                                this);
        note->setObjectName(QStringLiteral("damaged"));
        note->setWordWrap(true);
        note->setTextInteractionFlags(Qt::TextSelectableByMouse);
        box->addWidget(note);
    }

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* recover = buttons->addButton(QStringLiteral("&Recover"), QDialogButtonBox::AcceptRole);
    QPushButton* discard = buttons->addButton(QStringLiteral("&Discard"), QDialogButtonBox::DestructiveRole);
    QPushButton* later = buttons->addButton(QStringLiteral("&Later"), QDialogButtonBox::RejectRole);
    recover->setDefault(true);
    connect(recover, &QPushButton::clicked, this, [this]() { Choose(Choice::Recover); });
    connect(discard, &QPushButton::clicked, this, [this]() { Choose(Choice::Discard); });
    connect(later, &QPushButton::clicked, this, [this]() { Choose(Choice::Later); });
    box->addWidget(buttons);
    resize(760, 320);
    if (entries.empty()) {
        recover->setEnabled(false);
        discard->setEnabled(false);
        later->setText(QStringLiteral("&Close"));
    }
}

void CRecoveryDialog::Choose(Choice choice) {
    const QList<QTreeWidgetItem*> selected = m_pList->selectedItems();
    for (QTreeWidgetItem* item : selected) {
        m_choices[static_cast<size_t>(item->data(0, Qt::UserRole).toInt())] = choice;
        delete item;
    }
    if (m_pList->topLevelItemCount() == 0) {
        accept();
    } else {
        m_pList->topLevelItem(0)->setSelected(true);
    }
}
