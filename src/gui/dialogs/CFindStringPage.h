#pragma once
#include "dialogs/CFindPage.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace kardel::gui {

// "文字列": the string test, where to look and the text.
class CFindStringPage : public CFindPage {
    Q_OBJECT
public:
    CFindStringPage(CFindSheetModel& model, QWidget* parent);
    void Init() override;

private:
    QCheckBox* m_testOn;
    QGroupBox* m_group;
    QCheckBox* m_title;
    QCheckBox* m_body;
    QLineEdit* m_text;
};

} // namespace kardel::gui
