#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

namespace kardel {

// The program's own texts, written here in UTF-8 for readability and handed to
// the core as the cp932 bytes it works with. Each is converted once.
const std::string& Sjis(const char* utf8Literal);

// The text with "%1", "%2"… each replaced by the value of that number (cp932 texts).
std::string Fill(std::string pattern, std::initializer_list<std::string_view> values);

namespace texts {
inline const std::string& Untitled() { return Sjis("無題"); }
inline const std::string& TrashTitle() { return Sjis("ごみ箱"); }
inline const std::string& NewMemoTitle() { return Sjis("名称未決定"); }
inline const std::string& Undefined() { return Sjis("未定義"); }
inline const std::string& BadFileFormat() { return Sjis("予期しないﾌｧｲﾙ形式です。"); }
// %1: the printer's name, or the file a printer writes.
inline const std::string& CannotPrintTo() { return Sjis("%1 に印刷できませんでした。"); }
// The file dialogs' filter for documents.
inline const std::string& DocumentFilter() { return Sjis("Kardel ﾌｧｲﾙ (*.kdl)|*.kdl|すべてのﾌｧｲﾙ (*.*)|*.*||"); }
} // namespace texts

} // namespace kardel
