#pragma once
#include "gui/common/CPropertySheet.h"

namespace kardel {
class OptionsSheetModel;
}

namespace kardel::gui {

class COptionFree;

// "設定ダイアログ": the five option pages over the sheet model. Leaving a page that
// holds a refused value shows the model's message and stays on the page.
class OptionsSheet : public CPropertySheet {
    Q_OBJECT
public:
    OptionsSheet(OptionsSheetModel& model, QWidget* parent);

private:
    OptionsSheetModel& m_model;
    COptionFree* m_free;
};

} // namespace kardel::gui
