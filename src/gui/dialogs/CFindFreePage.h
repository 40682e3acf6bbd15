#pragma once
#include "dialogs/CFindPage.h"

class QCheckBox;
class QGroupBox;
class QListWidget;

namespace kardel::gui {

// "選択項目" (its tab carries the user's title): the selection items test and the
// items a memo's selection item must be one of.
class CFindFreePage : public CFindPage {
    Q_OBJECT
public:
    CFindFreePage(CFindSheetModel& model, QWidget* parent);
    void Init() override;

private:
    void FillChosen(int selected);

    QCheckBox* m_testOn;
    QGroupBox* m_group;
    QListWidget* m_available;
    QListWidget* m_chosen;
};

} // namespace kardel::gui
