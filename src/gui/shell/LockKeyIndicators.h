#pragma once
#include <QObject>

class QLabel;
class QStatusBar;

namespace kardel::gui {

// The status bar's keyboard indicators "ｶﾅ", "CAP", "NUM" and "SCRL": each shows its
// text while its lock is on and stays blank (keeping its width) while it is off.
// The states are read from the X keyboard extension after every key event; on a
// platform without it the indicators stay blank.
class LockKeyIndicators : public QObject {
    Q_OBJECT
public:
    explicit LockKeyIndicators(QStatusBar* bar);

    // The lock states as last read: kana, caps, num, scroll.
    bool IsShown(int indicator) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refresh();

    static constexpr int kCount = 4;
    QLabel* m_labels[kCount] = {};
};

} // namespace kardel::gui
