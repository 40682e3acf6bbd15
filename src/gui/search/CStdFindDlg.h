#pragma once
#include <QDialog>

class QTreeWidget;

namespace kardel {
class CDocOptions;
}

namespace kardel::gui {

// "標準検索選択ダイアログ": picks one of the five standard searches. Keys 1 to 5 of
// the main keyboard pick a row and accept at once; so does a double click on a row.
class CStdFindDlg : public QDialog {
    Q_OBJECT
public:
    CStdFindDlg(const CDocOptions& options, int lastChosen, QWidget* parent = nullptr);

    // 1 to 5, or 0 when no row is selected.
    int ChosenNumber() const;
    QTreeWidget* List() const { return m_list; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool PickByKey(QKeyEvent* event);
    int SelectedRow() const;

    QTreeWidget* m_list;
};

} // namespace kardel::gui
