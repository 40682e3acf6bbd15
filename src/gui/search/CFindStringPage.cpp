#include "gui/search/CFindStringPage.h"

#include "core/search/FindSheetModel.h"
#include "gui/common/Cp932Text.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kardel::gui {

CFindStringPage::CFindStringPage(FindSheetModel& model, QWidget* parent) : FindPage(model, parent) {
    m_testOn = MakeTestBox();
    m_group = new QGroupBox(Utf8("対象"), this);
    m_title = new QCheckBox(Utf8("ﾀｲﾄﾙ"), m_group);
    m_title->setObjectName(QStringLiteral("searchTitle"));
    m_body = new QCheckBox(Utf8("内容"), m_group);
    m_body->setObjectName(QStringLiteral("searchBody"));
    m_text = new QLineEdit(m_group);
    m_text->setObjectName(QStringLiteral("searchText"));
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(m_title);
    boxes->addWidget(m_body);
    boxes->addStretch();
    auto* inner = new QVBoxLayout(m_group);
    inner->addLayout(boxes);
    inner->addWidget(new QLabel(Utf8("検索文字列を入力してください。"), m_group));
    inner->addWidget(m_text);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_testOn);
    layout->addWidget(m_group);
    layout->addStretch();

    connect(m_testOn, &QCheckBox::clicked, this, [this](bool on) {
        m_model.m_work.m_stringOn = on ? 1 : 0;
        m_group->setEnabled(on);
        emit Changed();
    });
    connect(m_title, &QCheckBox::clicked, this, [this](bool on) {
        m_model.m_work.m_searchTitle = on ? 1 : 0;
        emit Changed();
    });
    connect(m_body, &QCheckBox::clicked, this, [this](bool on) {
        m_model.m_work.m_searchBody = on ? 1 : 0;
        emit Changed();
    });
    connect(m_text, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model.m_work.m_search = ToCp932(text);
        emit Changed();
    });
}

void CFindStringPage::Init() {
    const CFindCondition& c = m_model.m_work;
    m_testOn->setChecked(c.m_stringOn != 0);
    m_title->setChecked(c.m_searchTitle != 0);
    m_body->setChecked(c.m_searchBody != 0);
    m_text->setText(FromCp932(c.m_search));
    m_group->setEnabled(m_testOn->isChecked());
}

} // namespace kardel::gui
