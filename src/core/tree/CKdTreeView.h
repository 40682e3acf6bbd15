#pragma once
#include "core/base/CView.h"
#include "core/tree/StoredTreeRecord.h"
#include "core/tree/TreeControl.h"
#include "core/tree/TreeDragDrop.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kardel {

class CKardelDoc;
class CFindCondition;

// The TreeView pane: the outline's hierarchy lives in its tree control, each
// item's value being its memo's index. Every structural change goes through
// CopySubtree and DeleteSubtree.
class CKdTreeView : public CView, public ITreeControlNotify, private ITreeLabelSource {
public:
    // Places for a copy made by CopySubtree, relative to the source or the new parent.
    enum class Position { First, Last, AfterSource, OneUp, OneDown, AfterParent };

    explicit CKdTreeView(CKardelDoc& doc);

    TreeControl& Tree() { return m_tree; }
    CKardelDoc& doc() const { return m_doc; }
    TreeItem* m_hTrash = nullptr;
    bool m_bNoCommitOnSelect = false;
    bool m_bNoParentRefreshOnInsert = false;
    bool m_bImporting = false;
    bool m_bCutting = false;

    TreeItem* InsertMemoItem(TreeItem* parent, TreeControl::Where where, TreeItem* after, std::string_view title,
                             int image, std::int32_t memoIndex);
    void DeleteAllItems();
    CMemoItem* MemoOf(TreeItem* item) const;

    // Editing primitives.
    TreeItem* CopySubtree(TreeItem* source, TreeItem* newParent, Position position, bool resetDates);
    void DeleteSubtree(TreeItem* item);
    void RefreshFolderState(TreeItem* item);
    void ExpandSubtree(TreeItem* item, bool expand);
    // Merges a checked tree section of an imported file whose memos the document has
    // appended from index `base` on (imported memo k at base + k - 2).
    void MergeImportedTree(const std::vector<StoredTreeRecord>& records, std::int32_t base);

    // Commands (ids in shell/CommandIds.h): enabling rules and actions.
    bool OnUpdateCmd(CommandId id, CCmdUI& ui) override;
    bool OnCmdMsg(CommandId id) override;
    // The memo commands the frame forwards here whichever pane is active.
    static bool IsForwardedMemoCommand(CommandId id);

    void MoveUpOrDown(bool up);
    void LevelUp();
    void LevelDown();
    void Duplicate();
    void MoveToTrash();
    void EmptyTrash(); // without the question: the command asks it
    void CopyToClipboard();
    void Cut();
    void Paste();
    void ExpandAll();
    void CollapseAll();

    // User events the skin forwards after its own hit test.
    // End of label editing; no text means editing was cancelled.
    void OnEndLabelEdit(TreeItem* item, const std::optional<std::string>& text);
    // Double click on an item's icon or label (nullptr: nothing hit there).
    void OnDblClk(TreeItem* hit);
    // Right button down at a point: the item under it or nullptr, and the point on screen.
    void OnRButtonDown(TreeItem* hit, int screenX, int screenY);
    // Whether the item gets the due mark (icon 11) drawn over its own icon.
    bool ShowsDueMark(TreeItem* item) const;
    // The kind the double-click cycle steps to from kind k (4 to 10).
    std::int32_t NextKind(std::int32_t kind) const;

    TreeDragDrop& Drag() { return m_drag; }

    void OnUpdate(CView* sender, int hint, CMemoItem* memo) override;
    void Serialize(CArchive& ar) override;
    // The records saving would write now, in pre-order.
    std::vector<StoredTreeRecord> StoredRecords();

    void OnSelChanged(TreeItem* oldItem, TreeItem* newItem) override;
    void OnItemExpanded(TreeItem* item) override;

    bool IsTrashOrInTrash(TreeItem* item) const;

    // ---- Search ----
    // The search walk for scopes 0 and 1: the start item and everything below it,
    // each item before its children. The root and the trash item are never found.
    void MarkMatches(const CFindCondition& condition);

private:
    // An item's label is its memo's title unless the item was given another text.
    std::optional<std::string_view> LabelOf(std::int32_t value) const override;
    void ReplaceByCopy(TreeItem* source, TreeItem* copy);
    template <class Emit> void WalkStoredRecords(Emit&& emit);
    void InsertNewMemo(CMemoItem* memo);
    void SelectFromFindView(CMemoItem* memo);
    void LoadTree(CArchive& ar);
    // Deletes the subtrees of `tops` (none inside another) and renumbers once.
    void DeleteSubtrees(const std::vector<TreeItem*>& tops);
    TreeItem* InsertCopy(TreeItem* source, TreeItem* newParent, TreeControl::Where where, TreeItem* after,
                         bool resetDates);

    CKardelDoc& m_doc;
    TreeControl m_tree;
    TreeDragDrop m_drag{*this};
    // While a deletion runs, a caret the control moves is reported once, afterwards.
    bool m_deleting = false;
    bool m_caretMovedWhileDeleting = false;
};

} // namespace kardel
