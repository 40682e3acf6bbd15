#include "core/model/CMemoItem.h"

#include "core/base/Archive.h"
#include "core/base/BlockPool.h"
#include "core/base/Texts.h"

namespace kardel {

const char* CMemoItem::DefaultTitle(std::int32_t kind) {
    if (IsFolderKind(kind))
        return "Data";
    if (IsTrashKind(kind))
        return texts::TrashTitle().c_str();
    return texts::NewMemoTitle().c_str();
}

CMemoItem::CMemoItem(std::int32_t kind) : m_strTitle(DefaultTitle(kind)), m_nKind(kind) {
    time32 now = Clock::Now();
    m_timeCreated = m_timeUpdated = m_timeDue = m_timeDone = now;
}

// Loading fills every stored field, so a record made for it asks no clock.
CMemoItem::CMemoItem(LoadingTag) : m_nKind(0) {}

static_assert(sizeof(void*) != 8 || sizeof(CMemoItem) <= 72);

using MemoPool = BlockPool<sizeof(CMemoItem), alignof(CMemoItem)>;

void* CMemoItem::operator new(std::size_t size) {
    return MemoPool::New(size);
}

void CMemoItem::operator delete(void* memo, std::size_t size) noexcept {
    MemoPool::Delete(memo, size);
}

CMemoItem CMemoItem::ForLoading() {
    return CMemoItem(LoadingTag{});
}

void CMemoItem::CopyFrom(const CMemoItem& other) {
    m_strTitle = other.m_strTitle;
    m_nKind = other.m_nKind;
    m_timeCreated = other.m_timeCreated;
    m_timeUpdated = other.m_timeUpdated;
    m_timeDue = other.m_timeDue;
    m_timeDone = other.m_timeDone;
    m_bHasDue = other.m_bHasDue;
    m_strBody = other.m_strBody;
    m_strSelItem = other.m_strSelItem;
    m_hTreeItem = other.m_hTreeItem;
    m_bFound = 0;
    m_nFindRow = -1;
}

int CMemoItem::DueStatus() const {
    if (m_bHasDue == 0)
        return 3;
    std::string due = DayText(m_timeDue);
    std::string today = DayText(Clock::Now());
    if (due == today)
        return 0;
    return due < today ? 1 : 2;
}

std::int32_t CMemoItem::KindToDialogIndex(std::int32_t kind) {
    if (kind == KindOpenFolder)
        return -2;
    if (kind >= KindMemo && kind <= KindDone)
        return kind - KindMemo;
    return -1;
}

MemoPropValues CMemoItem::ToDialog() const {
    MemoPropValues v;
    time32 now = Clock::Now();
    v.m_strTitle = m_strTitle;
    v.m_nKindIndex = KindToDialogIndex(m_nKind);
    v.m_strCreated = SlashDate(m_timeCreated);
    v.m_strUpdated = SlashDate(m_timeUpdated);
    v.m_bHasDue = m_bHasDue;
    v.m_timeDue = m_bHasDue == 1 ? m_timeDue : now;
    v.m_timeDone = m_nKind == KindDone ? m_timeDone : now;
    v.m_strSelItem = m_strSelItem;
    return v;
}

void CMemoItem::FromDialog(const MemoPropValues& v) {
    m_strTitle = v.m_strTitle;
    if (v.m_nKindIndex >= 0 && v.m_nKindIndex <= 6)
        m_nKind = KindMemo + v.m_nKindIndex;
    m_bHasDue = v.m_bHasDue;
    m_timeDue = v.m_timeDue;
    m_timeDone = v.m_timeDone;
    m_strSelItem = v.m_strSelItem;
}

void CMemoItem::Serialize(CArchive& ar) {
    ar.Exchange(m_strTitle);
    ar.Exchange(m_nKind);
    ar.Exchange(m_timeCreated);
    ar.Exchange(m_timeUpdated);
    ar.Exchange(m_timeDue);
    ar.Exchange(m_timeDone);
    ar.Exchange(m_bHasDue);
    ar.Exchange(m_strBody);
    if (ar.IsStoring() || ar.FileVersion() >= 4)
        ar.Exchange(m_strSelItem);
    else
        m_strSelItem.clear();
}

} // namespace kardel
