#include "search/FindListSort.h"

#include "model/CKardelDoc.h"
#include "search/DayKey.h"
#include "search/SjisText.h"

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
                        const std::unordered_map<std::string_view, int>& selPositions, int selCount) {
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
        return DayKey::Of(memo.m_timeCreated);
    case 4:
        return DayKey::Of(memo.m_timeUpdated);
    case 5:
        return memo.m_bHasDue ? DayKey::Of(memo.m_timeDue) : DayKey::kNoDate;
    case 6:
        return memo.m_nKind == KindDone ? DayKey::Of(memo.m_timeDone) : DayKey::kNoDate;
    default:
        return 0;
    }
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

    std::vector<KeyedRow> keyed;
    keyed.reserve(rows.size());
    for (std::int32_t index : rows) {
        const CMemoItem* memo = doc.Memo(index);
        KeyedRow row{0, {}, index};
        if (memo) {
            if (column == 0)
                row.text = memo->m_strTitle;
            else
                row.key = NumericKey(*memo, column, selPositions, selCount);
        }
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
    for (size_t i = 0; i < keyed.size(); ++i)
        rows[i] = keyed[i].memo;
}

} // namespace kardel
