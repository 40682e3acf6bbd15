#include "gui/shell/COptionFree.h"

#include "core/shell/OptionsSheetModel.h"
#include "gui/common/Cp932Text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kardel::gui {

COptionFree::COptionFree(OptionsSheetModel& model, QWidget* parent) : OptionPage(model, parent) {
    m_enabled = new QCheckBox(Utf8("有効にする"), this);
    m_enabled->setObjectName(QStringLiteral("enabled"));
    auto* titleLabel = new QLabel(Utf8("タイトル"), this);
    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("title"));
    auto* listLabel = new QLabel(Utf8("登録されている項目一覧"), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("items"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* editGroup = new QGroupBox(Utf8("一覧の編集"), this);
    auto* nameLabel = new QLabel(Utf8("項目名"), editGroup);
    m_itemName = new QLineEdit(editGroup);
    m_itemName->setObjectName(QStringLiteral("itemName"));
    const char* const texts[5] = {"追加", "変更", "削除", "上に移動", "下に移動"};
    const char* const names[5] = {"add", "change", "delete", "up", "down"};
    QPushButton* buttons[5];
    auto* editLayout = new QVBoxLayout(editGroup);
    editLayout->addWidget(nameLabel);
    editLayout->addWidget(m_itemName);
    for (int i = 0; i < 5; ++i) {
        buttons[i] = new QPushButton(Utf8(texts[i]), editGroup);
        buttons[i]->setObjectName(QLatin1String(names[i]));
        editLayout->addWidget(buttons[i]);
    }
    editLayout->addStretch();

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(titleLabel);
    titleRow->addWidget(m_title);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(listLabel);
    listColumn->addWidget(m_list);
    auto* lower = new QHBoxLayout;
    lower->addLayout(listColumn);
    lower->addWidget(editGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_enabled);
    layout->addLayout(titleRow);
    layout->addLayout(lower);
    m_switched = {titleLabel, m_title, listLabel, m_list, editGroup};

    connect(m_enabled, &QCheckBox::clicked, this, [this](bool on) {
        m_model.m_bSelEnabled = on ? 1 : 0;
        ApplyEnabling();
        emit FreeTabTextChanged();
        emit Changed();
    });
    connect(m_title, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model.m_strSelTitle = ToCp932(text);
        emit FreeTabTextChanged();
        emit Changed();
    });
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_model.m_selSelected = row;
        if (row >= 0)
            m_itemName->setText(m_list->item(row)->text());
    });
    auto name = [this] { return ToCp932(m_itemName->text()); };
    connect(buttons[0], &QPushButton::clicked, this, [this, name] { AfterListStep(m_model.FreeAdd(name())); });
    connect(buttons[1], &QPushButton::clicked, this, [this, name] { AfterListStep(m_model.FreeChange(name())); });
    connect(buttons[2], &QPushButton::clicked, this, [this] { AfterListStep(m_model.FreeDelete()); });
    connect(buttons[3], &QPushButton::clicked, this, [this] { AfterListStep(m_model.FreeMoveUp()); });
    connect(buttons[4], &QPushButton::clicked, this, [this] { AfterListStep(m_model.FreeMoveDown()); });
}

void COptionFree::Init() {
    m_enabled->setChecked(m_model.m_bSelEnabled != 0);
    m_title->setText(FromCp932(m_model.m_strSelTitle));
    FillList();
    if (m_list->currentItem())
        m_itemName->setText(m_list->currentItem()->text());
    ApplyEnabling();
    emit FreeTabTextChanged();
}

void COptionFree::FillList() {
    QSignalBlocker block(m_list);
    int selected = m_model.m_selSelected;
    m_list->clear();
    for (const std::string& item : m_model.m_arrSelItems)
        m_list->addItem(FromCp932(item));
    m_list->setCurrentRow(selected);
}

void COptionFree::AfterListStep(bool changed) {
    m_list->setFocus();
    if (!changed)
        return;
    FillList();
    emit Changed();
}

void COptionFree::ApplyEnabling() {
    for (QWidget* widget : m_switched)
        widget->setEnabled(m_enabled->isChecked());
}

void COptionFree::FocusTitle() {
    m_title->setFocus();
}

} // namespace kardel::gui
