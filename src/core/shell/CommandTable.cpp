#include "core/shell/CommandTable.h"

#include "core/base/Texts.h"

#include <map>

namespace kardel {
namespace {

const std::string& Text(const char* utf8) {
    static const std::string empty;
    return utf8 ? Sjis(utf8) : empty;
}

using K = std::vector<const char*>;
constexpr ToolBar M = ToolBar::Main;
constexpr ToolBar T = ToolBar::Tree;
constexpr ToolBar N = ToolBar::None;

// The standard commands (file, edit, window, help) carry the usual Japanese prompts of
// Windows programs; the memo commands carry the program's own.
const std::vector<CommandInfo> kCommands = {
    {ID_FILE_NEW, "新規作成(&N)\tCtrl+N", K{"Ctrl+N"}, M, "新規にﾌｧｲﾙを作成", "新規作成"},
    {ID_FILE_OPEN, "開く(&O)...\tCtrl+O", K{"Ctrl+O"}, M, "既存のﾌｧｲﾙを開く", "開く"},
    {ID_FILE_SAVE, "上書き保存(&S)\tCtrl+S", K{"Ctrl+S"}, M, "作業中のﾌｧｲﾙを上書きして保存", "上書き保存"},
    {ID_FILE_SAVE_AS, "名前を付けて保存(&A)...", K{}, M, "作業中のﾌｧｲﾙを新しい名前で保存", "名前を付けて保存"},
    {ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀの設定(&R)...", K{}, N, "ﾌﾟﾘﾝﾀおよびﾌﾟﾘﾝﾀ接続の変更", "印刷設定"},
    {ID_FILE_PRINT, "印刷(&P)...\tCtrl+P", K{"Ctrl+P"}, M, "作業中のﾌｧｲﾙを印刷", "印刷"},
    {ID_IMPORT, "選択中のMemoの下にファイルを結合...", K{}, N, nullptr, nullptr},
    {ID_EXPORT_MEMOVIEW, "選択中のMemoViewの内容のみをテキストに書き出す...", K{}, N,
     "選択中のMemoViewの内容のみを書き出す.", "選択中のMemoView"},
    {ID_EXPORT_SUBTREE, "選択中のMemo以下をテキストに書き出す...", K{}, N, "選択中のMemo以下を書き出す",
     "選択中のMemo以下"},
    {ID_EXPORT_FINDVIEW, "FindViewの項目をTab区切りテキストで書き出す...", K{}, N,
     "FindViewの項目をTab区切りテキストで書き出す", "FindViewを書き出す"},
    {ID_EXPORT_MARKDOWN, "選択中のMemo以下をMarkdownで書き出す...", K{}, N, "選択中のMemo以下をMarkdownで書き出す",
     "Markdownで書き出す"},
    {ID_EXPORT_OPML, "選択中のMemo以下をOPMLで書き出す...", K{}, N, "選択中のMemo以下をOPMLで書き出す",
     "OPMLで書き出す"},
    {ID_EXPORT_HTML, "選択中のMemo以下をHTMLで書き出す...", K{}, N, "選択中のMemo以下をHTMLで書き出す",
     "HTMLで書き出す"},
    {ID_FILE_MRU_FILE1, "最近使ったﾌｧｲﾙ", K{}, N, "このﾌｧｲﾙを開く", "ﾌｧｲﾙを開く"},
    {ID_FILE_CLOSE, "ﾌｧｲﾙを閉じる(&X)\tCtrl+Q", K{"Ctrl+Q"}, N, "作業中のﾌｧｲﾙを閉じる", "閉じる"},
    {ID_EDIT_UNDO, "元に戻す(&U)\tCtrl+Z", K{"Ctrl+Z", "Alt+Backspace"}, N, "直前に行った動作を元に戻す", "元に戻す"},
    {ID_EDIT_CUT, "切り取り(&T)\tCtrl+X", K{"Ctrl+X", "Shift+Del"}, M, "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに移動する",
     "切り取り"},
    {ID_EDIT_COPY, "コピー(&C)\tCtrl+C", K{"Ctrl+C", "Ctrl+Ins"}, M, "選択範囲をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰする", "ｺﾋﾟｰ"},
    {ID_EDIT_PASTE, "貼り付け(&P)\tCtrl+V", K{"Ctrl+V", "Shift+Ins"}, M, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を挿入する", "貼り付け"},
    {ID_EDIT_SELECT_ALL, "全てを選択(&L)\tCtrl+A", K{"Ctrl+A"}, N, "ﾌｧｲﾙ内のすべてを選択", "すべて選択"},
    {ID_EDIT_FIND, "検索...(&F)\tCtrl+F", K{"Ctrl+F"}, M, "指定された文字列の検索", "検索"},
    {ID_EDIT_REPLACE, "置換...(&E)\tCtrl+R", K{"Ctrl+R"}, N, "指定した文字列を他の文字列で置換", "置換"},
    {ID_INSERT_DATE, "日付を挿入\tCtrl+D", K{"Ctrl+D"}, N, "日付を貼り付け", "日付"},
    {ID_INSERT_TIME, "時間を挿入\tCtrl+T", K{"Ctrl+T"}, N, "時間を挿入", "時間"},
    {ID_OPEN_URL, "URLを表示(&H)\tCtrl+H", K{"Ctrl+H"}, N, "URLを表示する", "URLを表示"},
    {ID_SEND_MAIL, "E-Mailを作成(&M)\tCtrl+M", K{"Ctrl+M"}, N, "E-Mailを作成する", "E-Mailを作成"},
    {ID_VIEW_TOOLBAR, "通常のﾂｰﾙ ﾊﾞｰ(&N)", K{}, N, "標準のﾂｰﾙ ﾊﾞｰの 表示/非表示", "標準のﾂｰﾙ ﾊﾞｰの表示切り替え"},
    {ID_VIEW_TREE_TOOLBAR, "TreeViewのﾂｰﾙﾊﾞｰ(&T)", K{}, N, "TreeViewのﾂｰﾙ ﾊﾞｰの 表示/非表示",
     "TreeViewのﾂｰﾙ ﾊﾞｰの表示切り替え"},
    {ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", K{}, N, "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示", "ｽﾃｰﾀｽ ﾊﾞｰの表示切り替え"},
    {ID_VIEW_NORMAL, "通常の表示画面(&N)", K{}, M, "通常の表示画面とする", "通常表示"},
    {ID_VIEW_TREE_MEMO, "TreeViewとMemoViewを表示", K{}, M, "TreeViewとMemoViewを表示する", "TreeViewとMemoViewを表示"},
    {ID_VIEW_FIND_MEMO, "FindViewとMemoViewを表示", K{}, M, "FindViewとMemoViewを表示する", "FindViewとMemoViewを表示"},
    {ID_VIEW_MEMO_ONLY, "MemoViewのみ表示", K{}, M, "MemoViewのみ表示する", "MemoViewのみ表示"},
    {ID_EXPAND_ALL, "全てのﾌｫﾙﾀﾞを開く(&O)", K{}, M, "全てのﾌｫﾙﾀﾞを開く", "全て開く"},
    {ID_COLLAPSE_ALL, "全てのﾌｫﾙﾀﾞを閉じる(&C)", K{}, M, "全てのﾌｫﾙﾀﾞを閉じる", "全て閉じる"},
    {ID_MEMO_CREATE, "作成(&I)\tCtrl+I", K{"Ctrl+I"}, T, "階層下に作成", "階層下に作成"},
    {ID_MEMO_CREATE_UNTITLED, "タイトル無しで作成", K{}, T, "階層下にタイトル無しで作成する",
     "階層下にタイトル無しで作成"},
    {ID_MEMO_DUPLICATE, "複製を作成", K{}, T, "同じ階層に複製を作成する", "同じ階層に複製を作成"},
    {ID_MEMO_UP, "１つ上に\tCtrl+↑", K{"Ctrl+Up"}, T, "同じ階層の１つ上に移動する", "同じ階層の１つ上に"},
    {ID_MEMO_DOWN, "１つ下に\tCtrl+↓", K{"Ctrl+Down"}, T, "同じ階層の１つ下に移動する", "同じ階層の１つ下に"},
    {ID_MEMO_LEVEL_UP, "階層を一つ上へ\tCtrl+←", K{"Ctrl+Left"}, T, "階層を一つ上へ移動する", "階層を一つ上へ"},
    {ID_MEMO_LEVEL_DOWN, "階層を一つ下へ\tCtrl+→", K{"Ctrl+Right"}, T, "直前のMemoの下の階層へ移動", "階層を一つ下へ"},
    {ID_MEMO_CUT, "切り取り(&T)\tCtrl+Shift+X", K{"Ctrl+Shift+X"}, T, "Memoを切り取りｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰする", "切り取り"},
    {ID_MEMO_COPY, "ｺﾋﾟｰ(&C)\tCtrl+Shift+C", K{"Ctrl+Shift+C"}, T, "Memoをｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰする", "コピー"},
    {ID_MEMO_PASTE, "貼り付け(&P)\tCtrl+Shift+V", K{"Ctrl+Shift+V"}, T,
     "ｸﾘｯﾌﾟﾎﾞｰﾄﾞのMemoを選択中のMemoの子アイテムとして挿入する", "貼り付け"},
    // Their keys belong to TreeView and FindView only (MemoView keeps Ctrl+Z for its text):
    // the window binds them to those panes.
    {ID_MEMO_UNDO, "元に戻す\tCtrl+Z", K{}, N, "直前のMemoの操作を元に戻す", "元に戻す"},
    {ID_MEMO_REDO, "やり直し\tCtrl+Y", K{}, N, "元に戻したMemoの操作をやり直す", "やり直し"},
    {ID_MEMO_TO_TRASH, "ごみ箱へ移動(&T)\tCtrl+Del", K{"Ctrl+Del"}, T, "ごみ箱へ移動", "ごみ箱へ"},
    {ID_MEMO_EMPTY_TRASH, "ごみ箱を空に(&E)", K{}, T, "ごみ箱をからにする", "ごみ箱を空に"},
    {ID_FIND, "検索...(&F)", K{}, M, "検索する", "検索"},
    {ID_FIND_AGAIN, "再検索(&R)", K{}, M, "再検索", "再検索"},
    {ID_FIND_STANDARD, "標準検索条件で検索...(&S)\tCtrl+G", K{"Ctrl+G"}, M, "標準検索条件で検索", "標準検索"},
    {ID_MEMO_PROPERTY, "ﾌﾟﾛﾊﾟﾃｨ(&P)\tCtrl+E", K{"Ctrl+E"}, M, "ﾌﾟﾛﾊﾟﾃｨを表示", "ﾌﾟﾛﾊﾟﾃｨ"},
    {ID_OPTIONS, "設定...(&O)", K{}, M, "設定ﾀﾞｲｱﾛｸﾞを表示する", "設定"},
    {ID_HELP_FINDER, "目次(&C)", K{}, M, "ﾍﾙﾌﾟの目次を表示する", "ﾍﾙﾌﾟ"},
    {ID_APP_ABOUT, "Kardel のﾊﾞｰｼﾞｮﾝ情報(&A)...", K{}, N, "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示する",
     "ﾊﾞｰｼﾞｮﾝ情報"},
    {ID_NEXT_PANE, nullptr, K{"F6"}, N, "次のｳｨﾝﾄﾞｳ ﾍﾟｲﾝに切り替える", "次のﾍﾟｲﾝ"},
    {ID_PREV_PANE, nullptr, K{"Shift+F6"}, N, "前のｳｨﾝﾄﾞｳ ﾍﾟｲﾝに切り替える", "前のﾍﾟｲﾝ"},
    {ID_PANE_SWITCH, nullptr, K{"Ctrl+Tab"}, N, "TreeViewとMemoViewの切り替えをする", "TreeView⇔MemoView"},
};

MenuEntry Cmd(CommandId id, const char* text = nullptr) {
    return {MenuEntry::Kind::Command, id, text, {}};
}
MenuEntry Sep() {
    return {MenuEntry::Kind::Separator, CommandId(0), nullptr, {}};
}
MenuEntry Popup(const char* text, std::vector<MenuEntry> children) {
    return {MenuEntry::Kind::Popup, CommandId(0), text, std::move(children)};
}
MenuEntry Recent() {
    return {MenuEntry::Kind::RecentFiles, ID_FILE_MRU_FILE1, nullptr, {}};
}

// The "Memo" popup; the context menu's copy names the move submenu and two items differently.
MenuEntry MemoPopup(const char* title, const char* moveTitle, const char* emptyTrash, const char* property,
                    bool withUndo = false) {
    MenuEntry popup = Popup(title, {Cmd(ID_MEMO_CREATE), Cmd(ID_MEMO_CREATE_UNTITLED), Cmd(ID_MEMO_DUPLICATE),
                                    Popup(moveTitle, {Cmd(ID_MEMO_UP), Cmd(ID_MEMO_DOWN), Sep(), Cmd(ID_MEMO_LEVEL_UP),
                                                      Cmd(ID_MEMO_LEVEL_DOWN)}),
                                    Sep(), Cmd(ID_MEMO_CUT), Cmd(ID_MEMO_COPY), Cmd(ID_MEMO_PASTE), Sep(),
                                    Cmd(ID_MEMO_TO_TRASH), Cmd(ID_MEMO_EMPTY_TRASH, emptyTrash), Sep(), Cmd(ID_FIND),
                                    Cmd(ID_FIND_AGAIN), Cmd(ID_FIND_STANDARD), Sep(), Cmd(ID_MEMO_PROPERTY, property)});
    if (withUndo)
        popup.children.insert(popup.children.begin(), {Cmd(ID_MEMO_UNDO), Cmd(ID_MEMO_REDO), Sep()});
    return popup;
}

} // namespace

const std::string& CommandInfo::MenuText() const {
    return Text(menuText);
}
const std::string& CommandInfo::Prompt() const {
    return Text(prompt);
}
const std::string& CommandInfo::Tooltip() const {
    return Text(tooltip);
}

const std::string& MenuEntry::Text() const {
    if (text)
        return kardel::Text(text);
    const CommandInfo* info = CommandTable::Find(id);
    return kardel::Text(info ? info->menuText : nullptr);
}

const std::vector<CommandInfo>& CommandTable::Commands() {
    return kCommands;
}

const CommandInfo* CommandTable::Find(int id) {
    static const std::map<int, const CommandInfo*> byId = [] {
        std::map<int, const CommandInfo*> map;
        for (const CommandInfo& info : kCommands)
            map[info.id] = &info;
        return map;
    }();
    auto it = byId.find(id);
    return it == byId.end() ? nullptr : it->second;
}

std::string CommandTable::PlainText(int id) {
    const CommandInfo* info = Find(id);
    if (!info || !info->menuText)
        return std::string();
    std::string text = info->MenuText();
    if (auto tab = text.find('\t'); tab != std::string::npos)
        text.erase(tab);
    if (auto mnemonic = text.find("(&"); mnemonic != std::string::npos)
        text.erase(mnemonic);
    while (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

const std::vector<MenuEntry>& CommandTable::MainMenu() {
    static const std::vector<MenuEntry> menu = {
        Popup("ﾌｧｲﾙ(&F)",
              {Cmd(ID_FILE_NEW), Cmd(ID_FILE_OPEN), Cmd(ID_FILE_SAVE), Cmd(ID_FILE_SAVE_AS), Sep(),
               Cmd(ID_FILE_PRINT_SETUP), Cmd(ID_FILE_PRINT), Sep(), Popup("ｲﾝﾎﾟｰﾄ(&I)", {Cmd(ID_IMPORT)}),
               Popup("ｴｸｽﾎﾟｰﾄ(&E)", {Cmd(ID_EXPORT_MEMOVIEW), Cmd(ID_EXPORT_SUBTREE), Sep(), Cmd(ID_EXPORT_FINDVIEW),
                                     Sep(), Cmd(ID_EXPORT_MARKDOWN), Cmd(ID_EXPORT_OPML), Cmd(ID_EXPORT_HTML)}),
               Sep(), Recent(), Sep(), Cmd(ID_FILE_CLOSE)}),
        Popup("編集(&E)",
              {Cmd(ID_EDIT_UNDO), Cmd(ID_MEMO_UNDO), Cmd(ID_MEMO_REDO), Sep(), Cmd(ID_EDIT_CUT), Cmd(ID_EDIT_COPY),
               Cmd(ID_EDIT_PASTE), Sep(), Cmd(ID_EDIT_SELECT_ALL), Sep(), Cmd(ID_EDIT_FIND), Cmd(ID_EDIT_REPLACE),
               Sep(), Popup("Memo編集", {Cmd(ID_INSERT_DATE), Cmd(ID_INSERT_TIME)}), Sep(), Cmd(ID_OPEN_URL),
               Cmd(ID_SEND_MAIL)}),
        Popup("表示(&V)",
              {Popup("ﾂｰﾙﾊﾞｰ(&T)", {Cmd(ID_VIEW_TOOLBAR), Cmd(ID_VIEW_TREE_TOOLBAR)}), Cmd(ID_VIEW_STATUS_BAR), Sep(),
               Cmd(ID_VIEW_NORMAL), Cmd(ID_VIEW_TREE_MEMO), Cmd(ID_VIEW_FIND_MEMO), Cmd(ID_VIEW_MEMO_ONLY), Sep(),
               Cmd(ID_EXPAND_ALL), Cmd(ID_COLLAPSE_ALL)}),
        MemoPopup("Memo(&M)", "移動(&M)", nullptr, nullptr),
        Popup("ﾍﾙﾌﾟ(&H)", {Cmd(ID_OPTIONS), Sep(), Cmd(ID_HELP_FINDER), Cmd(ID_APP_ABOUT)}),
    };
    return menu;
}

const MenuEntry& CommandTable::MemoContextMenu() {
    static const MenuEntry menu = MemoPopup("TreeViewITem", "移動", "ごみ箱を空に", "ﾌﾟﾛﾊﾟﾃｨ\tCtrl+E", true);
    return menu;
}

const MenuEntry& CommandTable::MemoViewContextMenu() {
    static const MenuEntry menu = Popup(
        "MemoView",
        {Cmd(ID_EDIT_UNDO, "元に戻す(&U)\tCtrl+Z"), Sep(), Cmd(ID_EDIT_CUT, "切り取り(&T)\tCtrl+X"),
         Cmd(ID_EDIT_COPY, "ｺﾋﾟｰ(&C)\tCtrl+C"), Cmd(ID_EDIT_PASTE, "貼り付け(&P)\tCtrl+V"), Sep(),
         Cmd(ID_EDIT_SELECT_ALL, "すべて選択(&L)\tCtrl+A"), Sep(), Cmd(ID_EDIT_FIND, "検索(&F)...\tCtrl+F"),
         Cmd(ID_EDIT_REPLACE, "置換(&E)...\tCtrl+R"), Sep(),
         Popup("Memoの挿入", {Cmd(ID_INSERT_DATE, "日付の挿入\tCtrl+D"), Cmd(ID_INSERT_TIME, "時間の挿入\tCtrl+T")}),
         Sep(), Cmd(ID_OPEN_URL, "URLを表示(&H)\tCtrl+H"), Cmd(ID_SEND_MAIL, "E-Mailを作成(&M)\tCtrl+M")});
    return menu;
}

const std::vector<int>& CommandTable::MainToolBar() {
    static const std::vector<int> bar = {ID_FILE_NEW,
                                         ID_FILE_OPEN,
                                         ID_FILE_SAVE,
                                         ID_FILE_SAVE_AS,
                                         0,
                                         ID_EDIT_CUT,
                                         ID_EDIT_COPY,
                                         ID_EDIT_PASTE,
                                         0,
                                         ID_EDIT_FIND,
                                         0,
                                         ID_MEMO_PROPERTY,
                                         0,
                                         ID_EXPAND_ALL,
                                         ID_COLLAPSE_ALL,
                                         0,
                                         ID_FIND,
                                         ID_FIND_AGAIN,
                                         ID_FIND_STANDARD,
                                         0,
                                         ID_VIEW_NORMAL,
                                         ID_VIEW_TREE_MEMO,
                                         ID_VIEW_FIND_MEMO,
                                         ID_VIEW_MEMO_ONLY,
                                         0,
                                         ID_FILE_PRINT,
                                         0,
                                         ID_OPTIONS,
                                         0,
                                         ID_HELP_FINDER};
    return bar;
}

const std::vector<int>& CommandTable::TreeToolBar() {
    static const std::vector<int> bar = {ID_MEMO_CREATE,
                                         ID_MEMO_CREATE_UNTITLED,
                                         ID_MEMO_DUPLICATE,
                                         0,
                                         ID_MEMO_CUT,
                                         ID_MEMO_COPY,
                                         ID_MEMO_PASTE,
                                         0,
                                         ID_MEMO_TO_TRASH,
                                         ID_MEMO_EMPTY_TRASH,
                                         0,
                                         ID_MEMO_UP,
                                         ID_MEMO_DOWN,
                                         ID_MEMO_LEVEL_UP,
                                         ID_MEMO_LEVEL_DOWN};
    return bar;
}

} // namespace kardel
