#include "gui/tree/CMemoPropDlg.h"

#include "core/model/CDocOptions.h"
#include "core/tree/MemoPropRules.h"
#include "gui/common/CIconStatic.h"
#include "gui/common/Cp932Text.h"
#include "gui/common/DatePicker.h"
#include "gui/common/IconList.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kardel::gui {

CMemoPropDlg::CMemoPropDlg(const MemoPropValues& values, const CDocOptions& options, const IconList& icons,
                           QWidget* parent)
    : QDialog(parent), m_values(values) {
    setWindowTitle(Utf8("ﾒﾓのﾌﾟﾛﾊﾟﾃｨ"));

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(new QLabel(Utf8("ﾀｲﾄﾙ"), this));
    m_title = new QLineEdit(FromCp932(values.m_strTitle), this);
    m_title->setObjectName(QStringLiteral("title"));
    titleRow->addWidget(m_title);

    // Kind buttons in the group's order: memo, definitions 1 to 5, done; icons 4 to 10 beside them.
    auto* kindGroup = new QGroupBox(Utf8("定義"), this);
    kindGroup->setObjectName(QStringLiteral("kindGroup"));
    auto* kindGrid = new QGridLayout(kindGroup);
    m_kinds = new QButtonGroup(this);
    for (int i = 0; i < 7; ++i) {
        QString text = i == 0 ? Utf8("ﾒﾓ") : i == 6 ? Utf8("完了") : FromCp932(options.m_strDefName[i - 1]);
        auto* icon = new CIconStatic(kindGroup);
        icon->setObjectName(QStringLiteral("kindIcon%1").arg(i));
        icon->SetIconFromList(icons, KindMemo + i);
        m_kindButtons[i] = new QRadioButton(text, kindGroup);
        m_kindButtons[i]->setObjectName(QStringLiteral("kind%1").arg(i));
        m_kinds->addButton(m_kindButtons[i], i);
        kindGrid->addWidget(icon, i, 0);
        kindGrid->addWidget(m_kindButtons[i], i, 1);
    }
    if (values.m_nKindIndex >= 0 && values.m_nKindIndex <= 6)
        m_kindButtons[values.m_nKindIndex]->setChecked(true);

    auto* dateGroup = new QGroupBox(Utf8("日付"), this);
    dateGroup->setObjectName(QStringLiteral("dateGroup"));
    auto* dates = new QGridLayout(dateGroup);
    auto* created = new QLineEdit(FromCp932(values.m_strCreated), dateGroup);
    created->setObjectName(QStringLiteral("created"));
    created->setReadOnly(true);
    auto* updated = new QLineEdit(FromCp932(values.m_strUpdated), dateGroup);
    updated->setObjectName(QStringLiteral("updated"));
    updated->setReadOnly(true);
    m_hasDue = new QCheckBox(Utf8("期日"), dateGroup);
    m_hasDue->setObjectName(QStringLiteral("hasDue"));
    m_hasDue->setChecked(values.m_bHasDue != 0);
    m_due = MakeDatePicker(dateGroup);
    m_due->setObjectName(QStringLiteral("due"));
    m_due->setDateTime(ToDateTime(values.m_timeDue));
    m_done = MakeDatePicker(dateGroup);
    m_done->setObjectName(QStringLiteral("done"));
    m_done->setDateTime(ToDateTime(values.m_timeDone));
    dates->addWidget(new QLabel(Utf8("作成日"), dateGroup), 0, 0);
    dates->addWidget(created, 0, 1);
    dates->addWidget(new QLabel(Utf8("更新日"), dateGroup), 1, 0);
    dates->addWidget(updated, 1, 1);
    dates->addWidget(m_hasDue, 2, 0);
    dates->addWidget(m_due, 2, 1);
    dates->addWidget(new QLabel(Utf8("完了日"), dateGroup), 3, 0);
    dates->addWidget(m_done, 3, 1);

    m_selGroup = new QGroupBox(this);
    m_selGroup->setObjectName(QStringLiteral("selGroup"));
    auto* selLayout = new QVBoxLayout(m_selGroup);
    m_selItem = new QComboBox(m_selGroup);
    m_selItem->setObjectName(QStringLiteral("selItem"));
    m_selItem->setEditable(true);
    m_selItem->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& item : options.m_arrSelItems)
        m_selItem->addItem(FromCp932(item));
    m_selItem->setEditText(FromCp932(values.m_strSelItem));
    selLayout->addWidget(m_selItem);

    auto* right = new QVBoxLayout;
    right->addWidget(dateGroup);
    right->addWidget(m_selGroup);
    right->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(kindGroup);
    body->addLayout(right);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("ok"));
    buttons->addButton(Utf8("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancel"));
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titleRow);
    layout->addLayout(body);
    layout->addWidget(buttons);

    MemoPropControlState state = MemoPropStartState(values, options);
    m_due->setEnabled(state.duePickerEnabled);
    m_done->setEnabled(state.donePickerEnabled);
    m_selGroup->setTitle(FromCp932(state.selItemCaption));
    m_selGroup->setEnabled(state.selItemEnabled);
    kindGroup->setEnabled(state.kindsEnabled);
    dateGroup->setEnabled(state.datesEnabled);

    connect(m_hasDue, &QCheckBox::toggled, m_due, &QWidget::setEnabled);
    connect(m_kinds, &QButtonGroup::idClicked, this, &CMemoPropDlg::OnKindClicked);
}

void CMemoPropDlg::OnKindClicked(int index) {
    const bool done = index == 6;
    m_done->setEnabled(done);
    if (done) { // a done memo has no due date
        m_hasDue->setChecked(false);
        m_due->setEnabled(false);
    }
}

MemoPropValues CMemoPropDlg::Values() const {
    MemoPropValues v = m_values;
    v.m_strTitle = ToCp932(m_title->text());
    int checked = m_kinds->checkedId();
    v.m_nKindIndex = checked >= 0 ? checked : m_values.m_nKindIndex;
    v.m_bHasDue = m_hasDue->isChecked() ? 1 : 0;
    v.m_timeDue = FromDateTime(m_due->dateTime());
    v.m_timeDone = FromDateTime(m_done->dateTime());
    v.m_strSelItem = ToCp932(m_selItem->currentText());
    return v;
}

} // namespace kardel::gui
