#include "core/base/CompactString.h"

#include <new>

namespace kardel {

void CompactString::Build(char (&bytes)[16], std::string_view first, std::string_view second) {
    const size_t size = first.size() + second.size();
    std::memset(bytes, 0, sizeof bytes);
    if (size == 0)
        return;
    char* target = bytes;
    if (size <= kMaxInline) {
        bytes[15] = static_cast<char>(kInlineTag | size);
    } else {
        if (size >> 56)
            throw std::bad_alloc();
        target = new char[size];
        std::memcpy(bytes, &target, sizeof target);
        std::memcpy(bytes + 8, &size, sizeof size);
    }
    if (!first.empty())
        std::memcpy(target, first.data(), first.size());
    if (!second.empty())
        std::memcpy(target + first.size(), second.data(), second.size());
}

void CompactString::Assign(std::string_view text) {
    char built[16];
    Build(built, text, {}); // before releasing: the text may be this string's own
    Release();
    std::memcpy(m_bytes, built, sizeof m_bytes);
}

CompactString& CompactString::operator+=(std::string_view more) {
    if (more.empty())
        return *this;
    char built[16];
    Build(built, view(), more);
    Release();
    std::memcpy(m_bytes, built, sizeof m_bytes);
    return *this;
}

} // namespace kardel
