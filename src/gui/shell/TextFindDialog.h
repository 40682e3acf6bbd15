#pragma once
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QLabel;

namespace kardel::gui {

// Find and replace in MemoView's text: modeless, one dialog for both.
class TextFindDialog : public QDialog {
    Q_OBJECT
public:
    TextFindDialog(QPlainTextEdit* edit, QWidget* parent);
    void Open(bool replace);

    bool FindNext();
    void ReplaceOne();
    int ReplaceAll();

    QLineEdit* findEdit() const { return m_find; }
    QLineEdit* replaceEdit() const { return m_replace; }
    QCheckBox* caseBox() const { return m_case; }

private:
    QPlainTextEdit* m_edit;
    QLineEdit* m_find;
    QLineEdit* m_replace;
    QLabel* m_replaceLabel;
    QCheckBox* m_case;
    QCheckBox* m_up;
    QPushButton* m_replaceButton;
    QPushButton* m_replaceAllButton;
};

} // namespace kardel::gui
