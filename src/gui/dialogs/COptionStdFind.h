#pragma once
#include "dialogs/COptionPage.h"

class QButtonGroup;
class QLineEdit;

namespace kardel::gui {

// "標準検索": names and conditions of the five standard searches and the initial search.
class COptionStdFind : public COptionPage {
    Q_OBJECT
public:
    COptionStdFind(COptionsSheetModel& model, QWidget* parent);
    void Init() override;
    // "検索条件" of row k (0..4): the search sheet over working copy k.
    void EditCondition(int k);

private:
    QLineEdit* m_names[5];
    QButtonGroup* m_initial;
};

} // namespace kardel::gui
