#include "gui/tree/ShownRows.h"

#include "core/tree/TreeControl.h"

#include <algorithm>

namespace kardel::gui {

int ShownRows::Depth(const TreeItem* item) {
    int depth = 0;
    for (const TreeItem* p = item ? item->parent() : nullptr; p && depth <= kMaxShownDepth; p = p->parent())
        ++depth;
    return depth;
}

bool ShownRows::ShowsOpen(const TreeItem* item, int depth) {
    return depth < kMaxShownDepth && item->expanded() && item->childCount() > 0;
}

TreeItem* ShownRows::ShownItem(TreeItem* item) {
    if (!item || Depth(item) <= kMaxShownDepth)
        return item;
    int depth = 0;
    for (TreeItem* p = item->parent(); p; p = p->parent())
        ++depth;
    for (; depth > kMaxShownDepth; --depth)
        item = item->parent();
    return item;
}

void ShownRows::Rebuild() {
    m_rows.clear();
    struct Frame {
        const TreeItem* parent;
        int next;
    };
    // One frame per open level, never one per waiting sibling: a level of half a million
    // items costs the walk nothing extra.
    std::vector<Frame> path;
    for (int top = 0; top < m_tree.TopLevelCount(); ++top) {
        TreeItem* item = m_tree.TopLevelItem(top);
        m_rows.push_back(item);
        if (ShowsOpen(item, 0))
            path.push_back({item, 0});
        while (!path.empty()) {
            Frame& frame = path.back();
            const int count = frame.parent->childCount();
            const int depth = int(path.size());
            bool entered = false;
            // Most rows of a large outline are leaves: they go in without a frame.
            while (frame.next < count) {
                TreeItem* child = frame.parent->child(frame.next++);
                m_rows.push_back(child);
                if (ShowsOpen(child, depth)) {
                    path.push_back({child, 0});
                    entered = true;
                    break;
                }
            }
            if (!entered)
                path.pop_back();
        }
    }
    m_valid = true;
}

int ShownRows::Count() {
    if (!m_valid)
        Rebuild();
    return int(m_rows.size());
}

TreeItem* ShownRows::At(int row) {
    return row >= 0 && row < Count() ? m_rows[row] : nullptr;
}

int ShownRows::RowOf(const TreeItem* item, int hint) {
    if (!item)
        return -1;
    // A closed ancestor hides the item: no need to look for it.
    int depth = Depth(item);
    if (depth > kMaxShownDepth)
        return -1;
    for (const TreeItem* p = item->parent(); p; p = p->parent())
        if (!ShowsOpen(p, --depth))
            return -1;
    const int count = Count();
    constexpr int kNear = 256;
    hint = std::clamp(hint, 0, std::max(count - 1, 0));
    const auto begin = m_rows.begin();
    const auto nearFirst = begin + std::max(hint - kNear, 0);
    const auto nearLast = begin + std::min(hint + kNear, count);
    if (auto it = std::find(nearFirst, nearLast, item); it != nearLast)
        return int(it - begin);
    if (auto it = std::find(begin, nearFirst, item); it != nearFirst)
        return int(it - begin);
    auto it = std::find(nearLast, m_rows.end(), item);
    return it != m_rows.end() ? int(it - begin) : -1;
}

} // namespace kardel::gui
