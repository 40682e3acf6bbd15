#pragma once
#include <QDialog>

#include <functional>
#include <vector>

class QPushButton;
class QTabWidget;

namespace kardel::gui {

// A tabbed sheet with OK, ｷｬﾝｾﾙ and 適用. The owner tells it how to check a page
// being left, what to do when a page is shown for the first time, and how to
// apply; Apply is enabled by the first change a page reports and disabled again
// once applied.
class CPropertySheet : public QDialog {
    Q_OBJECT
public:
    CPropertySheet(const QString& caption, QWidget* parent);

    int AddPage(QWidget* page, const QString& title);
    void SetPageTitle(int index, const QString& title);
    QString PageTitle(int index) const;
    QTabWidget* Tabs() const { return m_tabs; }
    QPushButton* ApplyButton() const { return m_apply; }
    bool WasShown(int index) const { return index >= 0 && index < int(m_shown.size()) && m_shown[index]; }

    std::function<void(int)> onFirstShown; // the page becomes current for the first time
    std::function<bool(int)> onLeave;      // false keeps the sheet on that page
    std::function<void()> onApply;         // OK and 適用, after the current page was checked

public slots:
    void SetModified();
    void accept() override;
    // The 適用 button: true when the values were applied.
    bool Apply();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnCurrentChanged(int index);
    void ShowFirstTime(int index);
    void SetCurrentQuietly(int index);

    QTabWidget* m_tabs;
    QPushButton* m_apply;
    std::vector<bool> m_shown;
    int m_current = -1;
    bool m_switchingBack = false;
};

} // namespace kardel::gui
