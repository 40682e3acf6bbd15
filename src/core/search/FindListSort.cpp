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
    int icon;
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
// selection-item positions do: the sort after every rebuild stays linear, and
// needs no more memory than the keys and a copy of the rows.
bool SortSmallKeys(const std::vector<std::int64_t>& keys, std::vector<std::int32_t>& rows, std::vector<int>& icons,
                   bool descending) {
    constexpr std::int64_t kMaxSpan = 1024;
    if (keys.empty())
        return true;
    auto [lo, hi] = std::minmax_element(keys.begin(), keys.end());
    const std::int64_t min = *lo, span = *hi - *lo + 1;
    if (span > kMaxSpan)
        return false;
    auto bucketOf = [&](std::int64_t key) {
        auto bucket = static_cast<size_t>(key - min);
        return descending ? static_cast<size_t>(span - 1) - bucket : bucket;
    };
    std::vector<size_t> starts(static_cast<size_t>(span) + 1, 0);
    for (std::int64_t key : keys)
        ++starts[bucketOf(key) + 1];
    for (size_t b = 1; b < starts.size(); ++b)
        starts[b] += starts[b - 1];
    const std::vector<std::int32_t> oldRows = rows;
    const std::vector<int> oldIcons = icons;
    for (size_t i = 0; i < keys.size(); ++i) {
        size_t to = starts[bucketOf(keys[i])]++;
        rows[to] = oldRows[i];
        icons[to] = oldIcons[i];
    }
    return true;
}

} // namespace

void SortFindRows(std::vector<std::int32_t>& rows, std::vector<int>& icons, const CKardelDoc& doc, int column,
                  bool descending) {
    if (column < 0 || column > 6)
        return;
    icons.resize(rows.size(), -1);
    // Position of each selection item: the first equal entry of the list.
    std::unordered_map<std::string_view, int> selPositions;
    const auto& selItems = doc.m_options.m_arrSelItems;
    if (column == 2)
        for (size_t i = 0; i < selItems.size(); ++i)
            selPositions.emplace(selItems[i], static_cast<int>(i));
    const int selCount = static_cast<int>(selItems.size());

    DayKeyCache days;
    std::vector<std::int64_t> keys;
    if (column != 0) {
        keys.resize(rows.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            const CMemoItem* memo = doc.Memo(rows[i]);
            keys[i] = memo ? NumericKey(*memo, column, selPositions, selCount, days) : 0;
        }
        if (SortSmallKeys(keys, rows, icons, descending))
            return;
    }
    std::vector<KeyedRow> keyed;
    keyed.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        KeyedRow row{0, {}, rows[i], icons[i]};
        if (column != 0)
            row.key = keys[i];
        else if (const CMemoItem* memo = doc.Memo(rows[i]))
            row.text = memo->m_strTitle;
        keyed.push_back(row);
    }
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
    for (size_t i = 0; i < keyed.size(); ++i) {
        rows[i] = keyed[i].memo;
        icons[i] = keyed[i].icon;
    }
}

} // namespace kardel
