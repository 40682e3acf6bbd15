#pragma once
#include "dialogs/CPropertySheet.h"

namespace kardel {
class COptionsSheetModel;
}

namespace kardel::gui {

class COptionFree;

// "設定ダイアログ": the five option pages over the sheet model. Leaving a page that
// holds a refused value shows the model's message and stays on the page.
class COptionsSheet : public CPropertySheet {
    Q_OBJECT
public:
    COptionsSheet(COptionsSheetModel& model, QWidget* parent);

private:
    COptionsSheetModel& m_model;
    COptionFree* m_free;
};

} // namespace kardel::gui
