#pragma once
#include "gui/shell/OptionPage.h"

class QButtonGroup;
class QLineEdit;

namespace kardel::gui {

// "標準検索": names and conditions of the five standard searches and the initial search.
class COptionStdFind : public OptionPage {
    Q_OBJECT
public:
    COptionStdFind(OptionsSheetModel& model, QWidget* parent);
    void Init() override;
    // "検索条件" of row k (0..4): the search sheet over working copy k.
    void EditCondition(int k);

private:
    QLineEdit* m_names[5];
    QButtonGroup* m_initial;
};

} // namespace kardel::gui
