#pragma once
#include "gui/search/FindPage.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace kardel::gui {

// "文字列": the string test, where to look and the text.
class CFindStringPage : public FindPage {
    Q_OBJECT
public:
    CFindStringPage(FindSheetModel& model, QWidget* parent);
    void Init() override;

private:
    QCheckBox* m_testOn;
    QGroupBox* m_group;
    QCheckBox* m_title;
    QCheckBox* m_body;
    QLineEdit* m_text;
};

} // namespace kardel::gui
