#include "gui/shell/COptionMemoView.h"

#include "core/shell/OptionsSheetModel.h"
#include "gui/common/Cp932Text.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kardel::gui {

COptionMemoView::COptionMemoView(OptionsSheetModel& model, QWidget* parent) : OptionPage(model, parent) {
    auto* group = new QGroupBox(Utf8("MemoViewのﾀﾌﾞの文字数"), this);
    auto* inner = new QVBoxLayout(group);
    m_tabs = new QButtonGroup(this);
    const char* const texts[3] = {"２個", "４個", "８個"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(Utf8(texts[i]), group);
        radio->setObjectName(QStringLiteral("tab%1").arg(i));
        m_tabs->addButton(radio, i);
        inner->addWidget(radio);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    connect(m_tabs, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.m_nTabChoice = id;
        emit Changed();
    });
}

void COptionMemoView::Init() {
    if (QAbstractButton* radio = m_tabs->button(m_model.m_nTabChoice))
        radio->setChecked(true);
}

} // namespace kardel::gui
