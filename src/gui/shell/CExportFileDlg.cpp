#include "gui/shell/CExportFileDlg.h"

#include "gui/common/Cp932Text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>

namespace kardel::gui {

CExportFileDlg::CExportFileDlg(const QString& initialName, bool titleOnly, bool viewOnly, QWidget* parent)
    : QFileDialog(parent) {
    // The platform's own dialog cannot carry extra controls.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setDefaultSuffix(QStringLiteral("txt"));
    setNameFilters({QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*.*)")});
    selectFile(initialName);

    auto* extra = new QWidget(this);
    auto* row = new QHBoxLayout(extra);
    row->setContentsMargins(0, 0, 0, 0);
    m_titleOnly = new QCheckBox(Utf8("タイトルのみ書き出す"), extra);
    m_titleOnly->setObjectName(QStringLiteral("titleOnly"));
    m_titleOnly->setChecked(titleOnly);
    m_viewOnly = new QCheckBox(Utf8("表示しているMemoのみを書き出す"), extra);
    m_viewOnly->setObjectName(QStringLiteral("viewOnly"));
    m_viewOnly->setChecked(viewOnly);
    row->addWidget(m_titleOnly);
    row->addWidget(m_viewOnly);
    row->addStretch();
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(extra, grid->rowCount(), 0, 1, grid->columnCount());
}

bool CExportFileDlg::TitleOnly() const {
    return m_titleOnly->isChecked();
}
bool CExportFileDlg::ViewOnly() const {
    return m_viewOnly->isChecked();
}

} // namespace kardel::gui
