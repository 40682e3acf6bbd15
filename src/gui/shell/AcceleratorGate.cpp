#include "gui/shell/AcceleratorGate.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

namespace kardel::gui {

AcceleratorGate::AcceleratorGate(QWidget* window, const QList<QAction*>& actions, QObject* parent)
    : QObject(parent), m_window(window) {
    for (QAction* action : actions)
        for (const QKeySequence& key : action->shortcuts())
            if (key.count() == 1)
                m_byKey.insert(key[0].toCombined(), action);
}

QAction* AcceleratorGate::ActionFor(const QKeyEvent& key) const {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return m_byKey.value(QKeyCombination(modifiers, Qt::Key(key.key())).toCombined());
}

bool AcceleratorGate::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != m_window || (exempt && exempt(widget)))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!ActionFor(*key))
        return false;
    if (type == QEvent::ShortcutOverride) {
        // No widget may claim the key for itself: it goes to the shortcut, which runs
        // the command if its rule allows it now.
        if (refresh)
            refresh();
        event->ignore();
        return true;
    }
    // The shortcut did not take the key, so its command is disabled: the key is spent.
    return true;
}

} // namespace kardel::gui
