#include "gui/shell/SaveOptionsPage.h"

#include "core/model/BackupRotation.h"
#include "core/model/CKardelDoc.h"
#include "core/shell/OptionsSheetModel.h"
#include "gui/common/Cp932Text.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kardel::gui {

SaveOptionsPage::SaveOptionsPage(OptionsSheetModel& model, QWidget* parent) : OptionPage(model, parent) {
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(Utf8("保存時に残す以前の版の数(&B):"), this);
    auto* count = new QSpinBox(this);
    count->setObjectName("backupCount");
    count->setRange(0, BackupRotation::kMaxCount);
    count->setValue(model.m_backupCount);
    label->setBuddy(count);
    row->addWidget(label);
    row->addWidget(count);
    row->addStretch();
    layout->addLayout(row);
    auto* note = new QLabel(Utf8("0 にするとﾊﾞｯｸｱｯﾌﾟを作りません。"), this);
    layout->addWidget(note);
    const std::string& folder = model.doc().m_backupFolder;
    auto* where = new QLabel(
        Utf8("ﾊﾞｯｸｱｯﾌﾟの保存先:") + QLatin1Char('\n') +
            QDir::toNativeSeparators(QString::fromStdString(folder.empty() ? BackupRotation::DefaultFolder() : folder)),
        this);
    where->setObjectName("backupFolder");
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    where->setWordWrap(true);
    layout->addWidget(where);
    layout->addStretch();
    connect(count, &QSpinBox::valueChanged, this, [this](int value) {
        m_model.m_backupCount = value;
        emit Changed();
    });
}

} // namespace kardel::gui
