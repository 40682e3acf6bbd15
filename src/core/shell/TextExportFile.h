#pragma once
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
// becomes CR LF.
bool WriteTextMode(IOutput& out, std::string_view text);

// Asks for a file name with the export's save dialog; empty when cancelled.
std::string AskSavePath(CKardelDoc& doc, const std::string& initialName);

// Writes the file safely as `produce` makes it (temporary file, then rename). A
// failure is shown with the file error wording and leaves any existing file as it was.
bool WriteOrReport(CKardelDoc& doc, const std::string& path, const std::function<bool(IOutput&)>& produce);

} // namespace text_export
} // namespace kardel
