#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace kardel {

// Text held in 16 bytes, half of a std::string, for the fields a million records each carry
// and most leave short or empty: empty text holds no memory, other text exactly its bytes.
// It reads as a std::string_view and is assigned from any text; it has no spare room, so
// text that grows a little at a time should be built elsewhere.
class CompactString {
public:
    CompactString() = default;
    CompactString(std::string_view text) { Assign(text); }
    CompactString(const CompactString& other) { Assign(other); }
    CompactString(CompactString&& other) noexcept : m_data(other.m_data), m_size(other.m_size) {
        other.m_data = nullptr;
        other.m_size = 0;
    }
    ~CompactString() { delete[] m_data; }

    CompactString& operator=(const CompactString& other) {
        if (this != &other)
            Assign(other);
        return *this;
    }
    CompactString& operator=(CompactString&& other) noexcept {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        return *this;
    }
    CompactString& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }
    CompactString& operator+=(std::string_view more);

    operator std::string_view() const { return view(); }
    std::string_view view() const { return std::string_view(m_data ? m_data : "", m_size); }
    std::string str() const { return std::string(view()); }
    const char* data() const { return view().data(); }
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    void clear() { Assign({}); }
    size_t find(std::string_view needle, size_t from = 0) const { return view().find(needle, from); }

    friend bool operator==(const CompactString& a, std::string_view b) { return a.view() == b; }

private:
    // Keeps `text`, which may lie inside this string's own bytes.
    void Assign(std::string_view text);

    char* m_data = nullptr;
    size_t m_size = 0;
};

} // namespace kardel
