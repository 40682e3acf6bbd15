#include "gui/shell/TextFindDialog.h"

#include "gui/common/Cp932Text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

namespace kardel::gui {

TextFindDialog::TextFindDialog(QPlainTextEdit* edit, QWidget* parent) : QDialog(parent), m_edit(edit) {
    setObjectName("textFindDialog");
    auto* grid = new QGridLayout(this);
    m_find = new QLineEdit(this);
    m_replace = new QLineEdit(this);
    m_replaceLabel = new QLabel(Utf8("置換後の文字列(&P):"), this);
    m_replaceLabel->setBuddy(m_replace);
    auto* findLabel = new QLabel(Utf8("検索する文字列(&N):"), this);
    findLabel->setBuddy(m_find);
    m_case = new QCheckBox(Utf8("大文字と小文字を区別する(&C)"), this);
    m_up = new QCheckBox(Utf8("上へ検索(&U)"), this);
    auto* next = new QPushButton(Utf8("次を検索(&F)"), this);
    next->setDefault(true);
    m_replaceButton = new QPushButton(Utf8("置換して次に(&R)"), this);
    m_replaceAllButton = new QPushButton(Utf8("すべて置換(&A)"), this);
    auto* close = new QPushButton(Utf8("キャンセル"), this);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(m_find, 0, 1);
    grid->addWidget(next, 0, 2);
    grid->addWidget(m_replaceLabel, 1, 0);
    grid->addWidget(m_replace, 1, 1);
    grid->addWidget(m_replaceButton, 1, 2);
    grid->addWidget(m_case, 2, 0, 1, 2);
    grid->addWidget(m_replaceAllButton, 2, 2);
    grid->addWidget(m_up, 3, 0, 1, 2);
    grid->addWidget(close, 3, 2);
    connect(next, &QPushButton::clicked, this, &TextFindDialog::FindNext);
    connect(m_replaceButton, &QPushButton::clicked, this, &TextFindDialog::ReplaceOne);
    connect(m_replaceAllButton, &QPushButton::clicked, this, &TextFindDialog::ReplaceAll);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
}

void TextFindDialog::Open(bool replace) {
    setWindowTitle(replace ? Utf8("置換") : Utf8("検索"));
    for (QWidget* w : {static_cast<QWidget*>(m_replace), static_cast<QWidget*>(m_replaceLabel),
                       static_cast<QWidget*>(m_replaceButton), static_cast<QWidget*>(m_replaceAllButton)})
        w->setVisible(replace);
    m_up->setVisible(!replace);
    if (m_edit->textCursor().hasSelection())
        m_find->setText(m_edit->textCursor().selectedText());
    show();
    raise();
    activateWindow();
    m_find->setFocus();
}

bool TextFindDialog::FindNext() {
    if (m_find->text().isEmpty())
        return false;
    QTextDocument::FindFlags flags;
    if (m_case->isChecked())
        flags |= QTextDocument::FindCaseSensitively;
    if (m_up->isVisible() && m_up->isChecked())
        flags |= QTextDocument::FindBackward;
    return m_edit->find(m_find->text(), flags);
}

void TextFindDialog::ReplaceOne() {
    QTextCursor cursor = m_edit->textCursor();
    Qt::CaseSensitivity cs = m_case->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (cursor.hasSelection() && cursor.selectedText().compare(m_find->text(), cs) == 0)
        cursor.insertText(m_replace->text());
    FindNext();
}

int TextFindDialog::ReplaceAll() {
    if (m_find->text().isEmpty())
        return 0;
    QTextCursor cursor = m_edit->textCursor();
    cursor.movePosition(QTextCursor::Start);
    m_edit->setTextCursor(cursor);
    int count = 0;
    QTextCursor edit = m_edit->textCursor();
    edit.beginEditBlock();
    while (FindNext()) {
        m_edit->textCursor().insertText(m_replace->text());
        ++count;
    }
    edit.endEditBlock();
    return count;
}

} // namespace kardel::gui
