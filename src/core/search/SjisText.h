#pragma once
#include <string>
#include <string_view>

namespace kardel {

// Shift-JIS text as the search and the lists see it: a character is one byte, or
// a lead byte and its trail byte worth lead * 256 + trail. A lead byte with
// nothing after it counts as a character of its own.
class SjisText {
public:
    // -1, 0 or 1: the first differing character decides by value; a prefix is smaller.
    static int Compare(std::string_view a, std::string_view b);

    // Byte offset of the first occurrence of `needle` that starts on a character
    // boundary, or npos. An empty needle occurs at 0 in every non-empty text and
    // nowhere in an empty one.
    static size_t Find(std::string_view text, std::string_view needle);
    static bool Contains(std::string_view text, std::string_view needle) {
        return Find(text, needle) != std::string_view::npos;
    }

    // Whether `text` begins with `prefix`, capital and small letters alike: ASCII and
    // full-width Latin ones. Other characters, trail bytes among them, match only
    // themselves. Typing an item's first letters finds it this way.
    static bool StartsWithFoldingCase(std::string_view text, std::string_view prefix);

    // Replaces every occurrence on a character boundary, left to right.
    static std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
};

} // namespace kardel
