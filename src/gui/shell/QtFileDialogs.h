#pragma once
#include "core/base/Platform.h"

#include <QStringList>

class QWidget;

namespace kardel::gui {

// The open and save dialogs the rules ask for (import, exports, icon files).
class QtFileDialogs : public IFileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    std::optional<std::string> Run(const FileDialogRequest& request) override;

    // The request's filter as Qt's name filters; "*.*" means every file.
    static QStringList NameFilters(const std::string& filter);

private:
    QWidget* m_parent;
};

} // namespace kardel::gui
