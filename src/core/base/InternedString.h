#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace kardel {

// Text held in four bytes, for a field that a million records carry and few of them fill,
// most of those from a short list (a memo's selection item): every distinct text is kept
// once in the process, with a count of the strings holding it, and the last one to let go
// frees it. Reads as a std::string_view that stays valid while this string holds its text.
// Like any value type, one string is for one thread at a time; the table behind all of
// them may be used from any number of threads at once, and reading a text takes no lock.
class InternedString {
public:
    InternedString() = default;
    InternedString(std::string_view text) : m_id(Acquire(text)) {}
    InternedString(const InternedString& other) : m_id(other.m_id) { AddUser(m_id); }
    InternedString(InternedString&& other) noexcept : m_id(std::exchange(other.m_id, 0)) {}
    ~InternedString() { Release(m_id); }

    InternedString& operator=(const InternedString& other) {
        AddUser(other.m_id);
        Release(std::exchange(m_id, other.m_id));
        return *this;
    }
    InternedString& operator=(InternedString&& other) noexcept {
        std::swap(m_id, other.m_id);
        return *this;
    }
    InternedString& operator=(std::string_view text) {
        // Acquire first: the text may be this string's own.
        Release(std::exchange(m_id, Acquire(text)));
        return *this;
    }

    operator std::string_view() const { return view(); }
    std::string_view view() const { return m_id ? TextOf(m_id) : std::string_view(); }
    std::string str() const { return std::string(view()); }
    size_t size() const { return view().size(); }
    bool empty() const { return m_id == 0; }
    void clear() { Release(std::exchange(m_id, 0)); }

    friend bool operator==(const InternedString& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const InternedString& a, const InternedString& b) { return a.m_id == b.m_id; }

    // Distinct texts alive in the process.
    static size_t Live();

private:
    // 0 for empty text, which the table never holds.
    static std::uint32_t Acquire(std::string_view text);
    static void AddUser(std::uint32_t id);
    static void Release(std::uint32_t id) noexcept;
    static std::string_view TextOf(std::uint32_t id);

    std::uint32_t m_id = 0;
};

} // namespace kardel
