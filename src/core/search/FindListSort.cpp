#include "core/search/FindListSort.h"

#include "core/model/CKardelDoc.h"
#include "core/search/DayKey.h"
#include "core/search/SjisText.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace kardel {
namespace {

struct KeyedRow {
    std::int64_t key;
    std::string_view text;
    std::int32_t memo;
};

constexpr int kEmptySelItem = 999;

std::int64_t NumericKey(const CMemoItem& memo, int column,
                        const std::unordered_map<std::string_view, int>& selPositions, int selCount,
                        DayKeyCache& days) {
    switch (column) {
    case 1:
        return memo.m_nKind;
    case 2: {
        if (memo.m_strSelItem.empty())
            return kEmptySelItem;
        auto it = selPositions.find(memo.m_strSelItem);
        return it == selPositions.end() ? selCount : it->second;
    }
    case 3:
        return days.Of(memo.m_timeCreated);
    case 4:
        return days.Of(memo.m_timeUpdated);
    case 5:
        return memo.m_bHasDue ? days.Of(memo.m_timeDue) : DayKey::kNoDate;
    case 6:
        return memo.m_nKind == KindDone ? days.Of(memo.m_timeDone) : DayKey::kNoDate;
    default:
        return 0;
    }
}

// A stable counting sort when the keys span a small range, as kinds and
// selection-item positions do: the sort after every rebuild stays linear.
bool SortSmallKeys(std::vector<KeyedRow>& keyed, bool descending) {
    constexpr std::int64_t kMaxSpan = 1024;
    if (keyed.empty())
        return true;
    auto [lo, hi] = std::minmax_element(keyed.begin(), keyed.end(),
                                        [](const KeyedRow& a, const KeyedRow& b) { return a.key < b.key; });
    std::int64_t min = lo->key, span = hi->key - lo->key + 1;
    if (span > kMaxSpan)
        return false;
    auto bucketOf = [&](const KeyedRow& row) {
        auto bucket = static_cast<size_t>(row.key - min);
        return descending ? static_cast<size_t>(span - 1) - bucket : bucket;
    };
    std::vector<size_t> starts(static_cast<size_t>(span) + 1, 0);
    for (const KeyedRow& row : keyed)
        ++starts[bucketOf(row) + 1];
    for (size_t b = 1; b < starts.size(); ++b)
        starts[b] += starts[b - 1];
    std::vector<KeyedRow> sorted(keyed.size());
    for (const KeyedRow& row : keyed)
        sorted[starts[bucketOf(row)]++] = row;
    keyed.swap(sorted);
    return true;
}

} // namespace

void SortFindRows(std::vector<std::int32_t>& rows, const CKardelDoc& doc, int column, bool descending) {
    if (column < 0 || column > 6)
        return;
    // Position of each selection item: the first equal entry of the list.
    std::unordered_map<std::string_view, int> selPositions;
    const auto& selItems = doc.m_options.m_arrSelItems;
    if (column == 2)
        for (size_t i = 0; i < selItems.size(); ++i)
            selPositions.emplace(selItems[i], static_cast<int>(i));
    const int selCount = static_cast<int>(selItems.size());

    DayKeyCache days;
    std::vector<KeyedRow> keyed;
    keyed.reserve(rows.size());
    for (std::int32_t index : rows) {
        const CMemoItem* memo = doc.Memo(index);
        KeyedRow row{0, {}, index};
        if (memo) {
            if (column == 0)
                row.text = memo->m_strTitle;
            else
                row.key = NumericKey(*memo, column, selPositions, selCount, days);
        }
        keyed.push_back(row);
    }
    if (column != 0 && SortSmallKeys(keyed, descending)) {
        // done: kinds and selection-item positions take a counting sort
    } else {
        auto compare = [column](const KeyedRow& a, const KeyedRow& b) {
            if (column == 0)
                return SjisText::Compare(a.text, b.text);
            return a.key < b.key ? -1 : (a.key > b.key ? 1 : 0);
        };
        if (descending)
            std::stable_sort(keyed.begin(), keyed.end(),
                             [&](const KeyedRow& a, const KeyedRow& b) { return compare(a, b) > 0; });
        else
            std::stable_sort(keyed.begin(), keyed.end(),
                             [&](const KeyedRow& a, const KeyedRow& b) { return compare(a, b) < 0; });
    }
    for (size_t i = 0; i < keyed.size(); ++i)
        rows[i] = keyed[i].memo;
}

} // namespace kardel
