#include "core/search/SjisText.h"

#include "core/base/Cp932Codec.h"

#include <algorithm>
#include <cstring>

namespace kardel {
namespace {

// Value of the character at pos and its width; pos < text.size().
inline unsigned CharAt(std::string_view text, size_t pos, size_t& width) {
    auto lead = static_cast<unsigned char>(text[pos]);
    if (Cp932Codec::IsLeadByte(lead) && pos + 1 < text.size()) {
        width = 2;
        return lead * 256u + static_cast<unsigned char>(text[pos + 1]);
    }
    width = 1;
    return lead;
}

// The small letter for a capital one, ASCII or full-width Latin; other characters as they are.
inline unsigned SmallLetter(unsigned c) {
    if (c >= 'A' && c <= 'Z')
        return c + ('a' - 'A');
    if (c >= 0x8260 && c <= 0x8279) // full-width A to Z
        return c + (0x8281 - 0x8260);
    return c;
}

} // namespace

bool SjisText::StartsWithFoldingCase(std::string_view text, std::string_view prefix) {
    size_t at = 0;
    while (at < prefix.size()) {
        if (at >= text.size())
            return false;
        size_t textWidth = 1, prefixWidth = 1;
        if (SmallLetter(CharAt(text, at, textWidth)) != SmallLetter(CharAt(prefix, at, prefixWidth)) ||
            textWidth != prefixWidth)
            return false;
        at += textWidth;
    }
    return true;
}

int SjisText::Compare(std::string_view a, std::string_view b) {
    // The bytes before the first difference are the same in both texts, so they
    // split into the same characters; only the character holding the difference
    // needs decoding. A byte prefix is always the smaller text: its last
    // character is either shared or a lone lead byte, worth less than any pair.
    size_t n = std::min(a.size(), b.size());
    size_t d = static_cast<size_t>(
        std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(n), b.begin()).first - a.begin());
    if (d == n)
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    size_t start = d;
    while (start > 0 && Cp932Codec::IsLeadByte(static_cast<unsigned char>(a[start - 1])))
        --start;
    if ((d - start) % 2 == 1) // d is the trail byte of a pair whose lead both texts share
        return static_cast<unsigned char>(a[d]) < static_cast<unsigned char>(b[d]) ? -1 : 1;
    size_t wa = 1, wb = 1;
    unsigned ca = CharAt(a, d, wa);
    unsigned cb = CharAt(b, d, wb);
    if (ca != cb)
        return ca < cb ? -1 : 1;
    // Same value from different bytes cannot happen; keep the order total anyway.
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

size_t SjisText::Find(std::string_view text, std::string_view needle) {
    if (needle.empty())
        return text.empty() ? std::string_view::npos : 0;
    if (needle.size() > text.size())
        return std::string_view::npos;
    // memmem proposes candidates; each is checked against the last position known
    // to be a character boundary, never against the start of the text. Bytes that
    // cannot lead a character end one, so the check walks back from the candidate
    // only over lead-byte values, and never past the known boundary: an even run
    // of them ending at the candidate means the candidate starts a character.
    const auto* base = reinterpret_cast<const unsigned char*>(text.data());
    size_t known = 0; // a character boundary at or before every later candidate
    size_t from = 0;
    while (from + needle.size() <= text.size()) {
        const void* hit = ::memmem(base + from, text.size() - from, needle.data(), needle.size());
        if (!hit)
            return std::string_view::npos;
        size_t pos = static_cast<size_t>(static_cast<const unsigned char*>(hit) - base);
        size_t start = pos;
        while (start > known && Cp932Codec::IsLeadByte(base[start - 1]))
            --start;
        if ((pos - start) % 2 == 0)
            return pos;
        known = pos + 1; // pos is a trail byte, so the next byte starts a character
        from = pos + 1;
    }
    return std::string_view::npos;
}

std::string SjisText::ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    if (from.empty())
        return std::string(text);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t hit = Find(text.substr(pos), from);
        if (hit == std::string_view::npos)
            break;
        result.append(text.substr(pos, hit));
        result.append(to);
        pos += hit + from.size();
    }
    result.append(text.substr(std::min(pos, text.size())));
    return result;
}

} // namespace kardel
