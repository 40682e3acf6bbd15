#pragma once
#include "core/shell/CommandTable.h"

#include <QHash>
#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace kardel {
class CommandRouter;
}

namespace kardel::gui {

// Every QAction of the window, made from the command table: one per command (objectName
// "action<id>"), plus one per menu item whose text differs from the table's. Triggering
// any of them routes the command; Refresh sets every action's state from the rules.
class ActionRegistry : public QObject {
    Q_OBJECT
public:
    ActionRegistry(QWidget* window, std::function<void(int id)> execute);

    QAction* Action(int id) const { return m_actions.value(id); }
    const QList<QAction*>& AllActions() const { return m_all; }

    // The object name of a command's action: the prefix and the command's constant in
    // camel case ("action" + ID_MEMO_UP gives "actionMemoUp"); recent files count on
    // from ID_FILE_MRU_FILE1 ("actionFileMruFile2").
    static QString ObjectName(const QString& prefix, int id);

    void BuildMenuBar(QMenuBar* bar);
    // A popup of its own (the memo context menu or MemoView's) from the table's entry. With `execute`, the popup's
    // own actions go there instead of the router and are left out of Refresh.
    QMenu* BuildPopup(const MenuEntry& entry, QWidget* parent, const QString& objectPrefix,
                      std::function<void(int)> execute = {});
    void FillToolBar(QToolBar* bar, const std::vector<int>& ids);

    // The recent files menu entries: texts "&1 name" ..., grayed placeholder while empty.
    void SetRecentFiles(const QStringList& paths);

    void Refresh(const CommandRouter& router);

private:
    QAction* Create(int id, const QString& text, const QString& objectName, std::function<void(int)> execute = {});
    void AddEntries(QMenu* menu, const MenuEntry& entry, const QString& objectPrefix,
                    const std::function<void(int)>& execute);

    QWidget* m_window;
    std::function<void(int)> m_execute;
    QHash<int, QAction*> m_actions;
    QList<QAction*> m_all;
    QList<QAction*> m_recent;
    QAction* m_recentPlaceholder = nullptr;
};

} // namespace kardel::gui
