#pragma once
#include "core/base/FileResult.h"
#include "core/model/CMemoItem.h"
#include "core/tree/StoredTreeRecord.h"

#include <memory>
#include <string_view>
#include <vector>

namespace kardel {

// Another document file read for merging, as far as an import reads it (header,
// memos, FindView, MemoView and tree sections), held apart from the document
// until every byte of it has been read and checked.
class ImportSource {
public:
    // Reads and checks the bytes; the failure message is the load failure's.
    FileResult Read(std::string_view bytes);

    int m_nFileVersion = 0;
    // The memos that join the document: every record but the root (index 0) and
    // the trash (index 1), in file order, so that record k becomes base + k - 2.
    std::vector<std::unique_ptr<CMemoItem>> m_arrMemos;
    std::vector<StoredTreeRecord> m_tree;
};

} // namespace kardel
