// CQtControlBar: a bar's controls as real widgets, reached by identifier.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>

#include "platform/ControlBar.h"

// Holds the widgets of one bar (or form) by identifier and forwards what the user does with
// them as (bar, id, notification) to the handler. Combo boxes, list widgets, line edits, spin
// boxes, check and radio boxes, push buttons, labels and plain-text edits are understood.
class CQtControlBar : public QObject, public CControlBar {
    Q_OBJECT
public:
    explicit CQtControlBar(QObject* parent = nullptr);

    // Makes the widget the control with this identifier; with notify, what the user does with it
    // is forwarded under that identifier (a widget may serve two identifiers, notifying for one).
    void Register(int id, QWidget* widget, bool notify = true);
    QWidget* Widget(int id) const;
    void SetHandler(CBarHandler handler) { m_handler = std::move(handler); }
    // Enables or disables every control at once (bars without an active drawing).
    void EnableAll(bool enable);

    std::string GetText(int id) const override;
    void SetText(int id, const std::string& text) override;
    int GetCheck(int id) const override;
    void SetCheck(int id, int state) override;
    void ResetContent(int id) override;
    int AddString(int id, const std::string& text) override;
    int DeleteString(int id, int index) override;
    int GetCount(int id) const override;
    std::string GetEntry(int id, int index) const override;
    int SetCurSel(int id, int index) override;
    int GetCurSel(int id) const override;
    int FindStringExact(int id, const std::string& text) const override;
    void Enable(int id, bool enable) override;
    bool IsEnabled(int id) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Notify(int id, BarNotify what);
    void NotifyReturn(int id);
    void Connect(int id, QWidget* widget);

    std::map<int, QPointer<QWidget>> m_widgets;
    std::map<QObject*, int> m_focusIds;
    // Editable combo boxes by the identifier their Enter key is told under.
    std::map<QObject*, int> m_returnIds;
    CBarHandler m_handler;
    // Above zero while the bar itself changes a control: such changes are not the user's.
    int m_nSilent = 0;
};
