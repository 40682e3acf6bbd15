#pragma once
#include "gui/shell/OptionPage.h"

class QButtonGroup;

namespace kardel::gui {

// "MemoView": the tab width.
class COptionMemoView : public OptionPage {
    Q_OBJECT
public:
    COptionMemoView(OptionsSheetModel& model, QWidget* parent);
    void Init() override;

private:
    QButtonGroup* m_tabs;
};

} // namespace kardel::gui
