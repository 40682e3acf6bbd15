#include "gui/search/CStdFindDlg.h"

#include "core/search/StdFindChoice.h"
#include "gui/common/Cp932Text.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kardel::gui {

CStdFindDlg::CStdFindDlg(const CDocOptions& options, int lastChosen, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Utf8("標準検索選択ダイアログ"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setHeaderLabels({Utf8("番号"), Utf8("検索名称")});
    m_list->headerItem()->setTextAlignment(0, Qt::AlignCenter);
    m_list->setColumnWidth(0, 40);
    m_list->setColumnWidth(1, 205);
    for (int row = 0; row < StdFindChoice::kRows; ++row) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, QString::fromStdString(StdFindChoice::NumberText(row)));
        item->setTextAlignment(0, Qt::AlignCenter);
        item->setText(1, FromCp932(StdFindChoice::NameText(options, row)));
    }
    int preselected = StdFindChoice::PreselectedRow(lastChosen);
    if (preselected >= 0)
        m_list->setCurrentItem(m_list->topLevelItem(preselected));
    m_list->installEventFilter(this);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (SelectedRow() >= 0)
            accept();
    });

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("ok"));
    buttons->addButton(Utf8("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    m_list->setFocus();
}

int CStdFindDlg::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.first());
}

int CStdFindDlg::ChosenNumber() const {
    return StdFindChoice::ChosenNumber(SelectedRow());
}

bool CStdFindDlg::PickByKey(QKeyEvent* event) {
    // The numeric pad's digits are not choices.
    if (event->modifiers() & Qt::KeypadModifier || event->key() < Qt::Key_0 || event->key() > Qt::Key_9)
        return false;
    std::optional<int> row = StdFindChoice::RowForKey(static_cast<char>('0' + (event->key() - Qt::Key_0)));
    if (!row)
        return false;
    m_list->setCurrentItem(m_list->topLevelItem(*row));
    accept();
    return true;
}

bool CStdFindDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress && PickByKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void CStdFindDlg::keyPressEvent(QKeyEvent* event) {
    if (!PickByKey(event))
        QDialog::keyPressEvent(event);
}

} // namespace kardel::gui
