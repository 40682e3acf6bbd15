#include "core/shell/TextExportFile.h"

#include "core/base/Platform.h"
#include "core/base/SafeFile.h"
#include "core/model/CKardelDoc.h"

namespace kardel::text_export {

const std::string& TextFilter() {
    static const std::string filter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
    return filter;
}

std::string AskSavePath(CKardelDoc& doc, const std::string& initialName) {
    FileDialogRequest request;
    request.save = true;
    request.defaultExtension = "txt";
    request.initialName = initialName;
    request.filter = TextFilter();
    request.confirmOverwrite = true;
    std::optional<std::string> path = doc.platform().fileDialogs.Run(request);
    return path ? *path : std::string();
}

bool WriteOrReport(CKardelDoc& doc, const std::string& path, const std::function<bool(IOutput&)>& produce) {
    FileResult result = WriteFileSafely(path, produce);
    if (!result.ok)
        doc.platform().messages.ShowError(result.message);
    return result.ok;
}

} // namespace kardel::text_export
