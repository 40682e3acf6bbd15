#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace kardel {

// A title as the panes and the caption show it (cp932). A title of more than kMaxChars
// characters (a double-byte character counts as one) is cut after kMaxChars of them and
// ends with "…"; the memo itself keeps its whole title. Only the part shown is read, so a
// title of any length costs the same.
class ShownTitle {
public:
    static constexpr std::size_t kMaxChars = 256;
    static std::string Cut(std::string_view title);
};

} // namespace kardel
