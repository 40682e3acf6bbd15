#include "gui/search/CFindDatePage.h"

#include "core/search/FindSheetModel.h"
#include "gui/common/Cp932Text.h"
#include "gui/common/DatePicker.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kardel::gui {
namespace {
QButtonGroup* RadioGroup(QGroupBox* box, QBoxLayout* layout, const char* const* texts, int count, const char* name) {
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < count; ++i) {
        auto* radio = new QRadioButton(Utf8(texts[i]), box);
        radio->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(name)).arg(i));
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    return group;
}
} // namespace

CFindDatePage::CFindDatePage(FindSheetModel& model, QWidget* parent) : FindPage(model, parent) {
    m_testOn = MakeTestBox();
    m_group = new QGroupBox(Utf8("対象"), this);

    auto* fieldBox = new QGroupBox(Utf8("検索対象"), m_group);
    auto* fieldLayout = new QVBoxLayout(fieldBox);
    const char* const fields[4] = {"作成日", "更新日", "期日", "完了日"};
    m_field = RadioGroup(fieldBox, fieldLayout, fields, 4, "field");

    auto* sourceBox = new QGroupBox(Utf8("指定日"), m_group);
    auto* sourceLayout = new QVBoxLayout(sourceBox);
    const char* const sources[2] = {"本日", "指定する"};
    m_source = RadioGroup(sourceBox, sourceLayout, sources, 2, "source");
    m_given = MakeDatePicker(sourceBox);
    m_given->setObjectName(QStringLiteral("given"));
    sourceLayout->addWidget(m_given);

    auto* relationBox = new QGroupBox(Utf8("期間"), m_group);
    auto* relationLayout = new QVBoxLayout(relationBox);
    const char* const relations[3] = {"指定日のみ", "指定日以前", "指定日以後"};
    m_relation = RadioGroup(relationBox, relationLayout, relations, 3, "relation");

    auto* groups = new QHBoxLayout(m_group);
    groups->addWidget(fieldBox);
    groups->addWidget(sourceBox);
    groups->addWidget(relationBox);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_testOn);
    layout->addWidget(m_group);
    layout->addStretch();

    connect(m_testOn, &QCheckBox::clicked, this, [this](bool on) {
        m_model.m_work.m_dateOn = on ? 1 : 0;
        ApplyEnabling();
        emit Changed();
    });
    connect(m_field, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.m_work.m_dateField = id;
        emit Changed();
    });
    connect(m_source, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.m_work.m_dateSource = id;
        ApplyEnabling();
        emit Changed();
    });
    connect(m_relation, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.m_work.m_dateRelation = id;
        emit Changed();
    });
    connect(m_given, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& value) {
        m_model.m_work.m_givenTime = FromDateTime(value);
        emit Changed();
    });
}

void CFindDatePage::Init() {
    const CFindCondition& c = m_model.m_work;
    QSignalBlocker block(m_given);
    m_testOn->setChecked(c.m_dateOn != 0);
    if (QAbstractButton* b = m_field->button(c.m_dateField))
        b->setChecked(true);
    if (QAbstractButton* b = m_source->button(c.m_dateSource))
        b->setChecked(true);
    if (QAbstractButton* b = m_relation->button(c.m_dateRelation))
        b->setChecked(true);
    m_given->setDateTime(ToDateTime(c.m_givenTime));
    ApplyEnabling();
}

// The picker also needs "指定する"; it keeps its date while disabled.
void CFindDatePage::ApplyEnabling() {
    m_group->setEnabled(m_testOn->isChecked());
    m_given->setEnabled(m_source->checkedId() == 1);
}

} // namespace kardel::gui
