#include "core/model/ShownTitle.h"

#include "core/base/Cp932Codec.h"

namespace kardel {

std::string ShownTitle::Cut(std::string_view title) {
    std::size_t at = 0;
    for (std::size_t chars = 0; chars < kMaxChars && at < title.size(); ++chars)
        at += Cp932Codec::IsLeadByte(static_cast<unsigned char>(title[at])) && at + 1 < title.size() ? 2 : 1;
    if (at >= title.size())
        return std::string(title);
    std::string shown(title.substr(0, at));
    shown += "\x81\x63"; // "…"
    return shown;
}

} // namespace kardel
