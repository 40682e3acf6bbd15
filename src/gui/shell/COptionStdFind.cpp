#include "gui/shell/COptionStdFind.h"

#include "core/model/CKardelDoc.h"
#include "core/shell/OptionsSheetModel.h"
#include "gui/common/Cp932Text.h"
#include "gui/search/FindSheet.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kardel::gui {

COptionStdFind::COptionStdFind(OptionsSheetModel& model, QWidget* parent) : OptionPage(model, parent) {
    const char* const rowNames[5] = {"標準検索１", "標準検索２", "標準検索３", "標準検索４", "標準検索５"};
    auto* conditions = new QGroupBox(Utf8("標準検索の条件"), this);
    auto* grid = new QGridLayout(conditions);
    grid->addWidget(new QLabel(Utf8("名称"), conditions), 0, 1);
    for (int k = 0; k < 5; ++k) {
        grid->addWidget(new QLabel(Utf8(rowNames[k]), conditions), k + 1, 0);
        m_names[k] = new QLineEdit(conditions);
        m_names[k]->setObjectName(QStringLiteral("name%1").arg(k));
        grid->addWidget(m_names[k], k + 1, 1);
        auto* edit = new QPushButton(Utf8("検索条件"), conditions);
        edit->setObjectName(QStringLiteral("condition%1").arg(k));
        grid->addWidget(edit, k + 1, 2);
        connect(m_names[k], &QLineEdit::textEdited, this, [this, k](const QString& text) {
            m_model.m_strStdFindName[k] = ToCp932(text);
            emit Changed();
        });
        connect(edit, &QPushButton::clicked, this, [this, k] { EditCondition(k); });
    }

    auto* initial = new QGroupBox(Utf8("初期検索"), this);
    auto* radios = new QVBoxLayout(initial);
    m_initial = new QButtonGroup(this);
    const char* const choices[7] = {
        "初期検索しない。",        "標準検索１", "標準検索２", "標準検索３", "標準検索４", "標準検索５",
        "全ての項目を対象とする。"};
    for (int i = 0; i < 7; ++i) {
        auto* radio = new QRadioButton(Utf8(choices[i]), initial);
        radio->setObjectName(QStringLiteral("initial%1").arg(i));
        m_initial->addButton(radio, i);
        radios->addWidget(radio);
    }
    connect(m_initial, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.m_nInitialFind = id;
        emit Changed();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(conditions);
    layout->addWidget(initial);
    layout->addStretch();
}

void COptionStdFind::Init() {
    for (int k = 0; k < 5; ++k)
        m_names[k]->setText(FromCp932(m_model.m_strStdFindName[k]));
    if (QAbstractButton* radio = m_initial->button(m_model.m_nInitialFind))
        radio->setChecked(true);
}

void COptionStdFind::EditCondition(int k) {
    FindSheetModel find = m_model.BeginStdFindEdit(k);
    CKardelDoc& doc = m_model.doc();
    FindSheet sheet(find, doc.m_options, this);
    sheet.onApply = [this, &find] { m_model.ApplyStdFindSheet(find); };
    if (sheet.exec() != QDialog::Accepted)
        return;
    m_model.EndStdFindEdit(k, find);
    emit Changed();
}

} // namespace kardel::gui
