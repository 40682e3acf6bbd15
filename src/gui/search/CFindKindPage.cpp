#include "gui/search/CFindKindPage.h"

#include "core/search/FindSheetModel.h"
#include "gui/common/Cp932Text.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kardel::gui {

CFindKindPage::CFindKindPage(FindSheetModel& model, QWidget* parent) : FindPage(model, parent) {
    static const char* const texts[3] = {"全てのMemoを検索対象とする。",
                                         "TreeViewの選択項目以下のMemoを検索対象とする。",
                                         "FindViewに表示されているMemoを検索対象とする。"};
    m_scope = new QButtonGroup(this);
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(Utf8(texts[i]), this);
        radio->setObjectName(QStringLiteral("scope%1").arg(i));
        m_scope->addButton(radio, i);
        layout->addWidget(radio);
    }
    layout->addStretch();
    connect(m_scope, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.m_work.m_scope = id;
        emit Changed();
    });
}

void CFindKindPage::Init() {
    if (QAbstractButton* radio = m_scope->button(m_model.m_work.m_scope))
        radio->setChecked(true);
    for (int i = 0; i < 3; ++i)
        m_scope->button(i)->setEnabled(m_model.IsScopeChoiceEnabled(i));
}

} // namespace kardel::gui
