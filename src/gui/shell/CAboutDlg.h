#pragma once
#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;

namespace kardel::gui {

class LinkLabel;

// "Kardelのﾊﾞｰｼﾞｮﾝ情報": the program's version and two links, both into the bundled
// help page (the program has no web site or mail address of its own).
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // How a clicked link is opened; the desktop's services unless a test replaces it.
    static std::function<void(const QUrl&)>& UrlOpener();

    QLabel* VersionLabel() const { return m_version; }

private:
    QLabel* m_version;
};

} // namespace kardel::gui
