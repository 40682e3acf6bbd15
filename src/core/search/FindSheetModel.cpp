#include "core/search/FindSheetModel.h"

#include "core/model/CDocOptions.h"

#include "core/model/ListEditing.h"

#include <algorithm>

namespace kardel {

FindSheetModel::FindSheetModel(const CFindCondition& source, const CDocOptions& options, bool restrictedScope)
    : m_work(source), m_available(options.m_arrSelItems), m_strSelTitle(options.m_strSelTitle),
      m_bSelEnabled(options.m_bSelEnabled != 0), m_restrictedScope(restrictedScope) {
    if (!m_bSelEnabled)
        m_work.m_selOn = 0;
}

void FindSheetModel::CopySlice(Page page, const CFindCondition& from, CFindCondition& to) {
    switch (page) {
    case KindPage:
        to.m_scope = from.m_scope;
        break;
    case TeigiPage:
        std::copy(std::begin(from.m_kindDef), std::end(from.m_kindDef), std::begin(to.m_kindDef));
        to.m_kindDone = from.m_kindDone;
        to.m_kindFolder = from.m_kindFolder;
        to.m_kindMemo = from.m_kindMemo;
        to.m_kindsOn = from.m_kindsOn;
        break;
    case DatePage:
        to.m_givenTime = from.m_givenTime;
        to.m_dateField = from.m_dateField;
        to.m_dateOn = from.m_dateOn;
        to.m_dateRelation = from.m_dateRelation;
        to.m_dateSource = from.m_dateSource;
        break;
    case StringPage:
        to.m_searchBody = from.m_searchBody;
        to.m_searchTitle = from.m_searchTitle;
        to.m_search = from.m_search;
        to.m_stringOn = from.m_stringOn;
        break;
    case FreePage:
        to.m_arrSelItems = from.m_arrSelItems;
        to.m_selOn = from.m_selOn;
        break;
    case PageCount:
        break;
    }
}

void FindSheetModel::ApplyShown(CFindCondition& target) const {
    for (int page = 0; page < PageCount; ++page)
        if (m_shown[page])
            CopySlice(static_cast<Page>(page), m_work, target);
}

void FindSheetModel::ApplyAll(CFindCondition& target) const {
    for (int page = 0; page < PageCount; ++page)
        CopySlice(static_cast<Page>(page), m_work, target);
}

bool FindSheetModel::AddSelItem(int selected) {
    if (selected < 0 || static_cast<size_t>(selected) >= m_available.size())
        return false;
    const std::string& item = m_available[selected];
    auto& chosen = m_work.m_arrSelItems;
    if (std::find(chosen.begin(), chosen.end(), item) != chosen.end())
        return false;
    chosen.push_back(item);
    return true;
}

bool FindSheetModel::DeleteSelItem(int& selected) {
    return EraseAndReselect(m_work.m_arrSelItems, selected);
}

} // namespace kardel
