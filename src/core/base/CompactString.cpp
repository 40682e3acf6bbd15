#include "core/base/CompactString.h"

#include "core/base/TextBlock.h"

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

void CompactString::Replace(std::string_view first, std::string_view second) {
    char built[16];
    Build(built, first, second); // before releasing: the text may be this string's own
    Release();
    std::memcpy(m_bytes, built, sizeof m_bytes);
}

static_assert(TextBlock::kBytes <= (size_t(1) << 24));

void CompactString::AssignShared(std::string_view text, TextBlockWriter& blocks) {
    if (text.size() <= kMaxInline || text.size() > TextBlockWriter::kMaxShared) {
        Assign(text);
        return;
    }
    std::uint32_t offset = 0;
    char* data = blocks.Place(text, offset); // before releasing: the text may be this string's own
    Release();
    const auto size = static_cast<std::uint32_t>(text.size());
    std::memcpy(m_bytes, &data, sizeof data);
    std::memcpy(m_bytes + 8, &size, sizeof size);
    std::memcpy(m_bytes + 12, &offset, 3);
    m_bytes[15] = static_cast<char>(kSharedTag);
}

void CompactString::ReleaseShared() {
    std::uint32_t offset = 0;
    std::memcpy(&offset, m_bytes + 12, 3);
    TextBlock::Release(reinterpret_cast<TextBlock*>(HeapData() - offset));
}

CompactString& CompactString::operator+=(std::string_view more) {
    if (more.empty())
        return *this;
    Replace(view(), more);
    return *this;
}

} // namespace kardel
