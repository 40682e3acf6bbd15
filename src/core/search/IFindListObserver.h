#pragma once

namespace kardel {

// What a widget showing FindView learns, so that it can show the list without
// holding any of it: Before* comes before the list changes, After* right after.
class IFindListObserver {
public:
    virtual ~IFindListObserver() = default;
    // The rows are rebuilt from the found flags.
    virtual void BeforeReset() = 0;
    virtual void AfterReset() = 0;
    // The same rows are put in a new order.
    virtual void BeforeSort() = 0;
    virtual void AfterSort() = 0;
    // One row's texts, icon or due mark changed.
    virtual void RowChanged(int row) = 0;
    // Header titles, column widths or the selection-item column's visibility changed.
    virtual void HeaderChanged() = 0;
    // The list selects and focuses this row (the after-search step). The list
    // takes the row-selection step itself, so the widget does not report this
    // selection back through OnRowSelected.
    virtual void SelectRow(int row) = 0;
};

} // namespace kardel
