#pragma once
#include "core/model/CDocOptions.h"
#include "core/model/CMemoItem.h"
#include "core/search/CFindCondition.h"
#include "core/tree/TreeControl.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <variant>
#include <vector>

namespace kardel {

class CKardelDoc;

// The outline's undo and redo history. While a step is open, the document and the
// tree control report every change of the outline at the level of their primitives
// (memos appended and removed, items inserted and deleted, fields and item states
// about to change); the step keeps what reverses each of them, in order. Undoing
// replays a step backwards through the same primitives while recording a new step,
// which is the redo; redoing replays that one and records the undo again.
//
// A step therefore holds the memos and items it removed, the fields it changed and
// the places it inserted at, never a copy of the document.
class UndoHistory : public ITreeEditLog {
public:
    static constexpr size_t kMaxSteps = 1000;
    static constexpr size_t kMaxBytes = size_t(64) << 20;

    explicit UndoHistory(CKardelDoc& doc);
    ~UndoHistory() override;
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // One user command is one step; nested scopes belong to the outermost one. A step
    // that changed nothing is dropped. Typed text is stored first (unless the command
    // must not store it) so that it never becomes part of a step.
    class Scope {
    public:
        Scope(CKardelDoc& doc, std::string name, bool storeText = true);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        UndoHistory& m_history;
        bool m_outermost;
    };

    bool IsRecording() const { return m_step != nullptr; }
    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    // cp932 names of the steps undo and redo would take back or do again.
    const std::string& UndoName() const;
    const std::string& RedoName() const;
    bool Undo();
    bool Redo();
    void Clear();
    size_t UndoCount() const { return m_undo.size(); }
    size_t MemoryUse() const;

    // The modified flag: whether the document is where it was last saved.
    void MarkSaved();
    void NoteUnrecordedChange();
    bool AtSavedState() const;

    // Reports from the document.
    void AfterAppendMemo(CMemoItem* memo);
    void MemosRemoved(std::vector<std::int32_t> sortedIndices, std::vector<std::unique_ptr<CMemoItem>> memos);
    void WillChangeMemo(CMemoItem& memo);
    void ClipCleared(std::vector<std::unique_ptr<CMemoItem>> entries, std::vector<ClipLink> links);

    // ITreeEditLog
    void AfterInsert(TreeItem* item) override;
    void BeforeDelete(TreeItem* item) override;
    void BeforeItemChange(TreeItem* item) override;

    // Stored fields of a memo, as a step keeps them.
    struct Fields {
        std::string title;
        std::int32_t kind = 0;
        time32 created = 0, updated = 0;
        std::int32_t hasDue = 0;
        time32 due = 0, done = 0;
        std::string selItem;
        std::string body;
    };
    using Path = std::vector<int>; // rows from the top level down

private:
    struct TruncateMemos {
        size_t size;
    };
    struct AppendMemos {
        std::vector<std::unique_ptr<CMemoItem>> memos;
    };
    struct UnremoveMemos {
        std::vector<std::int32_t> indices;
        std::vector<std::unique_ptr<CMemoItem>> memos;
    };
    struct RemoveMemosAt {
        std::vector<std::int32_t> indices;
    };
    struct MemoFields {
        std::int32_t index;
        CMemoItem* memo; // while the step is recorded
        Fields old;
        unsigned mask = ~0u;
    };
    struct ItemState {
        Path path;
        std::string label;
        int image;
        bool expanded;
    };
    struct RemoveItem {
        Path path;
    };
    struct Node {
        std::string label;
        int image;
        std::int32_t value;
        bool expanded;
        int childCount;
        std::uint64_t formerId; // the deleted item's id; 0 when none was given, so nothing names it
        bool wasTrash;
    };
    struct InsertItems {
        Path parent;
        int row;
        std::vector<Node> nodes;
    };
    struct SwapClip {
        std::vector<std::unique_ptr<CMemoItem>> entries;
        std::vector<ClipLink> links;
    };
    struct SwapOptions {
        CDocOptions options;
        CFindCondition find;
    };
    using Entry = std::variant<TruncateMemos, AppendMemos, UnremoveMemos, RemoveMemosAt, MemoFields, ItemState,
                               RemoveItem, InsertItems, SwapClip, SwapOptions>;

    struct Step {
        std::string name;
        std::uint64_t state = 0; // the state the step leads to
        std::vector<Entry> entries;
        Path caretBefore, caretAfter;
        std::int32_t curBefore = 0, curAfter = 0;
        size_t bytes = 0;
    };

    void StoreTypedText();
    void Begin(std::string name);
    void End();
    void Finish(std::unique_ptr<Step> step, bool toRedo);
    void Replay(std::vector<std::unique_ptr<Step>>& from, std::vector<std::unique_ptr<Step>>& to);
    void Apply(Entry& entry);
    void Trim();
    void AfterReplay();

    TreeControl* Tree() const;
    Path PathOf(const TreeItem* item) const;
    TreeItem* ItemAt(const Path& path) const;
    std::int32_t IndexOf(const CMemoItem& memo) const;
    std::string OptionsBytes() const;
    static size_t SizeOf(const Entry& entry);

    CKardelDoc& m_doc;
    std::vector<std::unique_ptr<Step>> m_undo; // oldest first
    std::vector<std::unique_ptr<Step>> m_redo; // next redo last
    std::unique_ptr<Step> m_step;              // being recorded
    int m_depth = 0;
    bool m_replaying = false;
    std::uint64_t m_nextState = 1;
    std::uint64_t m_state = 0;
    std::uint64_t m_baseState = 0; // the state below the oldest step kept
    std::uint64_t m_savedState = 0;
    bool m_savedReachable = true;

    // Per recorded step.
    bool m_truncateOpen = false;
    std::unordered_set<const CMemoItem*> m_appended;
    std::unordered_set<const CMemoItem*> m_notedMemos;
    std::unordered_set<const TreeItem*> m_inserted;
    std::unordered_set<const TreeItem*> m_notedItems;
    std::string m_optionsBefore;
    CDocOptions m_optionsCopy;
    CFindCondition m_findCopy;
    std::unordered_map<std::uint64_t, std::uint64_t> m_renewed; // per replay: deleted item's id -> its copy's
    bool m_optionsSwapped = false;
};

} // namespace kardel
