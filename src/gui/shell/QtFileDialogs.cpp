#include "gui/shell/QtFileDialogs.h"

#include "core/shell/FileFilter.h"
#include "gui/common/Cp932Text.h"

#include <QFileDialog>

namespace kardel::gui {

QStringList QtFileDialogs::NameFilters(const std::string& filter) {
    QStringList filters;
    for (const FileFilterEntry& entry : ParseFileFilter(filter)) {
        QString name = FromCp932(entry.name);
        if (int paren = name.indexOf(QLatin1Char('(')); paren > 0)
            name = name.left(paren).trimmed();
        QStringList patterns;
        for (const std::string& pattern : entry.patterns)
            patterns << (pattern == "*.*" ? QStringLiteral("*") : FromCp932(pattern));
        filters << QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

std::optional<std::string> QtFileDialogs::Run(const FileDialogRequest& request) {
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setDefaultSuffix(FromCp932(request.defaultExtension));
    dialog.setNameFilters(NameFilters(request.filter));
    if (!request.initialName.empty())
        dialog.selectFile(FromCp932(request.initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

} // namespace kardel::gui
