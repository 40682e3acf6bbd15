#pragma once
#include "gui/search/FindPage.h"

class QButtonGroup;

namespace kardel::gui {

// "検索対象Memo": the scope.
class CFindKindPage : public FindPage {
    Q_OBJECT
public:
    CFindKindPage(FindSheetModel& model, QWidget* parent);
    void Init() override;

private:
    QButtonGroup* m_scope;
};

} // namespace kardel::gui
