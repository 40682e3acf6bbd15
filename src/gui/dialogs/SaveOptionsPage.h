#pragma once
#include "dialogs/COptionPage.h"

namespace kardel::gui {

// "保存": how many earlier versions a save keeps as backups, a setting of the user.
class SaveOptionsPage : public COptionPage {
    Q_OBJECT
public:
    SaveOptionsPage(COptionsSheetModel& model, QWidget* parent);
};

} // namespace kardel::gui
