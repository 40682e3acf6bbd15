#include "gui/common/CPropertySheet.h"

#include "gui/common/Cp932Text.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kardel::gui {

CPropertySheet::CPropertySheet(const QString& caption, QWidget* parent) : QDialog(parent) {
    setWindowTitle(caption);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(Utf8("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    m_apply = buttons->addButton(Utf8("適用"), QDialogButtonBox::ApplyRole);
    m_apply->setObjectName(QStringLiteral("apply"));
    m_apply->setEnabled(false);
    connect(ok, &QPushButton::clicked, this, &CPropertySheet::accept);
    connect(cancel, &QPushButton::clicked, this, &CPropertySheet::reject);
    connect(m_apply, &QPushButton::clicked, this, &CPropertySheet::Apply);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CPropertySheet::OnCurrentChanged);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

int CPropertySheet::AddPage(QWidget* page, const QString& title) {
    m_shown.push_back(false);
    QSignalBlocker block(m_tabs); // the first page is shown when the sheet opens
    return m_tabs->addTab(page, title);
}

void CPropertySheet::SetPageTitle(int index, const QString& title) {
    m_tabs->setTabText(index, title);
}
QString CPropertySheet::PageTitle(int index) const {
    return m_tabs->tabText(index);
}

void CPropertySheet::SetModified() {
    m_apply->setEnabled(true);
}

void CPropertySheet::showEvent(QShowEvent* event) {
    if (m_current < 0 && m_tabs->count() > 0)
        OnCurrentChanged(m_tabs->currentIndex());
    QDialog::showEvent(event);
}

void CPropertySheet::ShowFirstTime(int index) {
    if (index < 0 || index >= int(m_shown.size()) || m_shown[index])
        return;
    m_shown[index] = true;
    if (onFirstShown)
        onFirstShown(index);
}

void CPropertySheet::OnCurrentChanged(int index) {
    if (m_switchingBack)
        return;
    if (m_current >= 0 && m_current != index && onLeave) {
        // The tab widget has already switched, but nothing was painted yet: go back to the
        // page being left, so that it is what stays on screen while it is checked (and its
        // message is up), and show the target only once the check passed.
        SetCurrentQuietly(m_current);
        if (!onLeave(m_current))
            return;
        SetCurrentQuietly(index);
    }
    m_current = index;
    ShowFirstTime(index);
}

void CPropertySheet::SetCurrentQuietly(int index) {
    m_switchingBack = true;
    m_tabs->setCurrentIndex(index);
    m_switchingBack = false;
}

bool CPropertySheet::Apply() {
    if (m_current < 0)
        OnCurrentChanged(m_tabs->currentIndex());
    if (onLeave && !onLeave(m_current))
        return false;
    if (onApply)
        onApply();
    m_apply->setEnabled(false);
    return true;
}

void CPropertySheet::accept() {
    if (Apply())
        QDialog::accept();
}

} // namespace kardel::gui
