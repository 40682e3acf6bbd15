#include "tree/StoredTreeRecord.h"

#include "model/Archive.h"
#include "model/CMemoItem.h"

namespace kardel {

std::vector<StoredTreeRecord> ReadTreeRecords(CArchive& ar, size_t memoCount,
                                              const std::function<std::int32_t(std::int32_t)>& kindOf) {
    auto bad = [] { throw ArchiveError(ArchiveError::Kind::BadFormat, "invalid tree section"); };
    size_t count = ar.ReadCount(20);
    if (count != memoCount || count < 2)
        bad();
    std::vector<StoredTreeRecord> records;
    records.reserve(count);
    std::vector<bool> used(memoCount, false);
    size_t trashPosition = 0;
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
        if (trashImage) {
            if (r.parent != 1)
                bad();
            trashPosition = i;
        } else if (r.parent == 1 && trashPosition != 0) {
            bad(); // a child of the root after the trash
        }
        records.push_back(r);
    }
    return records;
}

} // namespace kardel
