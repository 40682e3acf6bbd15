#pragma once
#include "gui/search/FindPage.h"

class QCheckBox;
class QGroupBox;
class QListWidget;

namespace kardel::gui {

// "選択項目" (its tab carries the user's title): the selection items test and the
// items a memo's selection item must be one of.
class CFindFreePage : public FindPage {
    Q_OBJECT
public:
    CFindFreePage(FindSheetModel& model, QWidget* parent);
    void Init() override;

private:
    void FillChosen(int selected);

    QCheckBox* m_testOn;
    QGroupBox* m_group;
    QListWidget* m_available;
    QListWidget* m_chosen;
};

} // namespace kardel::gui
