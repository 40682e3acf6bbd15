#include "search/CFindSheetModel.h"

#include "model/CDocOptions.h"

#include "model/ListEditing.h"

#include <algorithm>

namespace kardel {

CFindSheetModel::CFindSheetModel(const CFindCondition& source, const CDocOptions& options, bool restrictedScope)
    : m_work(source), m_arrAvailable(options.m_arrSelItems), m_strSelTitle(options.m_strSelTitle),
      m_bSelEnabled(options.m_bSelEnabled != 0), m_bRestrictedScope(restrictedScope) {
    if (!m_bSelEnabled)
        m_work.m_bSelOn = 0;
}

void CFindSheetModel::CopySlice(Page page, const CFindCondition& from, CFindCondition& to) {
    switch (page) {
    case KindPage:
        to.m_nScope = from.m_nScope;
        break;
    case TeigiPage:
        std::copy(std::begin(from.m_bKindDef), std::end(from.m_bKindDef), std::begin(to.m_bKindDef));
        to.m_bKindDone = from.m_bKindDone;
        to.m_bKindFolder = from.m_bKindFolder;
        to.m_bKindMemo = from.m_bKindMemo;
        to.m_bKindsOn = from.m_bKindsOn;
        break;
    case DatePage:
        to.m_timeGiven = from.m_timeGiven;
        to.m_nDateField = from.m_nDateField;
        to.m_bDateOn = from.m_bDateOn;
        to.m_nDateRelation = from.m_nDateRelation;
        to.m_nDateSource = from.m_nDateSource;
        break;
    case StringPage:
        to.m_bSearchBody = from.m_bSearchBody;
        to.m_bSearchTitle = from.m_bSearchTitle;
        to.m_strSearch = from.m_strSearch;
        to.m_bStringOn = from.m_bStringOn;
        break;
    case FreePage:
        to.m_arrSelItems = from.m_arrSelItems;
        to.m_bSelOn = from.m_bSelOn;
        break;
    case PageCount:
        break;
    }
}

void CFindSheetModel::ApplyShown(CFindCondition& target) const {
    for (int page = 0; page < PageCount; ++page)
        if (m_bShown[page])
            CopySlice(static_cast<Page>(page), m_work, target);
}

void CFindSheetModel::ApplyAll(CFindCondition& target) const {
    for (int page = 0; page < PageCount; ++page)
        CopySlice(static_cast<Page>(page), m_work, target);
}

bool CFindSheetModel::AddSelItem(int selected) {
    if (selected < 0 || static_cast<size_t>(selected) >= m_arrAvailable.size())
        return false;
    const std::string& item = m_arrAvailable[selected];
    auto& chosen = m_work.m_arrSelItems;
    if (std::find(chosen.begin(), chosen.end(), item) != chosen.end())
        return false;
    chosen.push_back(item);
    return true;
}

bool CFindSheetModel::DeleteSelItem(int& selected) {
    return EraseAndReselect(m_work.m_arrSelItems, selected);
}

} // namespace kardel
