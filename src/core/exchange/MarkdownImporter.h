#pragma once
#include "core/exchange/ImportedOutline.h"

#include <string>
#include <string_view>

namespace kardel {

// Reads Markdown with md4c into an ImportedOutline: headings and list items make
// the outline (a heading below the nearest heading of a smaller level, a list
// item below the heading or item it stands in), the first paragraph of a list
// item is its title, and every other block up to the next outline item is the
// body, as text. The comment line the Markdown export writes after a title gives
// the memo its kind and dates back. Text before the first heading becomes a memo
// of its own.
class MarkdownImporter {
public:
    static constexpr size_t kMaxBytes = 64u << 20;
    static constexpr size_t kMaxItems = 2'000'000;

    // False when the text cannot be read; Error() says why (cp932).
    bool Parse(std::string_view utf8);
    const std::string& Error() const { return m_error; }
    // The message for a file over kMaxBytes (cp932).
    static std::string TooLargeError();
    ImportedOutline& Outline() { return m_outline; }

private:
    struct Callbacks;
    ImportedOutline m_outline;
    std::string m_error;
};

// Reads "<!-- kardel: kind=4 created=... -->" into fields; false for any other text.
bool ParseMarkdownMetadata(std::string_view text, ImportedFields& fields);

} // namespace kardel
