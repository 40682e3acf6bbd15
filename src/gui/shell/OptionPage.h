#pragma once
#include <QWidget>

namespace kardel {
class OptionsSheetModel;
}

namespace kardel::gui {

// A page of the options sheet over the sheet's working copies.
class OptionPage : public QWidget {
    Q_OBJECT
public:
    OptionPage(OptionsSheetModel& model, QWidget* parent) : QWidget(parent), m_model(model) {}
    // Fills the controls the first time the page is shown.
    virtual void Init() {}

signals:
    void Changed();
    // The fifth tab's text follows the selection items page.
    void FreeTabTextChanged();

protected:
    OptionsSheetModel& m_model;
};

} // namespace kardel::gui
