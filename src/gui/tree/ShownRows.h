#pragma once
#include <vector>

namespace kardel {
class TreeControl;
class TreeItem;
} // namespace kardel

namespace kardel::gui {

// The rows a tree pane shows, top to bottom: the core's items in pre-order, entering a
// folder only where the core has it open and it is shallow enough to show. The open
// state is read from the core itself, so nothing is copied per folder when a document
// opens; the rows are one array of item pointers, rebuilt in one walk when first needed
// after a change.
class ShownRows {
public:
    // Open folders are shown open down to this many levels below the top, so that a row's
    // indentation and its walk up to the top stay bounded; deeper open folders stay open in
    // the core (and in the file) and show closed.
    static constexpr int kMaxShownDepth = 1000;

    explicit ShownRows(const TreeControl& tree) : m_tree(tree) {}

    // The outline changed: the rows are walked again when next asked for.
    void Invalidate() { m_valid = false; }
    // Items are about to go: no rows until Invalidate, so none can name a deleted item.
    void Clear() {
        m_rows.clear();
        m_valid = true;
    }
    int Count();
    TreeItem* At(int row);
    // The row that shows `item`, or -1 when a closed folder hides it. Rows near `hint`
    // (the ones on screen, say) are looked at before the rest.
    int RowOf(const TreeItem* item, int hint);

    // Levels above `item` (0 for a top-level item), counted no further than kMaxShownDepth + 1.
    static int Depth(const TreeItem* item);
    static bool ShowsOpen(const TreeItem* item, int depth);
    // `item` itself, or its ancestor at the deepest shown level.
    static TreeItem* ShownItem(TreeItem* item);

private:
    void Rebuild();

    const TreeControl& m_tree;
    std::vector<TreeItem*> m_rows;
    bool m_valid = false;
};

} // namespace kardel::gui
