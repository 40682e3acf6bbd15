#pragma once
#include <QWidget>

class QAbstractButton;
class QCheckBox;

namespace kardel {
class FindSheetModel;
}

namespace kardel::gui {

// A page of the search sheet: it edits one slice of the sheet's working condition,
// filling its controls the first time it is shown and reporting every change.
class FindPage : public QWidget {
    Q_OBJECT
public:
    FindPage(FindSheetModel& model, QWidget* parent) : QWidget(parent), m_model(model) {}
    virtual void Init() = 0;

signals:
    void Changed();

protected:
    // A "検索の対象とする。" box that switches the page's test.
    QCheckBox* MakeTestBox();
    FindSheetModel& m_model;
};

} // namespace kardel::gui
