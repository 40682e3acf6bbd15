#pragma once
#include "gui/search/FindPage.h"

#include <cstdint>

class QCheckBox;
class QGroupBox;

namespace kardel {
class CDocOptions;
}

namespace kardel::gui {

// "定義": the kinds test and its eight kind flags.
class CFindTeigiPage : public FindPage {
    Q_OBJECT
public:
    CFindTeigiPage(FindSheetModel& model, const CDocOptions& options, QWidget* parent);
    void Init() override;

private:
    std::int32_t* Flag(int box) const;
    void ApplyEnabling();

    const CDocOptions& m_options;
    QCheckBox* m_testOn;
    QGroupBox* m_group;
    QCheckBox* m_boxes[8];
};

} // namespace kardel::gui
