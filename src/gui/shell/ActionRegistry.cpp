#include "gui/shell/ActionRegistry.h"

#include "core/shell/CommandRouter.h"
#include "core/shell/FileCommands.h"
#include "gui/common/Cp932Text.h"
#include "gui/common/IconList.h"
#include "gui/shell/ToolBarIcons.h"

#include <QAction>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>

namespace kardel::gui {
namespace {

// Toolbar pictures: the desktop theme's where it has one, our own otherwise.
QIcon ButtonIcon(int id) {
    struct Theme {
        int id;
        const char* name;
        int fallback; // index into the memo icon list, or -1
    };
    static const Theme themes[] = {
        {ID_FILE_NEW, "document-new", 4},
        {ID_FILE_OPEN, "document-open", 1},
        {ID_FILE_SAVE, "document-save", -1},
        {ID_FILE_SAVE_AS, "document-save-as", -1},
        {ID_EDIT_CUT, "edit-cut", -1},
        {ID_EDIT_COPY, "edit-copy", -1},
        {ID_EDIT_PASTE, "edit-paste", -1},
        {ID_EDIT_FIND, "edit-find", -1},
        {ID_MEMO_PROPERTY, "document-properties", 4},
        {ID_EXPAND_ALL, "list-add", 0},
        {ID_COLLAPSE_ALL, "list-remove", 1},
        {ID_FIND, "system-search", -1},
        {ID_FIND_AGAIN, "view-refresh", -1},
        {ID_FIND_STANDARD, "edit-find-replace", -1},
        {ID_FILE_PRINT, "document-print", -1},
        {ID_OPTIONS, "preferences-system", -1},
        {ID_HELP_FINDER, "help-contents", -1},
        {ID_MEMO_CREATE, "list-add", 4},
        {ID_MEMO_CREATE_UNTITLED, "document-new", 4},
        {ID_MEMO_DUPLICATE, "edit-copy", 4},
        {ID_MEMO_CUT, "edit-cut", -1},
        {ID_MEMO_COPY, "edit-copy", -1},
        {ID_MEMO_PASTE, "edit-paste", -1},
        {ID_MEMO_TO_TRASH, "user-trash", 3},
        {ID_MEMO_EMPTY_TRASH, "edit-clear", 2},
        {ID_MEMO_UP, "go-up", -1},
        {ID_MEMO_DOWN, "go-down", -1},
        {ID_MEMO_LEVEL_UP, "go-previous", -1},
        {ID_MEMO_LEVEL_DOWN, "go-next", -1},
    };
    for (const Theme& theme : themes) {
        if (theme.id != id)
            continue;
        QIcon icon = QIcon::fromTheme(QString::fromLatin1(theme.name));
        if (!icon.isNull())
            return icon;
        QIcon own = ToolBarIcon(id);
        if (!own.isNull())
            return own;
        if (theme.fallback >= 0)
            return IconList::BuiltIn(theme.fallback);
    }
    return ToolBarIcon(id);
}

} // namespace

QString ActionRegistry::ObjectName(const QString& prefix, int id) {
    const char* constant = CommandIdName(id);
    int recent = id - ID_FILE_MRU_FILE1;
    if (!constant && recent > 0 && recent < FileCommands::kRecentCount)
        return prefix + QStringLiteral("FileMruFile%1").arg(recent + 1);
    if (!constant)
        return prefix + QString::number(id);
    QString name = prefix;
    bool upper = true;
    for (const char* c = constant + 3; *c; ++c) { // after "ID_"
        if (*c == '_') {
            upper = true;
            continue;
        }
        name += upper ? QChar(*c) : QChar(*c).toLower();
        upper = false;
    }
    return name;
}

ActionRegistry::ActionRegistry(QWidget* window, std::function<void(int)> execute)
    : QObject(window), m_window(window), m_execute(std::move(execute)) {
    for (const CommandInfo& info : CommandTable::Commands()) {
        QAction* action = Create(info.id, FromCp932(info.MenuText()), ObjectName(QStringLiteral("action"), info.id));
        QList<QKeySequence> keys;
        for (const char* key : info.keys)
            keys << QKeySequence(QString::fromLatin1(key), QKeySequence::PortableText);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setStatusTip(FromCp932(info.Prompt()));
        if (info.tooltip)
            action->setToolTip(FromCp932(info.Tooltip()));
        QIcon icon = ButtonIcon(info.id);
        if (!icon.isNull())
            action->setIcon(icon);
        // Menus show the stored text with its key after the tab; no second key column.
        action->setShortcutVisibleInContextMenu(false);
        m_actions.insert(info.id, action);
        window->addAction(action);
    }
    for (int i = 0; i < FileCommands::kRecentCount; ++i) {
        int id = ID_FILE_MRU_FILE1 + i;
        QAction* action = i == 0 ? m_actions.value(id) : Create(id, QString(), ObjectName(QStringLiteral("action"), id));
        m_recent << action;
    }
    m_recentPlaceholder = new QAction(Utf8("最近使ったﾌｧｲﾙ"), this);
    m_recentPlaceholder->setObjectName("recentFilesPlaceholder");
    m_recentPlaceholder->setEnabled(false);
}

QAction* ActionRegistry::Create(int id, const QString& text, const QString& objectName,
                                std::function<void(int)> execute) {
    auto* action = new QAction(text, this);
    action->setObjectName(objectName);
    action->setData(id);
    action->setMenuRole(QAction::NoRole);
    if (execute) {
        connect(action, &QAction::triggered, this, [execute, id] { execute(id); });
    } else {
        connect(action, &QAction::triggered, this, [this, id] { m_execute(id); });
        m_all << action;
    }
    return action;
}

void ActionRegistry::AddEntries(QMenu* menu, const MenuEntry& entry, const QString& prefix,
                                const std::function<void(int)>& execute) {
    for (const MenuEntry& child : entry.children) {
        switch (child.kind) {
        case MenuEntry::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuEntry::Kind::Popup: {
            QMenu* sub = menu->addMenu(FromCp932(child.Text()));
            sub->setObjectName(prefix + QStringLiteral("Menu"));
            AddEntries(sub, child, prefix, execute);
            break;
        }
        case MenuEntry::Kind::RecentFiles:
            menu->addAction(m_recentPlaceholder);
            for (QAction* action : m_recent)
                menu->addAction(action);
            break;
        case MenuEntry::Kind::Command:
            if (child.text) {
                // The item's own text: an action of its own that runs the same command.
                QAction* action =
                    Create(child.id, FromCp932(child.Text()), ObjectName(prefix, child.id), execute);
                if (QAction* main = m_actions.value(child.id))
                    action->setStatusTip(main->statusTip());
                menu->addAction(action);
            } else {
                menu->addAction(m_actions.value(child.id));
            }
            break;
        }
    }
}

void ActionRegistry::BuildMenuBar(QMenuBar* bar) {
    int n = 0;
    for (const MenuEntry& popup : CommandTable::MainMenu()) {
        QMenu* menu = bar->addMenu(FromCp932(popup.Text()));
        menu->setObjectName(QStringLiteral("menu%1").arg(n++));
        AddEntries(menu, popup, QStringLiteral("menu"), {});
    }
    SetRecentFiles({});
}

QMenu* ActionRegistry::BuildPopup(const MenuEntry& entry, QWidget* parent, const QString& objectPrefix,
                                  std::function<void(int)> execute) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(objectPrefix + QStringLiteral("Popup"));
    AddEntries(menu, entry, objectPrefix, execute);
    return menu;
}

void ActionRegistry::FillToolBar(QToolBar* bar, const std::vector<int>& ids) {
    for (int id : ids) {
        if (id == 0)
            bar->addSeparator();
        else if (QAction* action = m_actions.value(id))
            bar->addAction(action);
    }
}

void ActionRegistry::SetRecentFiles(const QStringList& paths) {
    m_recentPlaceholder->setVisible(paths.isEmpty());
    for (int i = 0; i < m_recent.size(); ++i) {
        QAction* action = m_recent[i];
        const bool used = i < paths.size();
        action->setVisible(used);
        if (used) {
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(paths[i]).fileName()));
            action->setStatusTip(paths[i]);
        }
    }
}

void ActionRegistry::Refresh(const CommandRouter& router) {
    for (QAction* action : m_all) {
        CCmdUI ui = router.Update(CommandId(action->data().toInt()));
        action->setEnabled(ui.enabled);
        if (!ui.text.empty()) {
            // A text of the moment (the step undo would take back) with the table's key text.
            const CommandInfo* info = CommandTable::Find(action->data().toInt());
            QString table = info ? FromCp932(info->MenuText()) : QString();
            qsizetype tab = table.indexOf(QLatin1Char('\t'));
            action->setText(FromCp932(ui.text) + (tab >= 0 ? table.mid(tab) : QString()));
            action->setStatusTip(ui.enabled || !info ? FromCp932(ui.text) : FromCp932(info->Prompt()));
        }
        action->setCheckable(ui.checkable);
        if (ui.checkable)
            action->setChecked(ui.checked);
    }
}

} // namespace kardel::gui
