// CDialogBar: a dock widget whose controls the core reaches by identifier.
#pragma once

#include <QDockWidget>
#include <QStringList>

#include "shell/QtControlBar.h"

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;

class CDialogBar : public QDockWidget {
    Q_OBJECT
public:
    CDialogBar(const QString& title, const QString& stateName, QWidget* parent);

    CQtControlBar& Controls() { return m_controls; }
    const QString& GetStateName() const { return m_strStateName; }
    // Enables or disables the bar's controls as a whole; each keeps its own enable state for
    // when the bar is enabled again.
    void EnableControls(bool enable);

protected:
    // Builders for the bar layouts; each registers the control under its identifier.
    QComboBox* MakeCombo(int id, const QStringList& entries, bool editable = false);
    QLineEdit* MakeEdit(int id);
    QCheckBox* MakeCheck(int id, const QString& text);
    QPushButton* MakeButton(int id, const QString& text);
    // The widget every builder puts its rows into.
    QWidget* Body() const { return m_pBody; }

private:
    QString m_strStateName;
    QWidget* m_pBody;
    CQtControlBar m_controls;
};
