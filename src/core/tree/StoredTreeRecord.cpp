#include "core/tree/StoredTreeRecord.h"

#include "core/base/Archive.h"
#include "core/model/CMemoItem.h"

namespace kardel {

void ReadTreeRecords(CArchive& ar, size_t memoCount, const std::function<std::int32_t(std::int32_t)>& kindOf,
                     const std::function<void(const StoredTreeRecord&)>& take) {
    auto bad = [] { throw ArchiveError(ArchiveError::Kind::BadFormat, "invalid tree section"); };
    size_t count = ar.ReadCount(20);
    if (count != memoCount || count < 2)
        bad();
    std::vector<bool> used(memoCount, false);
    for (size_t i = 0; i < count; ++i) {
        StoredTreeRecord r;
        r.image = ar.ReadInt32();
        r.memo = ar.ReadInt32();
        r.parent = ar.ReadInt32();
        r.hasChildren = ar.ReadInt32();
        r.selected = ar.ReadInt32();
        if (r.memo < 0 || static_cast<size_t>(r.memo) >= memoCount || used[r.memo])
            bad();
        // Record i has the sequence number i + 1; its parent must come before it.
        if (r.parent < 0 || static_cast<size_t>(r.parent) > i)
            bad();
        if ((i == 0) != (r.parent == 0) || (i == 0 && r.memo != 0))
            bad();
        used[r.memo] = true;
        if (r.image == kDueMarkImage)
            r.image = kindOf(r.memo);
        bool trashImage = IsTrashKind(r.image);
        if (trashImage != (r.memo == 1))
            bad();
        // The trash may stand anywhere among the root's children: a merge below the
        // root puts the imported memos after it.
        if (trashImage && r.parent != 1)
            bad();
        take(r);
    }
}

std::vector<StoredTreeRecord> ReadTreeRecords(CArchive& ar, size_t memoCount,
                                              const std::function<std::int32_t(std::int32_t)>& kindOf) {
    std::vector<StoredTreeRecord> records;
    records.reserve(memoCount);
    ReadTreeRecords(ar, memoCount, kindOf, [&records](const StoredTreeRecord& r) { records.push_back(r); });
    return records;
}

} // namespace kardel
