#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace kardel {

class CArchive;

// One record of the stored tree section: five 32-bit integers per tree item in
// pre-order, with 1-based parent sequence numbers (0 for the root).
struct CTreeRecord {
    std::int32_t image = 0; // the due-mark image 11 already replaced by the memo's kind
    std::int32_t index = 0;
    std::int32_t parent = 0;
    std::int32_t hasChildren = 0;
    std::int32_t selected = 0;
};

// Reads and checks a whole tree section for a document of `memoCount` memos:
// exactly one record per memo, the root record first with memo 0, parents naming
// earlier records, memo 1 and only memo 1 shown as the trash, and the trash the
// root's last child. Anything else throws the archive's bad-format error, so a
// caller can check a section completely before it changes anything.
std::vector<CTreeRecord> ReadTreeRecords(CArchive& ar, size_t memoCount,
                                         const std::function<std::int32_t(std::int32_t)>& kindOf);

} // namespace kardel
