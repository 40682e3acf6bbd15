#pragma once
#include "model/CView.h"
#include "tree/TreeControl.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kardel {

class CKardelDoc;
class CFindCondition;

// One record of the stored tree section: what saving writes for one item.
struct StoredTreeRecord {
    std::int32_t image = 0;
    std::int32_t memo = 0;
    std::int32_t parent = 0; // 1-based sequence number of the parent record, 0 for the root
    std::int32_t hasChildren = 0;
    std::int32_t selected = 0;
};

// The TreeView pane: the outline's hierarchy lives in its tree control, each
// item's value being its memo's index.
class CKdTreeView : public CView, public ITreeControlNotify {
public:
    explicit CKdTreeView(CKardelDoc& doc);

    TreeControl& Tree() { return m_tree; }
    TreeItem* m_hTrash = nullptr;
    bool m_bNoCommitOnSelect = false;
    bool m_bNoParentRefreshOnInsert = false;
    bool m_bImporting = false;
    bool m_bCutting = false;

    TreeItem* InsertMemoItem(TreeItem* parent, TreeControl::Where where, TreeItem* after, const std::string& title,
                             int image, std::int32_t memoIndex);
    void RefreshFolderState(TreeItem* item);
    void DeleteAllItems();

    void OnUpdate(CView* sender, int hint, CMemoItem* memo) override;
    void Serialize(CArchive& ar) override;
    // The records saving would write now, in pre-order.
    std::vector<StoredTreeRecord> StoredRecords();

    void OnSelChanged(TreeItem* oldItem, TreeItem* newItem) override;
    void OnItemExpanded(TreeItem* item) override;

    // ---- Search ----
    // The search walk for scopes 0 and 1: the start item and everything below it,
    // each item before its children. The root and the trash item are never found.
    void MarkMatches(const CFindCondition& condition);

private:
    template <class Emit> void WalkStoredRecords(Emit&& emit);
    void InsertNewMemo(CMemoItem* memo);
    void LoadTree(CArchive& ar);

    CKardelDoc& m_doc;
    TreeControl m_tree;
};

} // namespace kardel
