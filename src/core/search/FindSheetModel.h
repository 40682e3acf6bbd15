#pragma once
#include "core/search/CFindCondition.h"

#include <string>
#include <vector>

namespace kardel {

class CDocOptions;

// The working values behind the search sheet's five pages. Each page edits one
// slice of a condition; the sheet remembers which pages were shown, because
// only those write their slice back when the sheet is applied or confirmed.
class FindSheetModel {
public:
    enum Page { KindPage = 0, TeigiPage = 1, DatePage = 2, StringPage = 3, FreePage = 4, PageCount = 5 };

    // Fills every page from `source`. The selection test flag reaches the fifth
    // page only while selection items are enabled; otherwise the page starts off.
    FindSheetModel(const CFindCondition& source, const CDocOptions& options, bool restrictedScope);

    // Whether the sheet carries the fifth page at all.
    bool HasFreePage() const { return m_bSelEnabled; }
    int ShownPageCount() const { return m_bSelEnabled ? 5 : 4; }
    // Opened from the options page only "every memo" may be chosen as scope.
    bool IsScopeChoiceEnabled(int scope) const { return !m_restrictedScope || scope == CFindCondition::AllMemos; }

    void MarkShown(Page page) { m_shown[page] = true; }
    bool WasShown(Page page) const { return m_shown[page]; }

    // Every shown page writes its own slice into `target`; pages never shown write nothing.
    void ApplyShown(CFindCondition& target) const;
    // All five slices into `target`, shown or not (editing a standard search).
    void ApplyAll(CFindCondition& target) const;
    static void CopySlice(Page page, const CFindCondition& from, CFindCondition& to);

    // The fifth page's lists. `selected` is the left list's selected row (-1 for none);
    // true when the entry was appended, which then is the right list's selection.
    bool AddSelItem(int selected);
    // Removes the right list's row `selected` and moves `selected` to the row now at
    // that place, the new last row, or -1 for an emptied list. False when nothing was removed.
    bool DeleteSelItem(int& selected);

    CFindCondition m_work;                   // the pages' working values
    std::vector<std::string> m_available;    // the options' selection item list (left list)
    std::string m_strSelTitle;               // the fifth tab's text

private:
    bool m_bSelEnabled = false;
    bool m_restrictedScope = false;
    bool m_shown[5] = {false, false, false, false, false};
};

} // namespace kardel
