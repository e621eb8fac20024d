// CCommandTable: one QAction per command identifier, with its texts, accelerators and icon.
#pragma once

#include <QObject>
#include <functional>
#include <map>

class QAction;
class QWidget;

class CCommandTable : public QObject {
    Q_OBJECT
public:
    // Runs when an action is triggered: the identifier goes to the frame's routing.
    using CRouter = std::function<void(int id)>;

    CCommandTable(QWidget* owner, CRouter router);

    // The action of a command (made on first use for identifiers without a table entry).
    QAction* Action(int id);
    const std::map<int, QAction*>& Actions() const { return m_actions; }

    // The status-bar prompt and the tool tip of a command, as its string says ("prompt\ntip").
    static QString Prompt(int id);
    static QString ToolTip(int id);

private:
    QAction* Make(int id);

    QWidget* m_pOwner;
    CRouter m_router;
    std::map<int, QAction*> m_actions;
};
