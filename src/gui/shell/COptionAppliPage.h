#pragma once
#include "gui/shell/OptionPage.h"

namespace kardel::gui {

// "ｱﾌﾟﾘｹｰｼｮﾝ": four settings of the user, kept in the settings store.
class COptionAppliPage : public OptionPage {
    Q_OBJECT
public:
    COptionAppliPage(OptionsSheetModel& model, QWidget* parent);
};

} // namespace kardel::gui
