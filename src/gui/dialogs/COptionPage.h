#pragma once
#include <QWidget>

namespace kardel {
class COptionsSheetModel;
}

namespace kardel::gui {

// A page of the options sheet over the sheet's working copies.
class COptionPage : public QWidget {
    Q_OBJECT
public:
    COptionPage(COptionsSheetModel& model, QWidget* parent) : QWidget(parent), m_model(model) {}
    // Fills the controls the first time the page is shown.
    virtual void Init() {}

signals:
    void Changed();
    // The fifth tab's text follows the selection items page.
    void FreeTabTextChanged();

protected:
    COptionsSheetModel& m_model;
};

} // namespace kardel::gui
