#include "DocumentGenerator.h"

#include "core/base/Archive.h"
#include "core/base/Cp932Codec.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <vector>

namespace kardel::bench {
namespace {

std::string Cp932(const char* utf8) {
    return Cp932Codec::FromUtf8(utf8).text;
}

const char* const kTitleWords[] = {"会議メモ", "買い物リスト", "読書ノート", "旅行計画", "議事録", "アイデア",
                                   "ﾒﾓ書き",   "予定表",       "連絡先",     "覚え書き", "設計案", "日報",
                                   "レシピ",   "宿題",         "問い合わせ", "振り返り"};
const char* const kBodyLines[] = {
    "今日は朝から雨が降っていたので、予定を少し変更した。",
    "次回の打ち合わせでは、見積もりの件を確認すること。",
    "牛乳、卵、パン、ﾄﾏﾄを買う。",
    "第三章まで読み終えた。登場人物の関係が面白い。",
    "締め切りは来週の金曜日。早めに下書きを用意する。",
    "http://example.com/notes を参照。",
    "電話番号は後で調べて追記する。",
    "ﾊﾞｯｸｱｯﾌﾟを取ってから作業を始めること。",
    "A案とB案を比較して、費用と期間を表にまとめる。",
    "気付いた点: 手順が多すぎる。もっと簡単にできるはず。",
};
const char* const kSelItems[] = {"重要", "保留", "至急", "参考"};

// A pool of bodies, cut once from the lines above, so that generating a million
// memos does not spend its time composing text.
std::vector<std::string> MakeBodies(std::mt19937& rng) {
    std::vector<std::string> lines;
    for (const char* line : kBodyLines)
        lines.push_back(Cp932(line));
    std::vector<std::string> bodies;
    for (int i = 0; i < 64; ++i) {
        std::string body;
        size_t target = 120 + rng() % 400; // a few hundred bytes
        while (body.size() < target) {
            if (!body.empty())
                body += "\r\n";
            body += lines[rng() % lines.size()];
        }
        bodies.push_back(std::move(body));
    }
    bodies[0].clear(); // some memos have no body at all
    return bodies;
}

} // namespace

void GenerateDocument(HeadlessSession& session, size_t memoCount, unsigned seed) {
    memoCount = std::max<size_t>(memoCount, 2);
    std::mt19937 rng(seed);
    CKardelDoc& doc = session.doc();
    CKdTreeView& view = session.treeView();
    TreeControl& tree = view.Tree();
    doc.OnNewDocument();

    std::vector<std::string> titles;
    for (const char* word : kTitleWords)
        titles.push_back(Cp932(word));
    std::vector<std::string> bodies = MakeBodies(rng);
    for (const char* item : kSelItems)
        doc.m_options.m_arrSelItems.push_back(Cp932(item));
    doc.m_options.m_strSelTitle = Cp932("分類");
    doc.m_options.m_bSelEnabled = 1;

    TreeItem* root = tree.GetRoot();
    TreeItem* trash = view.m_hTrash;
    TreeItem* lastBeforeTrash = nullptr; // the root's children go before the trash, which stays last
    // Open folders along which new memos are added; the trash keeps a path of its own.
    std::vector<TreeItem*> path{root};
    std::vector<TreeItem*> trashPath{trash};
    const time32 base = 1262304000; // 2010-01-01
    doc.ReserveMemos(memoCount);

    view.m_bNoParentRefreshOnInsert = true;
    for (size_t i = 2; i < memoCount; ++i) {
        bool intoTrash = rng() % 100 < 4;
        std::vector<TreeItem*>& current = intoTrash ? trashPath : path;
        // Lean towards the deepest open folder, sometimes climbing back up.
        size_t climb = rng() % 100 < 70 ? 0 : rng() % current.size();
        current.resize(current.size() - climb);
        TreeItem* parent = current.back();

        auto memo = std::make_unique<CMemoItem>(KindMemo);
        memo->m_strTitle = titles[rng() % titles.size()] + " " + std::to_string(i);
        memo->m_strBody = bodies[rng() % bodies.size()];
        memo->m_timeCreated = base + static_cast<time32>(rng() % 400000000);
        memo->m_timeUpdated = memo->m_timeCreated + static_cast<time32>(rng() % 5000000);
        memo->m_timeDue = memo->m_timeUpdated + static_cast<time32>(rng() % 3000000);
        memo->m_timeDone = memo->m_timeUpdated;
        memo->m_bHasDue = rng() % 100 < 10 ? 1 : 0;
        if (rng() % 100 < 15)
            memo->m_strSelItem = doc.m_options.m_arrSelItems[rng() % doc.m_options.m_arrSelItems.size()];
        unsigned pick = rng() % 100;
        memo->m_nKind = pick < 60 ? KindMemo : pick < 85 ? KindDef1 + static_cast<int>(rng() % 5) : KindDone;
        std::string title = memo->m_strTitle.str();
        std::int32_t kind = memo->m_nKind;
        doc.AppendMemo(std::move(memo));

        auto index = static_cast<std::int32_t>(i);
        TreeItem* item;
        if (parent == root) {
            item = view.InsertMemoItem(root, lastBeforeTrash ? TreeControl::Where::After : TreeControl::Where::First,
                                       lastBeforeTrash, title, kind, index);
            lastBeforeTrash = item;
        } else {
            item = view.InsertMemoItem(parent, TreeControl::Where::Last, nullptr, title, kind, index);
        }
        // Roughly one memo in eight opens a folder that the next memos may fill.
        if (current.size() < 12 && rng() % 100 < 12)
            current.push_back(item);
    }
    view.m_bNoParentRefreshOnInsert = false;

    // Kinds follow the shape: folders open or (sometimes) closed, leaves keep theirs.
    tree.ForEachItem([&](TreeItem* item) {
        CMemoItem* memo = doc.Memo(item->value());
        if (item == root)
            return;
        if (item == trash) {
            memo->m_nKind = tree.HasChildren(item) ? KindTrashFull : KindTrashEmpty;
        } else if (tree.HasChildren(item)) {
            memo->m_nKind = rng() % 100 < 30 ? KindClosedFolder : KindOpenFolder;
            memo->m_bHasDue = 0;
        }
        tree.SetImage(item, memo->m_nKind);
        if (IsFolderKind(memo->m_nKind) || item == trash)
            tree.Expand(item, memo->m_nKind != KindClosedFolder);
    });
    tree.Expand(root, true);
    tree.Select(root);
    doc.SetCurMemo(0);
    doc.SetModifiedFlag(false);
}

std::string GeneratedFileBytes(size_t memoCount, unsigned seed) {
    HeadlessSession session;
    GenerateDocument(session, memoCount, seed);
    MemoryOutput out;
    session.doc().StoreTo(out);
    return out.take();
}

bool SmokeRun() {
    const char* smoke = std::getenv("KARDEL_BENCH_SMOKE");
    return smoke && std::strcmp(smoke, "1") == 0;
}

void MemoCounts(::benchmark::internal::Benchmark* benchmark, std::initializer_list<std::int64_t> counts) {
    if (SmokeRun()) {
        benchmark->Arg(std::min<std::int64_t>(*std::min_element(counts.begin(), counts.end()), 2000));
        return;
    }
    for (std::int64_t count : counts)
        benchmark->Arg(count);
}

namespace {
size_t StatusKilobytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    size_t length = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, length, field) == 0)
            return std::strtoull(line.c_str() + length + 1, nullptr, 10);
    return 0;
}
} // namespace

size_t CurrentRss() {
    return StatusKilobytes("VmRSS") * 1024;
}
size_t PeakRss() {
    return StatusKilobytes("VmHWM") * 1024;
}

} // namespace kardel::bench
