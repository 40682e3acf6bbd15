#include "core/model/ImportSource.h"

#include "core/base/Archive.h"
#include "core/base/Texts.h"
#include "core/shell/CKdEditView.h"

namespace kardel {
FileResult ImportSource::Read(std::string_view bytes) {
    m_arrMemos.clear();
    m_tree.clear();
    try {
        CArchive ar(bytes);
        m_nFileVersion = ReadDocumentHeader(ar);
        ar.SetFileVersion(m_nFileVersion);
        size_t count = ar.ReadCount(1 + 4 * 6 + 1);
        std::vector<std::unique_ptr<CMemoItem>> all;
        all.reserve(count);
        for (size_t i = 0; i < count; ++i) {
            auto memo = std::make_unique<CMemoItem>(CMemoItem::ForLoading());
            memo->Serialize(ar);
            all.push_back(std::move(memo));
        }
        // Record k lands at base + k - 2 only when the trash, and nothing else, sits at index 1.
        for (size_t i = 0; i < all.size(); ++i)
            if (IsTrashKind(all[i]->m_nKind) != (i == 1))
                throw ArchiveError(ArchiveError::Kind::BadFormat, "trash not at index 1");
        // FindView: the widths only matter to an opened file; an import leaves the columns alone.
        if (ar.FileVersion() >= 4)
            for (int i = 0; i < 7; ++i)
                ar.ReadInt32();
        // MemoView: read for its place; the text shown stays as it is.
        std::int32_t length = ar.ReadInt32();
        if (length < 0 || static_cast<size_t>(length) > CKdEditView::kMaxTextBytes)
            throw ArchiveError(ArchiveError::Kind::BadFormat, "MemoView text too long");
        ar.ReadBytes(static_cast<size_t>(length));
        m_tree = ReadTreeRecords(ar, all.size(), [&all](std::int32_t index) { return all[index]->m_nKind; });
        for (size_t i = 2; i < all.size(); ++i) {
            all[i]->m_bFound = 0;
            m_arrMemos.push_back(std::move(all[i]));
        }
        return FileResult::Success();
    } catch (const ArchiveError&) {
        m_arrMemos.clear();
        m_tree.clear();
        return FileResult::Failure(texts::BadFileFormat());
    }
}

} // namespace kardel
