#include "gui/search/CFindTeigiPage.h"

#include "core/model/CDocOptions.h"
#include "core/search/FindSheetModel.h"
#include "gui/common/CIconStatic.h"
#include "gui/common/Cp932Text.h"
#include "gui/common/IconList.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace kardel::gui {
namespace {
// Box order: folder, memo, done, definitions 1 to 5; the icons beside them.
const int kImages[8] = {1, 4, 10, 5, 6, 7, 8, 9};
} // namespace

CFindTeigiPage::CFindTeigiPage(FindSheetModel& model, const CDocOptions& options, QWidget* parent)
    : FindPage(model, parent), m_options(options) {
    m_testOn = MakeTestBox();
    m_group = new QGroupBox(Utf8("対象"), this);
    auto* grid = new QGridLayout(m_group);
    const char* const fixed[3] = {"ﾌｫﾙﾀﾞ", "ﾒﾓ", "完了"};
    for (int i = 0; i < 8; ++i) {
        auto* icon = new CIconStatic(m_group);
        icon->setObjectName(QStringLiteral("icon%1").arg(i));
        icon->SetIconFromList(IconList::Instance(), kImages[i]);
        m_boxes[i] = new QCheckBox(i < 3 ? Utf8(fixed[i]) : QStringLiteral("0%1").arg(i - 2), m_group);
        m_boxes[i]->setObjectName(QStringLiteral("kind%1").arg(i));
        grid->addWidget(icon, i, 0);
        grid->addWidget(m_boxes[i], i, 1);
        connect(m_boxes[i], &QCheckBox::clicked, this, [this, i](bool on) {
            *Flag(i) = on ? 1 : 0;
            emit Changed();
        });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_testOn);
    layout->addWidget(m_group);
    layout->addStretch();
    connect(m_testOn, &QCheckBox::clicked, this, [this](bool on) {
        m_model.m_work.m_kindsOn = on ? 1 : 0;
        ApplyEnabling();
        emit Changed();
    });
}

std::int32_t* CFindTeigiPage::Flag(int box) const {
    CFindCondition& c = m_model.m_work;
    switch (box) {
    case 0:
        return &c.m_kindFolder;
    case 1:
        return &c.m_kindMemo;
    case 2:
        return &c.m_kindDone;
    default:
        return &c.m_kindDef[box - 3];
    }
}

void CFindTeigiPage::Init() {
    m_testOn->setChecked(m_model.m_work.m_kindsOn != 0);
    for (int i = 0; i < 8; ++i)
        m_boxes[i]->setChecked(*Flag(i) != 0);
    for (int d = 0; d < 5; ++d)
        m_boxes[3 + d]->setText(FromCp932(m_options.m_strDefName[d]));
    ApplyEnabling();
}

// The icons inside the group stay enabled, so the boxes follow the switch one by one
// rather than through the group.
void CFindTeigiPage::ApplyEnabling() {
    bool on = m_testOn->isChecked();
    for (QCheckBox* box : m_boxes)
        box->setEnabled(on);
}

} // namespace kardel::gui
