#include "core/shell/CKdEditView.h"

#include <algorithm>

namespace kardel {

void PlainEditControl::LoadText(const std::string& text) {
    m_text = text;
    m_selStart = m_selEnd = 0;
    m_undo.clear();
}

void PlainEditControl::Select(size_t start, size_t end) {
    m_selStart = std::min(start, m_text.size());
    m_selEnd = std::clamp(end, m_selStart, m_text.size());
}

std::string PlainEditControl::GetSelectedText() const {
    return m_text.substr(m_selStart, m_selEnd - m_selStart);
}

void PlainEditControl::ReplaceSelection(const std::string& text, bool undoable) {
    if (undoable)
        m_undo.push_back(m_text);
    m_text.replace(m_selStart, m_selEnd - m_selStart, text);
    m_selStart = m_selEnd = m_selStart + text.size();
}

void PlainEditControl::Run(Operation operation) {
    switch (operation) {
    case Operation::Undo:
        if (!m_undo.empty()) {
            m_text = m_undo.back();
            m_undo.pop_back();
            m_selStart = m_selEnd = std::min(m_selStart, m_text.size());
        }
        break;
    case Operation::Cut:
        m_clipboard = GetSelectedText();
        ReplaceSelection("", true);
        break;
    case Operation::Copy:
        m_clipboard = GetSelectedText();
        break;
    case Operation::Paste:
        ReplaceSelection(m_clipboard, true);
        break;
    case Operation::SelectAll:
        Select(0, m_text.size());
        break;
    case Operation::Find:
    case Operation::Replace:
    case Operation::Print:
        m_dialogsShown.push_back(operation);
        break;
    }
}

} // namespace kardel
