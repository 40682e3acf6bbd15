#pragma once
#include "core/base/Clock.h"
#include "core/base/CompactString.h"
#include "core/base/InternedString.h"

#include <cstdint>
#include <string>

namespace kardel {

class CArchive;
class TreeItem;

// Kind codes; a kind is also the memo's index in the shared icon list.
enum MemoKind : std::int32_t {
    KindOpenFolder = 0,
    KindClosedFolder = 1,
    KindTrashEmpty = 2,
    KindTrashFull = 3,
    KindMemo = 4,
    KindDef1 = 5, // definitions 1 to 5 are kinds 5 to 9
    KindDef5 = 9,
    KindDone = 10,
    KindCount = 11,
};
constexpr int kDueMarkImage = 11; // icon list entry drawn over due and overdue memos

inline bool IsFolderKind(std::int32_t kind) {
    return kind == KindOpenFolder || kind == KindClosedFolder;
}
inline bool IsTrashKind(std::int32_t kind) {
    return kind == KindTrashEmpty || kind == KindTrashFull;
}
inline bool IsValidKind(std::int32_t kind) {
    return kind >= 0 && kind < KindCount;
}

// The values the memo properties dialog edits.
struct MemoPropValues {
    std::string m_strTitle;
    std::int32_t m_nKindIndex = 0; // 0 memo, 1..5 definitions, 6 done; -2/-1 folders (-1 also "none")
    std::string m_strCreated;      // "%Y/%m/%d"
    std::string m_strUpdated;
    std::int32_t m_bHasDue = 0;
    time32 m_timeDue = 0;
    time32 m_timeDone = 0;
    std::string m_strSelItem;
};

// What an entry of the memo clipboard keeps beside it, as no memo in the outline needs it:
// the id of the tree item it was copied from (TreeControl::ItemId, never reused; 0 when it
// has no living source, after a cut) and m_nParent, the position of its parent's entry or -1.
struct ClipLink {
    std::uint64_t source = 0;
    std::int32_t m_nParent = -1;
};

// One memo. Identity is the index in the document's memo array; the hierarchy
// lives in the tree, not here.
class CMemoItem {
public:
    // A memo of kind `kind` with the creation values: title by kind, four times now.
    explicit CMemoItem(std::int32_t kind = KindMemo);
    // Memos come from a block pool: a million of them cost no allocator headers.
    static void* operator new(std::size_t size);
    static void operator delete(void* memo, std::size_t size) noexcept;
    // A record made for loading: empty strings, every other field zero.
    static CMemoItem ForLoading();

    // Stored fields. A document holds a million records at once: the text fields are compact
    // (short text inline, long text in exactly its bytes; a selection item, which few memos
    // have and those mostly from the document's list, kept once for all that hold it), and
    // the fields are ordered to leave no padding.
    CompactString m_strTitle;
    std::int32_t m_nKind = KindMemo;
    time32 m_timeCreated = 0;
    time32 m_timeUpdated = 0;
    std::int32_t m_bHasDue = 0;
    time32 m_timeDue = 0;
    time32 m_timeDone = 0;
    CompactString m_strBody; // lines end in CR LF

    // Run-time fields. The found flag and FindView row share four bytes; a row is checked
    // against FindView's own list before use, so a row past 2^30 (more memos than any
    // machine holds) could only go unrefreshed.
    TreeItem* m_hTreeItem = nullptr;
    std::int32_t m_nFindRow : 31 = -1;
    bool m_bFound : 1 = false;

    InternedString m_strSelItem; // stored: last here only to leave no padding

    // Copy for duplicate, move, cut, copy and paste: every stored field plus the
    // tree item; the found flag and FindView row start afresh. (A memo's parent is its
    // tree item's parent; only the memo clipboard keeps one beside its entries.)
    void CopyFrom(const CMemoItem& other);

    // 0 due today, 1 overdue, 2 due later, 3 no due date; days in local time.
    int DueStatus() const;
    bool ShowsDueMark() const {
        int status = DueStatus();
        return status == 0 || status == 1;
    }

    // Memo to dialog and back. Applying never touches the creation and update times,
    // and a dialog index outside 0..6 leaves the kind as it is.
    MemoPropValues ToDialog() const;
    void FromDialog(const MemoPropValues& values);
    static std::int32_t KindToDialogIndex(std::int32_t kind);

    void Serialize(CArchive& ar);

    static const char* DefaultTitle(std::int32_t kind);

private:
    struct LoadingTag {};
    explicit CMemoItem(LoadingTag);
};

} // namespace kardel
