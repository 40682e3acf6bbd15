#include "core/shell/TextExportFile.h"

#include "core/base/Cp932Codec.h"
#include "core/base/FileSystem.h"
#include "core/base/Platform.h"
#include "core/base/SafeFile.h"
#include "core/base/Texts.h"
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

FileResult RefuseOverDocument(const CKardelDoc& doc, const std::string& path) {
    // The name alone counts too: the file may be gone for a while, and the document's
    // next save would then ask about a text in its place.
    if (doc.m_strPathName.empty() || (path != doc.m_strPathName && !IsSameFile(path, doc.m_strPathName)))
        return FileResult::Success();
    return FileResult::Failure(
        Fill(Sjis("%1 は出力元のﾄﾞｷｭﾒﾝﾄ自身のため、書き込めません。"), {Cp932Codec::FromUtf8(path).text}));
}

FileResult WriteExportFile(const CKardelDoc& doc, const std::string& path,
                           const std::function<bool(IOutput&)>& produce) {
    FileResult refused = RefuseOverDocument(doc, path);
    return refused.ok ? WriteFileSafely(path, produce) : refused;
}

bool WriteOrReport(CKardelDoc& doc, const std::string& path, const std::function<bool(IOutput&)>& produce) {
    FileResult result = WriteExportFile(doc, path, produce);
    if (!result.ok)
        doc.platform().messages.ShowError(result.message);
    return result.ok;
}

} // namespace kardel::text_export
