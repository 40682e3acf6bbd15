#pragma once
#include "gui/shell/OptionPage.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace kardel::gui {

// "選択項目": the selection item list, its title and whether it is in use.
class COptionFree : public OptionPage {
    Q_OBJECT
public:
    COptionFree(OptionsSheetModel& model, QWidget* parent);
    void Init() override;
    // Puts the focus where the refused value is.
    void FocusTitle();

private:
    void ApplyEnabling();
    void FillList();
    void AfterListStep(bool changed);

    QCheckBox* m_enabled;
    QLineEdit* m_title;
    QListWidget* m_list;
    QLineEdit* m_itemName;
    QList<QWidget*> m_switched; // follow "有効にする"
};

} // namespace kardel::gui
