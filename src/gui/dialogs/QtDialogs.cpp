#include "dialogs/QtDialogs.h"

#include "Cp932Text.h"
#include "IconList.h"
#include "dialogs/CAboutDlg.h"
#include "dialogs/CExportFileDlg.h"
#include "dialogs/CFindSheet.h"
#include "dialogs/CMemoPropDlg.h"
#include "dialogs/COptionsSheet.h"
#include "dialogs/CStdFindDlg.h"
#include "model/CKardelDoc.h"
#include "search/CFindSheetModel.h"
#include "shell/COptionsSheetModel.h"

namespace kardel::gui {

QtDialogs::QtDialogs(QWidget* parent) : m_parent(parent) {}

bool QtDialogs::MemoProperties(MemoPropValues& values, const CDocOptions& options) {
    CMemoPropDlg dialog(values, options, IconList::Instance(), m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.Values();
    return true;
}

bool QtDialogs::FindSheet(CFindCondition& target, const CDocOptions& options, bool restrictedScope) {
    CFindSheetModel model(target, options, restrictedScope);
    CFindSheet sheet(model, options, m_parent);
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
    COptionsSheetModel model(doc);
    COptionsSheet sheet(model, m_parent);
    return sheet.exec() == QDialog::Accepted;
}

void QtDialogs::AboutBox() {
    CAboutDlg dialog(m_parent);
    dialog.exec();
}

} // namespace kardel::gui
