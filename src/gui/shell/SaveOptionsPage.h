#pragma once
#include "gui/shell/OptionPage.h"

namespace kardel::gui {

// "保存": how many earlier versions a save keeps as backups, a setting of the user.
class SaveOptionsPage : public OptionPage {
    Q_OBJECT
public:
    SaveOptionsPage(OptionsSheetModel& model, QWidget* parent);
};

} // namespace kardel::gui
