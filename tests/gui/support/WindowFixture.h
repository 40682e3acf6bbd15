#pragma once
#include "gui/common/Cp932Text.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/QtSettingsStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

// One real main window over scripted message boxes, file dialogs, shell and dialogs,
// with the Qt settings store (each test program has its own configuration folder).
struct WindowFixture {
    kardel::gui::QtSettingsStore settings;
    kardel::HeadlessMessageBox messages;
    kardel::HeadlessFileDialogs fileDialogs;
    kardel::HeadlessShell shell;
    kardel::HeadlessDialogs dialogs;
    std::unique_ptr<kardel::gui::MainWindow> window;

    WindowFixture() {
        window = std::make_unique<kardel::gui::MainWindow>(
            kardel::gui::WindowServices{settings, messages, fileDialogs, shell, dialogs});
        // Nothing asks on close unless a test wants it to.
        messages.m_answer = kardel::IMessageBox::Answer::No;
    }
};

// A copy of the demo document in a folder of its own, so that no test writes to the source tree.
inline QString DemoPath() {
    static QTemporaryDir dir;
    const QString copy = dir.filePath("demo.kdl");
    QFile::remove(copy);
    QFile::copy(QStringLiteral(KARDEL_SOURCE_DIR "/res/demo/demo.kdl"), copy);
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

// The label the tree shows for `item`.
inline QString ItemLabel(kardel::gui::MainWindow& w, const kardel::TreeItem* item) {
    return kardel::gui::FromCp932(w.session().m_treeView.Tree().GetItemText(item));
}

// The first tree item (in pre-order) whose label is `title`, or nullptr.
inline kardel::TreeItem* ItemTitled(kardel::gui::MainWindow& w, const QString& title) {
    kardel::TreeItem* found = nullptr;
    w.session().m_treeView.Tree().ForEachItem([&](kardel::TreeItem* item) {
        if (!found && ItemLabel(w, item) == title)
            found = item;
    });
    return found;
}

// The window's action of command `id` (the menu's, not a popup's own).
inline QAction* ActionOf(kardel::gui::MainWindow& w, int id) {
    return w.findChild<QAction*>(kardel::gui::ActionRegistry::ObjectName(QStringLiteral("action"), id));
}
