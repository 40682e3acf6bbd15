#include "gui/search/CFindFreePage.h"

#include "core/search/FindSheetModel.h"
#include "gui/common/Cp932Text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kardel::gui {

CFindFreePage::CFindFreePage(FindSheetModel& model, QWidget* parent) : FindPage(model, parent) {
    m_testOn = MakeTestBox();
    m_group = new QGroupBox(Utf8("対象"), this);
    m_available = new QListWidget(m_group);
    m_available->setObjectName(QStringLiteral("available"));
    m_chosen = new QListWidget(m_group);
    m_chosen->setObjectName(QStringLiteral("chosen"));
    auto* add = new QPushButton(Utf8("追加"), m_group);
    add->setObjectName(QStringLiteral("add"));
    auto* remove = new QPushButton(Utf8("削除"), m_group);
    remove->setObjectName(QStringLiteral("delete"));
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* grid = new QGridLayout(m_group);
    grid->addWidget(new QLabel(Utf8("選択項目"), m_group), 0, 0);
    grid->addWidget(new QLabel(Utf8("検索対象"), m_group), 0, 2);
    grid->addWidget(m_available, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(m_chosen, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_testOn);
    layout->addWidget(m_group);

    connect(m_testOn, &QCheckBox::clicked, this, [this](bool on) {
        m_model.m_work.m_selOn = on ? 1 : 0;
        m_group->setEnabled(on);
        emit Changed();
    });
    connect(add, &QPushButton::clicked, this, [this] {
        if (!m_model.AddSelItem(m_available->currentRow()))
            return;
        FillChosen(int(m_model.m_work.m_arrSelItems.size()) - 1);
        emit Changed();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        int selected = m_chosen->currentItem() && m_chosen->currentItem()->isSelected() ? m_chosen->currentRow() : -1;
        if (!m_model.DeleteSelItem(selected))
            return;
        FillChosen(selected);
        emit Changed();
    });
}

void CFindFreePage::FillChosen(int selected) {
    m_chosen->clear();
    for (const std::string& item : m_model.m_work.m_arrSelItems)
        m_chosen->addItem(FromCp932(item));
    m_chosen->setCurrentRow(selected);
}

void CFindFreePage::Init() {
    m_testOn->setChecked(m_model.m_work.m_selOn != 0);
    m_available->clear();
    for (const std::string& item : m_model.m_available)
        m_available->addItem(FromCp932(item));
    FillChosen(-1);
    m_available->setFocus();
    if (m_available->count() > 0)
        m_available->setCurrentRow(0);
    m_group->setEnabled(m_testOn->isChecked());
}

} // namespace kardel::gui
