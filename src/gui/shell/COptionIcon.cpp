#include "gui/shell/COptionIcon.h"

#include "core/base/Platform.h"
#include "core/model/CKardelDoc.h"
#include "core/shell/OptionsSheetModel.h"
#include "gui/common/CIconStatic.h"
#include "gui/common/Cp932Text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kardel::gui {
namespace {
const char* const kRowNames[5] = {"定義１", "定義２", "定義３", "定義４", "定義５"};
// Boxes left to right: memo, definitions 1 to 5, done; their flags in the record's order.
const char* const kCycleTexts[7] = {"メモ", "定義１", "定義２", "定義３", "定義４", "定義５", "完了"};
const int kCycleFlag[7] = {6, 0, 1, 2, 3, 4, 5};
} // namespace

COptionIcon::COptionIcon(OptionsSheetModel& model, QWidget* parent) : OptionPage(model, parent) {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(Utf8("アイコンファイル（*.ico）"), this), 0, 1);
    grid->addWidget(new QLabel(Utf8("定義"), this), 0, 4);
    for (int n = 0; n < 5; ++n) {
        grid->addWidget(new QLabel(Utf8(kRowNames[n]), this), n + 1, 0);
        m_paths[n] = new QLineEdit(this);
        m_paths[n]->setObjectName(QStringLiteral("path%1").arg(n));
        auto* browse = new QPushButton(Utf8("参照"), this);
        browse->setObjectName(QStringLiteral("browse%1").arg(n));
        m_previews[n] = new CIconStatic(this);
        m_previews[n]->setObjectName(QStringLiteral("preview%1").arg(n));
        m_names[n] = new QLineEdit(this);
        m_names[n]->setObjectName(QStringLiteral("defName%1").arg(n));
        grid->addWidget(m_paths[n], n + 1, 1);
        grid->addWidget(browse, n + 1, 2);
        grid->addWidget(m_previews[n], n + 1, 3);
        grid->addWidget(m_names[n], n + 1, 4);
        connect(m_paths[n], &QLineEdit::textChanged, this, [this, n](const QString& text) {
            m_model.m_strIconFile[n] = ToCp932(text);
            UpdatePreview(n);
            emit Changed();
        });
        connect(m_names[n], &QLineEdit::textEdited, this, [this, n](const QString& text) {
            m_model.m_strDefName[n] = ToCp932(text);
            emit Changed();
        });
        connect(browse, &QPushButton::clicked, this, [this, n] { Browse(n); });
    }

    auto* cycle = new QGroupBox(Utf8("ダブルクリックによりアイコンの遷移"), this);
    auto* boxes = new QHBoxLayout;
    for (int i = 0; i < 7; ++i) {
        m_cycle[i] = new QCheckBox(Utf8(kCycleTexts[i]), cycle);
        m_cycle[i]->setObjectName(QStringLiteral("cycle%1").arg(i));
        boxes->addWidget(m_cycle[i]);
        connect(m_cycle[i], &QCheckBox::clicked, this, [this, i](bool on) {
            m_model.m_bCycle[kCycleFlag[i]] = on ? 1 : 0;
            emit Changed();
        });
    }
    auto* cycleLayout = new QVBoxLayout(cycle);
    cycleLayout->addLayout(boxes);
    cycleLayout->addWidget(new QLabel(Utf8("順番は変更できません。"), cycle));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(cycle);
    layout->addStretch();
}

void COptionIcon::Init() {
    for (int n = 0; n < 5; ++n) {
        QSignalBlocker block(m_paths[n]);
        m_paths[n]->setText(FromCp932(m_model.m_strIconFile[n]));
        m_names[n]->setText(FromCp932(m_model.m_strDefName[n]));
        UpdatePreview(n);
    }
    for (int i = 0; i < 7; ++i)
        m_cycle[i]->setChecked(m_model.m_bCycle[kCycleFlag[i]] != 0);
}

void COptionIcon::UpdatePreview(int n) {
    m_previews[n]->SetIconFromFile(m_paths[n]->text(), 5 + n);
}

void COptionIcon::Browse(int n) {
    FileDialogRequest request;
    request.save = false;
    request.defaultExtension = "ico";
    request.initialName = ToCp932(m_paths[n]->text());
    request.filter = "Icon Files (*.ico)|*.ico|All Files (*.*)|*.*||";
    if (std::optional<std::string> path = m_model.doc().platform().fileDialogs.Run(request))
        m_paths[n]->setText(QString::fromStdString(*path));
}

} // namespace kardel::gui
