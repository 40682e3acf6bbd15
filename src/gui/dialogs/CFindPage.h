#pragma once
#include <QWidget>

class QAbstractButton;
class QCheckBox;

namespace kardel {
class CFindSheetModel;
}

namespace kardel::gui {

// A page of the search sheet: it edits one slice of the sheet's working condition,
// filling its controls the first time it is shown and reporting every change.
class CFindPage : public QWidget {
    Q_OBJECT
public:
    CFindPage(CFindSheetModel& model, QWidget* parent) : QWidget(parent), m_model(model) {}
    virtual void Init() = 0;

signals:
    void Changed();

protected:
    // A "検索の対象とする。" box that switches the page's test.
    QCheckBox* MakeTestBox();
    CFindSheetModel& m_model;
};

} // namespace kardel::gui
