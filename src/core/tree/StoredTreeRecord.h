#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace kardel {

class CArchive;

// One record of the stored tree section: what saving writes for one item, five
// 32-bit integers in pre-order. Read back by ReadTreeRecords, the due-mark image
// 11 is already replaced by the memo's kind.
struct StoredTreeRecord {
    std::int32_t image = 0;
    std::int32_t memo = 0;
    std::int32_t parent = 0; // 1-based sequence number of the parent record, 0 for the root
    std::int32_t hasChildren = 0;
    std::int32_t selected = 0;
};

// Reads and checks a whole tree section for a document of `memoCount` memos:
// exactly one record per memo, the root record first with memo 0, parents naming
// earlier records, memo 1 and only memo 1 shown as the trash, and the trash a
// child of the root (anywhere among its children). Anything else throws the
// archive's bad-format error, so a caller can check a section completely before
// it changes anything.
std::vector<StoredTreeRecord> ReadTreeRecords(CArchive& ar, size_t memoCount,
                                              const std::function<std::int32_t(std::int32_t)>& kindOf);
// The same checks, record by record: each record is handed to `take` once it passed them,
// before the next is read, so a load builds its tree without holding a million records.
// A failed check throws after the records before it were taken.
void ReadTreeRecords(CArchive& ar, size_t memoCount, const std::function<std::int32_t(std::int32_t)>& kindOf,
                     const std::function<void(const StoredTreeRecord&)>& take);

} // namespace kardel
