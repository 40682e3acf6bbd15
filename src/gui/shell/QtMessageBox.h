#pragma once
#include "core/base/Platform.h"

class QWidget;

namespace kardel::gui {

// Message boxes titled "Kardel" with the toolkit's (translated) Japanese buttons.
class QtMessageBox : public IMessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    Answer AskYesNo(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ShowInfo(const std::string& text) override;

private:
    QWidget* m_parent;
};

} // namespace kardel::gui
