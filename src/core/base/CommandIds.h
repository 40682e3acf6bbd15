#pragma once

namespace kardel {

// Numeric command ids of menus, accelerators and toolbars. Their texts, keys and
// toolbar places are kept in the command table of the shell. The list gives each
// id its constant's spelling too, so that widgets and messages can name a command.
// clang-format off
#define KARDEL_COMMAND_IDS(X) \
    X(ID_FILE_NEW, 57600) \
    X(ID_FILE_OPEN, 57601) \
    X(ID_FILE_CLOSE, 57602) \
    X(ID_FILE_SAVE, 57603) \
    X(ID_FILE_SAVE_AS, 57604) \
    X(ID_FILE_PRINT_SETUP, 57606) \
    X(ID_FILE_PRINT, 57607) \
    X(ID_FILE_MRU_FILE1, 57616) \
    X(ID_EDIT_COPY, 57634) \
    X(ID_EDIT_CUT, 57635) \
    X(ID_EDIT_FIND, 57636) \
    X(ID_EDIT_PASTE, 57637) \
    X(ID_EDIT_REPLACE, 57641) \
    X(ID_EDIT_SELECT_ALL, 57642) \
    X(ID_EDIT_UNDO, 57643) \
    X(ID_APP_ABOUT, 57664) \
    X(ID_HELP_FINDER, 57667) \
    X(ID_NEXT_PANE, 57680) \
    X(ID_PREV_PANE, 57681) \
    X(ID_VIEW_TOOLBAR, 59392) \
    X(ID_VIEW_STATUS_BAR, 59393) \
    X(ID_MEMO_CREATE, 32774) \
    X(ID_MEMO_PROPERTY, 32776) \
    X(ID_MEMO_TO_TRASH, 32778) \
    X(ID_MEMO_EMPTY_TRASH, 32779) \
    X(ID_FIND, 32780) \
    X(ID_FIND_STANDARD, 32783) \
    X(ID_FIND_AGAIN, 32786) \
    X(ID_INSERT_DATE, 32789) \
    X(ID_OPTIONS, 32790) \
    X(ID_INSERT_TIME, 32795) \
    X(ID_EXPORT_MEMOVIEW, 32799) \
    X(ID_IMPORT, 32802) \
    X(ID_MEMO_UP, 32803) \
    X(ID_MEMO_DOWN, 32804) \
    X(ID_PANE_SWITCH, 32808) \
    X(ID_OPEN_URL, 32812) \
    X(ID_SEND_MAIL, 32813) \
    X(ID_EXPAND_ALL, 32816) \
    X(ID_COLLAPSE_ALL, 32817) \
    X(ID_MEMO_COPY, 32831) \
    X(ID_MEMO_PASTE, 32832) \
    X(ID_EXPORT_SUBTREE, 32838) \
    X(ID_MEMO_CUT, 32843) \
    X(ID_MEMO_CREATE_UNTITLED, 32856) \
    X(ID_MEMO_DUPLICATE, 32857) \
    X(ID_VIEW_FIND_MEMO, 32861) \
    X(ID_VIEW_NORMAL, 32862) \
    X(ID_VIEW_TREE_MEMO, 32863) \
    X(ID_VIEW_MEMO_ONLY, 32864) \
    X(ID_MEMO_LEVEL_UP, 32865) \
    X(ID_MEMO_LEVEL_DOWN, 32867) \
    X(ID_VIEW_TREE_TOOLBAR, 32869) \
    X(ID_EXPORT_FINDVIEW, 32872) \
    X(ID_MEMO_UNDO, 32900) \
    X(ID_MEMO_REDO, 32901) \
    X(ID_EXPORT_MARKDOWN, 32880) \
    X(ID_EXPORT_OPML, 32881) \
    X(ID_EXPORT_HTML, 32882)
// clang-format on

enum CommandId : int {
#define KARDEL_COMMAND_ID(name, value) name = value,
    KARDEL_COMMAND_IDS(KARDEL_COMMAND_ID)
#undef KARDEL_COMMAND_ID
};

// The constant's name ("ID_MEMO_UP"), or nullptr for a number that is no command.
const char* CommandIdName(int id);

} // namespace kardel
