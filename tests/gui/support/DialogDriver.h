#pragma once
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <functional>

// Plays the user of a modal dialog: once a dialog of type T is the active modal
// window, `script` runs on it (and should end it). A dialog the script leaves
// open is cancelled after a few seconds so that a failing test cannot hang.
template <typename T> void WhenModal(std::function<void(T*)> script) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, script] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        script(dialog);
        QTimer::singleShot(3000, dialog, [dialog] {
            if (dialog->isVisible())
                dialog->reject();
        });
    });
    timer->start();
}

// The named button inside `parent`; clicking it as the user would.
inline void Click(QWidget* parent, const char* name) {
    if (auto* button = parent->findChild<QAbstractButton*>(QLatin1String(name)))
        button->click();
    else
        qWarning("no button %s", name);
}
