#pragma once
#include "dialogs/CFindPage.h"

class QButtonGroup;

namespace kardel::gui {

// "検索対象Memo": the scope.
class CFindKindPage : public CFindPage {
    Q_OBJECT
public:
    CFindKindPage(CFindSheetModel& model, QWidget* parent);
    void Init() override;

private:
    QButtonGroup* m_scope;
};

} // namespace kardel::gui
