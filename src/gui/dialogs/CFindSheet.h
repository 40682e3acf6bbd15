#pragma once
#include "dialogs/CPropertySheet.h"

#include <functional>

namespace kardel {
class CDocOptions;
class CFindSheetModel;
} // namespace kardel

namespace kardel::gui {

// "検索ダイアログ": four or five pages over a search sheet model. `onApply` runs on
// OK and 適用 and writes the shown pages wherever the caller wants them.
class CFindSheet : public CPropertySheet {
    Q_OBJECT
public:
    CFindSheet(CFindSheetModel& model, const CDocOptions& options, QWidget* parent);

private:
    CFindSheetModel& m_model;
};

} // namespace kardel::gui
