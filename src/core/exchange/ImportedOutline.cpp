#include "core/exchange/ImportedOutline.h"

#include "core/exchange/ExchangeText.h"
#include "core/model/ImportSource.h"

namespace kardel {

ImportedFields& ImportedOutline::Open() {
    int parent = m_open.empty() ? -1 : m_open.back();
    if (parent >= 0)
        m_nodes[parent].hasChildren = true;
    m_nodes.push_back({{}, parent});
    m_open.push_back(static_cast<int>(m_nodes.size()) - 1);
    return m_nodes.back().fields;
}

ImportedFields* ImportedOutline::Current() {
    return m_open.empty() ? nullptr : &m_nodes[m_open.back()].fields;
}

void ImportedOutline::Close() {
    if (!m_open.empty())
        m_open.pop_back();
}

void ImportedOutline::Finish(ImportSource& source, size_t& replaced) {
    m_open.clear();
    source.m_nFileVersion = 5;
    source.m_arrMemos.clear();
    source.m_tree.clear();
    // The imported trash: the first top-level item of a trash kind. Its subtree is
    // written last, as the root's last child, the place the trash has in a .kdl.
    size_t trash = m_nodes.size(), trashEnd = m_nodes.size();
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        const Node& n = m_nodes[i];
        if (n.parent == -1 && n.fields.kind && IsTrashKind(*n.fields.kind)) {
            trash = i;
            for (trashEnd = i + 1; trashEnd < m_nodes.size() && m_nodes[trashEnd].parent != -1;)
                ++trashEnd;
            break;
        }
    }
    const time32 now = Clock::Now();
    std::vector<std::int32_t> sequence(m_nodes.size(), 0); // 1-based record number of each node
    source.m_tree.reserve(m_nodes.size() + 2);
    source.m_tree.push_back({KindOpenFolder, 0, 0, 1, 0}); // the imported root, never inserted
    auto add = [&](size_t i) {
        Node& n = m_nodes[i];
        StoredTreeRecord record;
        record.parent = n.parent == -1 ? 1 : sequence[n.parent];
        record.hasChildren = n.hasChildren ? 1 : 0;
        sequence[i] = static_cast<std::int32_t>(source.m_tree.size()) + 1;
        if (i == trash) {
            record.memo = 1;
            record.image = n.hasChildren ? KindTrashFull : KindTrashEmpty;
            source.m_tree.push_back(record);
            return;
        }
        ImportedFields& f = n.fields;
        auto memo = std::make_unique<CMemoItem>(KindMemo);
        memo->m_strTitle = exchange::ToMemoTitle(f.title, replaced);
        memo->m_strBody = exchange::ToMemoText(f.body, replaced);
        std::int32_t kind = f.kind.value_or(n.hasChildren ? KindClosedFolder : KindMemo);
        if (n.hasChildren && !IsFolderKind(kind))
            kind = KindClosedFolder;
        else if (!n.hasChildren && (!IsValidKind(kind) || IsFolderKind(kind) || IsTrashKind(kind)))
            kind = KindMemo;
        memo->m_nKind = kind;
        memo->m_timeCreated = f.created.value_or(now);
        memo->m_timeUpdated = f.updated.value_or(now);
        memo->m_timeDue = f.due.value_or(now);
        memo->m_timeDone = f.done.value_or(now);
        memo->m_bHasDue = f.hasDue.value_or(f.due ? 1 : 0);
        if (f.selItem)
            memo->m_strSelItem = exchange::ToMemoTitle(*f.selItem, replaced);
        memo->m_bFound = 0;
        f = ImportedFields(); // the UTF-8 copies are no longer needed
        record.memo = static_cast<std::int32_t>(source.m_arrMemos.size()) + 2;
        record.image = kind;
        source.m_arrMemos.push_back(std::move(memo));
        source.m_tree.push_back(record);
    };
    for (size_t i = 0; i < m_nodes.size(); ++i)
        if (i < trash || i >= trashEnd)
            add(i);
    if (trash == m_nodes.size())
        source.m_tree.push_back({KindTrashEmpty, 1, 1, 0, 0});
    else
        for (size_t i = trash; i < trashEnd; ++i)
            add(i);
    m_nodes.clear();
}

} // namespace kardel
