#pragma once
#include "gui/shell/OptionPage.h"

class QCheckBox;
class QLineEdit;

namespace kardel::gui {

class CIconStatic;

// "アイコンと定義": icon files and names of the five definitions and the kinds the
// double click steps through.
class COptionIcon : public OptionPage {
    Q_OBJECT
public:
    COptionIcon(OptionsSheetModel& model, QWidget* parent);
    void Init() override;
    // "参照" of row n (0..4).
    void Browse(int n);

private:
    void UpdatePreview(int n);

    QLineEdit* m_paths[5];
    QLineEdit* m_names[5];
    CIconStatic* m_previews[5];
    QCheckBox* m_cycle[7];
};

} // namespace kardel::gui
