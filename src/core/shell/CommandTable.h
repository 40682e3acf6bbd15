#pragma once
#include "core/base/CommandIds.h"

#include <string>
#include <vector>

namespace kardel {

// Where a command's toolbar button sits.
enum class ToolBar { None, Main, Tree };

// One command: its menu text as stored (mnemonic and tab-separated key text included),
// its accelerator keys (portable key names such as "Ctrl+Shift+X", "Ctrl+Up"), its
// toolbar and its status-bar prompt and tooltip. Texts are UTF-8 literals here; the
// accessors hand out the cp932 text every other part of the core works with.
struct CommandInfo {
    CommandId id;
    const char* menuText; // nullptr: the command has no menu item
    std::vector<const char*> keys;
    ToolBar bar;
    const char* prompt;  // nullptr: no prompt
    const char* tooltip; // nullptr: no tooltip

    const std::string& MenuText() const;
    const std::string& Prompt() const;
    const std::string& Tooltip() const;
};

// An entry of a menu: a command, a separator, a popup with entries, or the recent-file list.
struct MenuEntry {
    enum class Kind { Command, Separator, Popup, RecentFiles };
    Kind kind = Kind::Command;
    CommandId id = CommandId(0);
    const char* text = nullptr; // popups, and commands whose text differs from the table's
    std::vector<MenuEntry> children;

    const std::string& Text() const; // cp932: the popup's text, or the command's text here
};

// The program's one table of commands, menus and toolbars.
class CommandTable {
public:
    static const std::vector<CommandInfo>& Commands();
    // nullptr for an id the table does not hold.
    static const CommandInfo* Find(int id);
    // cp932 menu text without its mnemonic, key text and trailing dots ("ごみ箱へ移動").
    static std::string PlainText(int id);

    // The main menu's popups.
    static const std::vector<MenuEntry>& MainMenu();
    // The memo context menu.
    static const MenuEntry& MemoContextMenu();
    // MemoView's context menu.
    static const MenuEntry& MemoViewContextMenu();

    // Button order of the main toolbar and the tree toolbar; 0 stands for a separator.
    static const std::vector<int>& MainToolBar();
    static const std::vector<int>& TreeToolBar();
};

} // namespace kardel
