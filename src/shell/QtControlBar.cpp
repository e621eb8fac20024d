// The widget-backed control bar and its notification routing.
#include "shell/QtControlBar.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>

#include "shell/QtText.h"

namespace {

// Blocks notifications for the lifetime of one bar operation.
class CSilence {
public:
    explicit CSilence(int& counter) : m_counter(counter) { ++m_counter; }
    ~CSilence() { --m_counter; }
    CSilence(const CSilence&) = delete;
    CSilence& operator=(const CSilence&) = delete;

private:
    int& m_counter;
};

template <class T>
T* As(QWidget* w) {
    return qobject_cast<T*>(w);
}

}  // namespace

CQtControlBar::CQtControlBar(QObject* parent) : QObject(parent) {}

QWidget* CQtControlBar::Widget(int id) const {
    auto it = m_widgets.find(id);
    return it == m_widgets.end() ? nullptr : it->second.data();
}

void CQtControlBar::Register(int id, QWidget* widget, bool notify) {
    m_widgets[id] = widget;
    if (notify) {
        Connect(id, widget);
    }
}

void CQtControlBar::Notify(int id, BarNotify what) {
    if (m_nSilent == 0 && m_handler) {
        m_handler(*this, id, what);
    }
}

void CQtControlBar::NotifyReturn(int id) {
    // Enter finishes the field as leaving it does, then says so.
    Notify(id, BarNotify::KillFocus);
    Notify(id, BarNotify::Return);
}

void CQtControlBar::Connect(int id, QWidget* widget) {
    if (auto* combo = As<QComboBox>(widget)) {
        connect(combo, &QComboBox::activated, this, [this, id](int) { Notify(id, BarNotify::SelChange); });
        if (combo->isEditable() && combo->lineEdit()) {
            combo->setInsertPolicy(QComboBox::NoInsert);
            connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                    [this, id](const QString&) { Notify(id, BarNotify::EditChange); });
            combo->lineEdit()->installEventFilter(this);
            m_focusIds[combo->lineEdit()] = id;
            // Keys typed by the user and the focus reach the box, which hands them to its field
            // directly, past the field's filters: Enter and leaving are watched on the box too.
            combo->installEventFilter(this);
            m_returnIds[combo] = id;
            m_focusIds[combo] = id;
        }
    } else if (auto* list = As<QListWidget>(widget)) {
        connect(list, &QListWidget::currentRowChanged, this,
                [this, id](int) { Notify(id, BarNotify::SelChange); });
    } else if (auto* spin = As<QSpinBox>(widget)) {
        connect(spin, &QSpinBox::valueChanged, this, [this, id](int) { Notify(id, BarNotify::EditChange); });
        spin->installEventFilter(this);
        m_focusIds[spin] = id;
    } else if (auto* edit = As<QLineEdit>(widget)) {
        connect(edit, &QLineEdit::textEdited, this,
                [this, id](const QString&) { Notify(id, BarNotify::EditChange); });
        connect(edit, &QLineEdit::returnPressed, this, [this, id]() { NotifyReturn(id); });
        edit->installEventFilter(this);
        m_focusIds[edit] = id;
    } else if (auto* text = As<QPlainTextEdit>(widget)) {
        text->installEventFilter(this);
        m_focusIds[text] = id;
    } else if (auto* button = As<QAbstractButton>(widget)) {
        connect(button, &QAbstractButton::clicked, this,
                [this, id](bool) { Notify(id, BarNotify::Clicked); });
    }
}

bool CQtControlBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && qobject_cast<QComboBox*>(watched->parent())) {
        // Enter in a combo box's field: the field hands the key on to its box, which would
        // hand it back; taken here it is told once.
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto it = m_focusIds.find(watched);
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && it != m_focusIds.end()) {
            NotifyReturn(it->second);
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto it = m_returnIds.find(watched);
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && it != m_returnIds.end()) {
            NotifyReturn(it->second);
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        auto it = m_focusIds.find(watched);
        if (it != m_focusIds.end()) {
            Notify(it->second, BarNotify::KillFocus);
        }
    }
    return QObject::eventFilter(watched, event);
}

void CQtControlBar::EnableAll(bool enable) {
    for (auto& [id, w] : m_widgets) {
        if (w) {
            w->setEnabled(enable);
        }
    }
}

std::string CQtControlBar::GetText(int id) const {
    QWidget* w = Widget(id);
    if (auto* combo = As<QComboBox>(w)) {
        return FromQ(combo->currentText());
    }
    if (auto* list = As<QListWidget>(w)) {
        return list->currentItem() ? FromQ(list->currentItem()->text()) : std::string();
    }
    if (auto* spin = As<QSpinBox>(w)) {
        return FromQ(spin->text());
    }
    if (auto* edit = As<QLineEdit>(w)) {
        return FromQ(edit->text());
    }
    if (auto* text = As<QPlainTextEdit>(w)) {
        return FromQ(text->toPlainText());
    }
    if (auto* button = As<QAbstractButton>(w)) {
        return FromQ(button->text());
    }
    if (auto* label = As<QLabel>(w)) {
        return FromQ(label->text());
    }
    return {};
}

void CQtControlBar::SetText(int id, const std::string& text) {
    CSilence silence(m_nSilent);
    QWidget* w = Widget(id);
    const QString s = ToQ(text);
    if (auto* combo = As<QComboBox>(w)) {
        if (combo->isEditable()) {
            combo->setEditText(s);
        } else {
            combo->setCurrentIndex(combo->findText(s, Qt::MatchFixedString | Qt::MatchCaseSensitive));
        }
    } else if (auto* spin = As<QSpinBox>(w)) {
        bool ok = false;
        const int v = s.trimmed().toInt(&ok);
        spin->setValue(ok ? v : spin->minimum());
    } else if (auto* edit = As<QLineEdit>(w)) {
        edit->setText(s);
    } else if (auto* plain = As<QPlainTextEdit>(w)) {
        plain->setPlainText(s);
    } else if (auto* button = As<QAbstractButton>(w)) {
        button->setText(s);
    } else if (auto* label = As<QLabel>(w)) {
        label->setText(s);
    }
}

int CQtControlBar::GetCheck(int id) const {
    auto* button = As<QAbstractButton>(Widget(id));
    return button && button->isChecked() ? 1 : 0;
}

void CQtControlBar::SetCheck(int id, int state) {
    CSilence silence(m_nSilent);
    if (auto* button = As<QAbstractButton>(Widget(id))) {
        button->setChecked(state != 0);
    }
}

void CQtControlBar::ResetContent(int id) {
    CSilence silence(m_nSilent);
    QWidget* w = Widget(id);
    if (auto* combo = As<QComboBox>(w)) {
        combo->clear();
        if (combo->isEditable()) {
            combo->clearEditText();
        }
    } else if (auto* list = As<QListWidget>(w)) {
        list->clear();
    }
}

int CQtControlBar::AddString(int id, const std::string& text) {
    CSilence silence(m_nSilent);
    QWidget* w = Widget(id);
    if (auto* combo = As<QComboBox>(w)) {
        // A new entry never becomes the selection by itself, whatever the widget's habit.
        const int sel = combo->currentIndex();
        const QString edit = combo->currentText();
        combo->addItem(ToQ(text));
        combo->setCurrentIndex(sel);
        if (combo->isEditable()) {
            combo->setEditText(edit);
        }
        return combo->count() - 1;
    }
    if (auto* list = As<QListWidget>(w)) {
        list->addItem(ToQ(text));
        return list->count() - 1;
    }
    return -1;
}

int CQtControlBar::DeleteString(int id, int index) {
    CSilence silence(m_nSilent);
    QWidget* w = Widget(id);
    if (index < 0 || index >= GetCount(id)) {
        return -1;
    }
    if (auto* combo = As<QComboBox>(w)) {
        const int sel = combo->currentIndex();
        const QString edit = combo->currentText();
        combo->removeItem(index);
        combo->setCurrentIndex(sel == index ? -1 : (sel > index ? sel - 1 : sel));
        if (combo->isEditable()) {
            combo->setEditText(edit);
        }
        return combo->count();
    }
    if (auto* list = As<QListWidget>(w)) {
        const int sel = list->currentRow();
        delete list->takeItem(index);
        list->setCurrentRow(sel == index ? -1 : (sel > index ? sel - 1 : sel));
        return list->count();
    }
    return -1;
}

int CQtControlBar::GetCount(int id) const {
    QWidget* w = Widget(id);
    if (auto* combo = As<QComboBox>(w)) {
        return combo->count();
    }
    if (auto* list = As<QListWidget>(w)) {
        return list->count();
    }
    return 0;
}

std::string CQtControlBar::GetEntry(int id, int index) const {
    QWidget* w = Widget(id);
    if (index < 0 || index >= GetCount(id)) {
        return {};
    }
    if (auto* combo = As<QComboBox>(w)) {
        return FromQ(combo->itemText(index));
    }
    if (auto* list = As<QListWidget>(w)) {
        return FromQ(list->item(index)->text());
    }
    return {};
}

int CQtControlBar::SetCurSel(int id, int index) {
    CSilence silence(m_nSilent);
    QWidget* w = Widget(id);
    const int valid = index >= 0 && index < GetCount(id) ? index : -1;
    if (auto* combo = As<QComboBox>(w)) {
        combo->setCurrentIndex(valid);
        if (valid >= 0 && combo->isEditable()) {
            combo->setEditText(combo->itemText(valid));
        }
    } else if (auto* list = As<QListWidget>(w)) {
        list->setCurrentRow(valid);
        if (valid < 0) {
            list->clearSelection();
        }
    }
    return valid;
}

int CQtControlBar::GetCurSel(int id) const {
    QWidget* w = Widget(id);
    if (auto* combo = As<QComboBox>(w)) {
        return combo->currentIndex();
    }
    if (auto* list = As<QListWidget>(w)) {
        return list->currentRow();
    }
    return -1;
}

int CQtControlBar::FindStringExact(int id, const std::string& text) const {
    for (int i = 0, n = GetCount(id); i < n; ++i) {
        if (GetEntry(id, i) == text) {
            return i;
        }
    }
    return -1;
}

void CQtControlBar::Enable(int id, bool enable) {
    if (QWidget* w = Widget(id)) {
        w->setEnabled(enable);
    }
}

bool CQtControlBar::IsEnabled(int id) const {
    QWidget* w = Widget(id);
    return w && !w->testAttribute(Qt::WA_ForceDisabled);
}
