#pragma once
#include "gui/search/FindPage.h"

class QButtonGroup;
class QCheckBox;
class QDateTimeEdit;
class QGroupBox;

namespace kardel::gui {

// "日付": the date test, the date field, the source of the day and the relation.
class CFindDatePage : public FindPage {
    Q_OBJECT
public:
    CFindDatePage(FindSheetModel& model, QWidget* parent);
    void Init() override;

private:
    void ApplyEnabling();

    QCheckBox* m_testOn;
    QGroupBox* m_group;
    QButtonGroup* m_field;
    QButtonGroup* m_source;
    QButtonGroup* m_relation;
    QDateTimeEdit* m_given;
};

} // namespace kardel::gui
