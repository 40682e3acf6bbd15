#pragma once
#include "core/model/CMemoItem.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace kardel {
class CDocOptions;
}

namespace kardel::gui {

class IconList;

// "ﾒﾓのﾌﾟﾛﾊﾟﾃｨ": a memo's title, kind, dates and selection item. It fills its
// controls from the values and, on OK, reads them back without any check.
class CMemoPropDlg : public QDialog {
    Q_OBJECT
public:
    CMemoPropDlg(const MemoPropValues& values, const CDocOptions& options, const IconList& icons,
                 QWidget* parent = nullptr);

    // The controls' values; both pickers are read even when disabled.
    MemoPropValues Values() const;

private:
    void OnKindClicked(int index);

    MemoPropValues m_values;
    QLineEdit* m_title;
    QButtonGroup* m_kinds;
    QRadioButton* m_kindButtons[7];
    QCheckBox* m_hasDue;
    QDateTimeEdit* m_due;
    QDateTimeEdit* m_done;
    QGroupBox* m_selGroup;
    QComboBox* m_selItem;
};

} // namespace kardel::gui
