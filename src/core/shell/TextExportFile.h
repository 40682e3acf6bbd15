#pragma once
#include "core/base/FileResult.h"

#include <functional>
#include <string>
#include <string_view>

namespace kardel {

class CKardelDoc;
class IOutput;

// Text files the exports write: cp932 as held, no byte-order mark.
namespace text_export {

// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"
const std::string& TextFilter();

// Writes text as a file opened in text mode receives it: every line feed
// becomes CR LF. `Output` is an IOutput, or one of its final kinds whose writes inline.
template <class Output> bool WriteTextMode(Output& out, std::string_view text) {
    size_t start = 0;
    for (size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
        out.Put(text.substr(start, lf - start));
        out.Put("\r\n");
        start = lf + 1;
    }
    return out.Put(text.substr(start));
}

// Asks for a file name with the export's save dialog; empty when cancelled.
std::string AskSavePath(CKardelDoc& doc, const std::string& initialName);

// Refuses to write an export over the file of the document it is made from, under its
// name (even while no file is there) or any other name of the file: the text would replace
// the outline. A document without a file refuses nothing.
FileResult RefuseOverDocument(const CKardelDoc& doc, const std::string& path);

// Writes an export of `doc` safely as `produce` makes it (temporary file, then rename),
// after RefuseOverDocument; an existing file stays as it was on any failure.
FileResult WriteExportFile(const CKardelDoc& doc, const std::string& path,
                           const std::function<bool(IOutput&)>& produce);

// Writes the file as WriteExportFile does. A failure is shown with the file error wording and leaves any existing file
// as it was.
bool WriteOrReport(CKardelDoc& doc, const std::string& path, const std::function<bool(IOutput&)>& produce);

} // namespace text_export
} // namespace kardel
