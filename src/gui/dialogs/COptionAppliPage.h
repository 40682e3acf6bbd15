#pragma once
#include "dialogs/COptionPage.h"

namespace kardel::gui {

// "ｱﾌﾟﾘｹｰｼｮﾝ": four settings of the user, kept in the settings store.
class COptionAppliPage : public COptionPage {
    Q_OBJECT
public:
    COptionAppliPage(COptionsSheetModel& model, QWidget* parent);
};

} // namespace kardel::gui
