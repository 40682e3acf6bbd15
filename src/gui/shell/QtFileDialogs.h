#pragma once
#include "shell/Platform.h"

#include <QString>

class QWidget;

namespace kardel::gui {

// The toolkit's open and save dialogs, from the program's "name|pattern|...||" filters.
class QtFileDialogs : public IFileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    std::optional<std::string> Run(const FileDialogRequest& request) override;

    // "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||" -> "Text Files (*.txt);;All Files (*)"
    static QString ToQtFilter(const std::string& filter);

private:
    QWidget* m_parent;
};

} // namespace kardel::gui
