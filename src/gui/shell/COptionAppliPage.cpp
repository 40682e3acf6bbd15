#include "gui/shell/COptionAppliPage.h"

#include "core/shell/OptionsSheetModel.h"
#include "gui/common/Cp932Text.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace kardel::gui {

COptionAppliPage::COptionAppliPage(OptionsSheetModel& model, QWidget* parent) : OptionPage(model, parent) {
    struct Row {
        const char* text;
        const char* name;
        std::int32_t* flag;
    } rows[4] = {
        {"終了時、自動でファイルを保存する。", "autoSave", &model.m_bAutoSave},
        {"TreeViewでの、Memoの選択変更もファイルの更新とする。", "selectModifies", &model.m_bSelectModifies},
        {"Memoの検索後、FindViewの先頭Memoを表示する。", "showFirstFound", &model.m_bShowFirstFound},
        {"FindViewでMemoを選択するとき、他のﾌｫﾙﾀﾞを閉じる。", "closeOtherFolders", &model.m_bCloseOtherFolders},
    };
    auto* layout = new QVBoxLayout(this);
    for (const Row& row : rows) {
        auto* box = new QCheckBox(Utf8(row.text), this);
        box->setObjectName(QLatin1String(row.name));
        box->setChecked(*row.flag != 0);
        std::int32_t* flag = row.flag;
        connect(box, &QCheckBox::clicked, this, [this, flag](bool on) {
            *flag = on ? 1 : 0;
            emit Changed();
        });
        layout->addWidget(box);
    }
    layout->addStretch();
}

} // namespace kardel::gui
