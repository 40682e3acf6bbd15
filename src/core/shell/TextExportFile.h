#pragma once
#include <string>
#include <string_view>

namespace kardel {

class CKardelDoc;

// Text files the exports write: cp932 as held, no byte-order mark.
namespace text_export {

// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"
const std::string& TextFilter();

// Appends text as a file opened in text mode receives it: every line feed
// becomes CR LF.
void AppendTextMode(std::string& out, std::string_view text);

// Asks for a file name with the export's save dialog; empty when cancelled.
std::string AskSavePath(CKardelDoc& doc, const std::string& initialName);

// Writes the bytes safely (temporary file, then rename). A failure is shown with
// the file error wording and leaves any existing file as it was.
bool WriteOrReport(CKardelDoc& doc, const std::string& path, const std::string& bytes);

} // namespace text_export
} // namespace kardel
