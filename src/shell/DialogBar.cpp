// The dialog-bar base: a dock widget with identified controls.
#include "shell/DialogBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

CDialogBar::CDialogBar(const QString& title, const QString& stateName, QWidget* parent)
    : QDockWidget(title, parent), m_strStateName(stateName), m_pBody(new QWidget(this)), m_controls(this) {
    setObjectName(stateName);
    setWidget(m_pBody);
    // The bars float or sit docked where their saved state puts them; the user may close them.
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::TopDockWidgetArea);
}

void CDialogBar::EnableControls(bool enable) {
    m_pBody->setEnabled(enable);
}

QComboBox* CDialogBar::MakeCombo(int id, const QStringList& entries, bool editable) {
    auto* combo = new QComboBox(m_pBody);
    combo->setEditable(editable);
    combo->addItems(entries);
    combo->setCurrentIndex(entries.isEmpty() ? -1 : 0);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_controls.Register(id, combo);
    return combo;
}

QLineEdit* CDialogBar::MakeEdit(int id) {
    auto* edit = new QLineEdit(m_pBody);
    edit->setMinimumWidth(70);
    m_controls.Register(id, edit);
    return edit;
}

QCheckBox* CDialogBar::MakeCheck(int id, const QString& text) {
    auto* check = new QCheckBox(text, m_pBody);
    m_controls.Register(id, check);
    return check;
}

QPushButton* CDialogBar::MakeButton(int id, const QString& text) {
    auto* button = new QPushButton(text, m_pBody);
    m_controls.Register(id, button);
    return button;
}
