#pragma once
#include <QHash>
#include <QObject>

#include <functional>

class QAction;
class QKeyEvent;
class QWidget;

namespace kardel::gui {

// The frame's accelerators take their keys before any pane sees them: a key of the
// command table runs its command when the command is enabled and goes nowhere when it
// is not, whichever pane of `window` has the focus. Installed on the application.
class AcceleratorGate : public QObject {
    Q_OBJECT
public:
    AcceleratorGate(QWidget* window, const QList<QAction*>& actions, QObject* parent = nullptr);

    // Called before a key is judged, so that the actions' states are current.
    std::function<void()> refresh;
    // Widgets whose keys are their own (an in-place editor), even inside the window.
    std::function<bool(QWidget*)> exempt;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* ActionFor(const QKeyEvent& key) const;

    QWidget* m_window;
    QHash<int, QAction*> m_byKey; // QKeyCombination::toCombined() -> action
};

} // namespace kardel::gui
