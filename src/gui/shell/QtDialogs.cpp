#include "gui/shell/QtDialogs.h"

#include "core/model/CKardelDoc.h"
#include "core/search/FindSheetModel.h"
#include "core/shell/OptionsSheetModel.h"
#include "gui/common/Cp932Text.h"
#include "gui/common/IconList.h"
#include "gui/search/CStdFindDlg.h"
#include "gui/search/FindSheet.h"
#include "gui/shell/CAboutDlg.h"
#include "gui/shell/CExportFileDlg.h"
#include "gui/shell/OptionsSheet.h"
#include "gui/tree/CMemoPropDlg.h"

namespace kardel::gui {

QtDialogs::QtDialogs(QWidget* parent) : m_parent(parent) {}

bool QtDialogs::MemoProperties(MemoPropValues& values, const CDocOptions& options) {
    CMemoPropDlg dialog(values, options, IconList::Instance(), m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.Values();
    return true;
}

// The sheets are named after the dialogs they show, so inside these functions their
// class names need the namespace.
bool QtDialogs::FindSheet(CFindCondition& target, const CDocOptions& options, bool restrictedScope) {
    FindSheetModel model(target, options, restrictedScope);
    gui::FindSheet sheet(model, options, m_parent);
    sheet.onApply = [&model, &target] { model.ApplyShown(target); };
    return sheet.exec() == QDialog::Accepted;
}

std::optional<int> QtDialogs::StdFindChoice(const CDocOptions& options, int lastChosen) {
    CStdFindDlg dialog(options, lastChosen, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.ChosenNumber();
}

std::optional<SubtreeExportChoice> QtDialogs::SubtreeExport(const std::string& initialName, bool titleOnly,
                                                            bool viewOnly) {
    CExportFileDlg dialog(FromCp932(initialName), titleOnly, viewOnly, m_parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return SubtreeExportChoice{dialog.selectedFiles().first().toStdString(), dialog.TitleOnly(), dialog.ViewOnly()};
}

bool QtDialogs::OptionsSheet(CKardelDoc& doc) {
    OptionsSheetModel model(doc);
    gui::OptionsSheet sheet(model, m_parent);
    return sheet.exec() == QDialog::Accepted;
}

void QtDialogs::AboutBox() {
    CAboutDlg dialog(m_parent);
    dialog.exec();
}

} // namespace kardel::gui
