#include "gui/shell/QtMessageBox.h"

#include "gui/common/Cp932Text.h"

#include <QMessageBox>

namespace kardel::gui {
namespace {

IMessageBox::Answer ToAnswer(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes:
        return IMessageBox::Answer::Yes;
    case QMessageBox::No:
        return IMessageBox::Answer::No;
    case QMessageBox::Ok:
        return IMessageBox::Answer::Ok;
    default:
        return IMessageBox::Answer::Cancel;
    }
}

} // namespace

IMessageBox::Answer QtMessageBox::AskYesNo(const std::string& text) {
    return ToAnswer(QMessageBox::question(m_parent, QStringLiteral("Kardel"), FromCp932(text),
                                          QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes));
}

IMessageBox::Answer QtMessageBox::AskYesNoCancel(const std::string& text) {
    return ToAnswer(QMessageBox::warning(m_parent, QStringLiteral("Kardel"), FromCp932(text),
                                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes));
}

void QtMessageBox::ShowError(const std::string& text) {
    QMessageBox::critical(m_parent, QStringLiteral("Kardel"), FromCp932(text));
}

void QtMessageBox::ShowInfo(const std::string& text) {
    QMessageBox::information(m_parent, QStringLiteral("Kardel"), FromCp932(text));
}

} // namespace kardel::gui
