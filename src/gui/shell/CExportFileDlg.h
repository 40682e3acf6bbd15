#pragma once
#include <QFileDialog>

class QCheckBox;

namespace kardel::gui {

// The subtree export's save dialog: the file dialog with the two check boxes
// "タイトルのみ書き出す" and "表示しているMemoのみを書き出す" below it.
class CExportFileDlg : public QFileDialog {
    Q_OBJECT
public:
    CExportFileDlg(const QString& initialName, bool titleOnly, bool viewOnly, QWidget* parent = nullptr);

    bool TitleOnly() const;
    bool ViewOnly() const;
    QCheckBox* TitleOnlyBox() const { return m_titleOnly; }
    QCheckBox* ViewOnlyBox() const { return m_viewOnly; }

private:
    QCheckBox* m_titleOnly;
    QCheckBox* m_viewOnly;
};

} // namespace kardel::gui
