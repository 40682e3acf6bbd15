#pragma once
#include "dialogs/COptionPage.h"

class QButtonGroup;

namespace kardel::gui {

// "MemoView": the tab width.
class COptionMemoView : public COptionPage {
    Q_OBJECT
public:
    COptionMemoView(COptionsSheetModel& model, QWidget* parent);
    void Init() override;

private:
    QButtonGroup* m_tabs;
};

} // namespace kardel::gui
