#pragma once
#include "gui/common/CPropertySheet.h"

#include <functional>

namespace kardel {
class CDocOptions;
class FindSheetModel;
} // namespace kardel

namespace kardel::gui {

// "検索ダイアログ": four or five pages over a search sheet model. `onApply` runs on
// OK and 適用 and writes the shown pages wherever the caller wants them.
class FindSheet : public CPropertySheet {
    Q_OBJECT
public:
    FindSheet(FindSheetModel& model, const CDocOptions& options, QWidget* parent);

private:
    FindSheetModel& m_model;
};

} // namespace kardel::gui
