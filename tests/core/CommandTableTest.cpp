#include "core/shell/CommandTable.h"
#include "core/base/Cp932Codec.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace kardel;

namespace {
std::string Utf8(const std::string& cp932) {
    return Cp932Codec::ToUtf8(cp932).text;
}

// Flattens a menu into ids, "-" for separators and "[text" ... "]" around popups.
void Flatten(const MenuEntry& entry, std::vector<std::string>& out) {
    switch (entry.kind) {
    case MenuEntry::Kind::Separator:
        out.push_back("-");
        break;
    case MenuEntry::Kind::Popup:
        out.push_back("[" + Utf8(entry.Text()));
        for (const MenuEntry& child : entry.children)
            Flatten(child, out);
        out.push_back("]");
        break;
    default:
        out.push_back(std::to_string(entry.id));
        break;
    }
}
} // namespace

TEST(CommandTable, EveryMenuAndToolbarIdHasOneEntry) {
    std::set<int> ids;
    for (const CommandInfo& info : CommandTable::Commands()) {
        EXPECT_TRUE(ids.insert(info.id).second) << "repeated id " << info.id;
    }
    std::function<void(const MenuEntry&)> check = [&](const MenuEntry& entry) {
        if (entry.kind == MenuEntry::Kind::Command) {
            EXPECT_NE(CommandTable::Find(entry.id), nullptr) << entry.id;
        }
        for (const MenuEntry& child : entry.children)
            check(child);
    };
    for (const MenuEntry& popup : CommandTable::MainMenu())
        check(popup);
    check(CommandTable::MemoContextMenu());
    check(CommandTable::MemoViewContextMenu());
    for (int id : CommandTable::MainToolBar()) {
        if (id) {
            EXPECT_EQ(CommandTable::Find(id)->bar, ToolBar::Main) << id;
        }
    }
    for (int id : CommandTable::TreeToolBar()) {
        if (id) {
            EXPECT_EQ(CommandTable::Find(id)->bar, ToolBar::Tree) << id;
        }
    }
    EXPECT_EQ(CommandTable::Find(12345), nullptr);
}

TEST(CommandTable, TextsKeysAndPromptsAsStored) {
    struct Row {
        int id;
        const char* text;
        std::vector<std::string> keys;
        const char* prompt;
        const char* tooltip;
    };
    const Row rows[] = {
        {ID_MEMO_UP, "１つ上に\tCtrl+↑", {"Ctrl+Up"}, "同じ階層の１つ上に移動する", "同じ階層の１つ上に"},
        {ID_EDIT_UNDO, "元に戻す(&U)\tCtrl+Z", {"Ctrl+Z", "Alt+Backspace"}, "直前に行った動作を元に戻す", "元に戻す"},
        {ID_EDIT_COPY, "コピー(&C)\tCtrl+C", {"Ctrl+C", "Ctrl+Ins"}, "選択範囲をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰする", "ｺﾋﾟｰ"},
        {ID_FILE_PRINT, "印刷(&P)...\tCtrl+P", {"Ctrl+P"}, "作業中のﾌｧｲﾙを印刷", "印刷"},
        {ID_VIEW_TREE_TOOLBAR,
         "TreeViewのﾂｰﾙﾊﾞｰ(&T)",
         {},
         "TreeViewのﾂｰﾙ ﾊﾞｰの 表示/非表示",
         "TreeViewのﾂｰﾙ ﾊﾞｰの表示切り替え"},
        {ID_PANE_SWITCH, "", {"Ctrl+Tab"}, "TreeViewとMemoViewの切り替えをする", "TreeView⇔MemoView"},
        {ID_IMPORT, "選択中のMemoの下にファイルを結合...", {}, "", ""},
        {ID_HELP_FINDER, "目次(&C)", {}, "ﾍﾙﾌﾟの目次を表示する", "ﾍﾙﾌﾟ"},
    };
    for (const Row& row : rows) {
        const CommandInfo* info = CommandTable::Find(row.id);
        ASSERT_NE(info, nullptr) << row.id;
        EXPECT_EQ(Utf8(info->MenuText()), row.text) << row.id;
        EXPECT_EQ(std::vector<std::string>(info->keys.begin(), info->keys.end()), row.keys) << row.id;
        EXPECT_EQ(Utf8(info->Prompt()), row.prompt) << row.id;
        EXPECT_EQ(Utf8(info->Tooltip()), row.tooltip) << row.id;
    }
}

TEST(CommandTable, MenusInStoredOrder) {
    std::vector<std::string> file;
    Flatten(CommandTable::MainMenu()[0], file);
    EXPECT_EQ(file, (std::vector<std::string>{
                        "[ﾌｧｲﾙ(&F)", "57600",       "57601", "57603", "57604",        "-",     "57606", "57607",
                        "-",         "[ｲﾝﾎﾟｰﾄ(&I)", "32802", "]",     "[ｴｸｽﾎﾟｰﾄ(&E)", "32799", "32838", "-",
                        "32872",     "-",           "32880", "32881", "32882",        "]",     "-",     "57616",
                        "-",         "57602",       "]"}));
    std::vector<std::string> memo;
    Flatten(CommandTable::MainMenu()[3], memo);
    std::vector<std::string> context;
    Flatten(CommandTable::MemoContextMenu(), context);
    // The context copy starts with undo and redo of memo operations.
    ASSERT_GT(context.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(context.begin() + 1, context.begin() + 4),
              (std::vector<std::string>{"32900", "32901", "-"}));
    context.erase(context.begin() + 1, context.begin() + 4);
    ASSERT_EQ(memo.size(), context.size());
    EXPECT_EQ(context[0], "[TreeViewITem");
    EXPECT_EQ(memo[4], "[移動(&M)");
    EXPECT_EQ(context[4], "[移動");
    memo[0] = context[0];
    memo[4] = context[4];
    EXPECT_EQ(memo, context);

    // Only two texts differ between the Memo popup and its context copy.
    const MenuEntry& ctx = CommandTable::MemoContextMenu();
    EXPECT_EQ(Utf8(ctx.children[13].Text()), "ごみ箱を空に");
    EXPECT_EQ(Utf8(ctx.children.back().Text()), "ﾌﾟﾛﾊﾟﾃｨ\tCtrl+E");
    EXPECT_EQ(Utf8(CommandTable::MainMenu()[3].children.back().Text()), "ﾌﾟﾛﾊﾟﾃｨ(&P)\tCtrl+E");

    std::vector<std::string> memoView;
    Flatten(CommandTable::MemoViewContextMenu(), memoView);
    EXPECT_EQ(memoView, (std::vector<std::string>{"[MemoView", "57643", "-",           "57635", "57634",
                                                  "57637",     "-",     "57642",       "-",     "57636",
                                                  "57641",     "-",     "[Memoの挿入", "32789", "32795",
                                                  "]",         "-",     "32812",       "32813", "]"}));
    EXPECT_EQ(Utf8(CommandTable::MemoViewContextMenu().children[3].Text()), "ｺﾋﾟｰ(&C)\tCtrl+C");
}

TEST(CommandTable, ToolbarOrders) {
    EXPECT_EQ(CommandTable::MainToolBar().size(), 30u);
    EXPECT_EQ(CommandTable::MainToolBar().front(), ID_FILE_NEW);
    EXPECT_EQ(CommandTable::MainToolBar().back(), ID_HELP_FINDER);
    EXPECT_EQ(CommandTable::TreeToolBar(), (std::vector<int>{32774, 32856, 32857, 0, 32843, 32831, 32832, 0, 32778,
                                                             32779, 0, 32803, 32804, 32865, 32867}));
}
