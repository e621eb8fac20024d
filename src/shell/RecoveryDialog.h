// CRecoveryDialog: offers the drawings a previous run left in recovery files, all in one list.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <vector>

class QPushButton;
class QTreeWidget;

class CRecoveryDialog : public QDialog {
    Q_OBJECT
public:
    enum class Choice { Later, Recover, Discard };

    struct CEntry {
        QString strName;
        QString strPath;  // empty for a drawing never saved
        QString strTime;
        QString strChanges;
    };

    // damaged: one line per recovery file that could not be read and was set aside.
    CRecoveryDialog(std::vector<CEntry> entries, QStringList damaged, QWidget* parent);

    // What the person chose for each entry, in the entries' order; Later for those left open.
    const std::vector<Choice>& Choices() const { return m_choices; }
    QTreeWidget* List() const { return m_pList; }

private:
    // Applies the choice to the selected rows; the dialog closes when no row is left open.
    void Choose(Choice choice);

    std::vector<Choice> m_choices;
    QTreeWidget* m_pList = nullptr;
};
