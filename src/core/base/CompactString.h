#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kardel {

class TextBlockWriter;

// Text held in 16 bytes, half of a std::string, for the fields a million records each carry:
// text of up to 15 bytes sits in the object itself, longer text on the heap in exactly its
// bytes or, as a load reads it, in a TextBlock shared with other texts; empty text holds no
// memory. Copies and edits always take memory of their own. It reads as a std::string_view
// (which, as with a std::string, points into the object for short text) and is assigned
// from any text; it has no spare room, so text that grows a little at a time should be
// built elsewhere.
class CompactString {
public:
    CompactString() = default;
    CompactString(std::string_view text) { Assign(text); }
    CompactString(const CompactString& other) { Assign(other); }
    CompactString(CompactString&& other) noexcept {
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        std::memset(other.m_bytes, 0, sizeof other.m_bytes);
    }
    ~CompactString() { Release(); }

    CompactString& operator=(const CompactString& other) {
        if (this != &other)
            Assign(other);
        return *this;
    }
    CompactString& operator=(CompactString&& other) noexcept {
        char mine[sizeof m_bytes];
        std::memcpy(mine, m_bytes, sizeof m_bytes);
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        std::memcpy(other.m_bytes, mine, sizeof m_bytes);
        return *this;
    }
    CompactString& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }
    CompactString& operator+=(std::string_view more);
    // Keeps `text` in `blocks`, shared with the other texts placed there, when it fits one.
    void AssignShared(std::string_view text, TextBlockWriter& blocks);

    operator std::string_view() const { return view(); }
    std::string_view view() const {
        if (IsInline())
            return std::string_view(m_bytes, InlineSize());
        const char* data = HeapData();
        return std::string_view(data ? data : "", IsShared() ? SharedSize() : HeapSize());
    }
    std::string str() const { return std::string(view()); }
    const char* data() const { return view().data(); }
    size_t size() const { return IsInline() ? InlineSize() : IsShared() ? SharedSize() : HeapSize(); }
    bool empty() const { return size() == 0; }
    void clear() { Assign({}); }
    size_t find(std::string_view needle, size_t from = 0) const { return view().find(needle, from); }

    friend bool operator==(const CompactString& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const CompactString& a, const CompactString& b) { return a.view() == b.view(); }

private:
    // The last byte tells the three forms apart. Heap form: a pointer, then the size, whose
    // top byte (the last one on a little-endian machine) is 0 for any size that can exist.
    // Inline form: the text, then kInlineTag with the text's size in the last byte. Shared
    // form (text a load placed in a TextBlock): a pointer, the size in 32 bits, the text's
    // offset in its block in 24 bits, then kSharedTag.
    static_assert(std::endian::native == std::endian::little);
    static_assert(sizeof(char*) == 8 && sizeof(size_t) == 8);
    static constexpr size_t kMaxInline = 15;
    static constexpr unsigned char kInlineTag = 0x80;
    static constexpr unsigned char kSharedTag = 0x40;

    bool IsInline() const { return static_cast<unsigned char>(m_bytes[15]) & kInlineTag; }
    size_t InlineSize() const { return static_cast<unsigned char>(m_bytes[15]) & (kInlineTag - 1); }
    char* HeapData() const {
        char* data;
        std::memcpy(&data, m_bytes, sizeof data);
        return data;
    }
    size_t HeapSize() const {
        size_t size;
        std::memcpy(&size, m_bytes + 8, sizeof size);
        return size;
    }
    bool IsShared() const { return static_cast<unsigned char>(m_bytes[15]) == kSharedTag; }
    size_t SharedSize() const {
        std::uint32_t size;
        std::memcpy(&size, m_bytes + 8, sizeof size);
        return size;
    }
    void Release() {
        if (IsShared())
            ReleaseShared();
        else if (!IsInline())
            delete[] HeapData();
    }
    void ReleaseShared();
    // Keeps `text`, which may lie inside this string's own bytes.
    void Assign(std::string_view text) { Replace(text, {}); }
    // Keeps `first` followed by `second`, either of which may lie inside this string's bytes.
    void Replace(std::string_view first, std::string_view second);
    // Builds the form of `text` into `bytes`, taking heap memory for long text.
    static void Build(char (&bytes)[16], std::string_view first, std::string_view second);

    char m_bytes[16] = {};
};

} // namespace kardel
