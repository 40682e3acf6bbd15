#include "core/base/Cp932Codec.h"

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace kardel {
namespace {

// Without a converter: ASCII passes, every other character of the input (one
// cp932 character, one UTF-8 sequence or one UTF-16 unit) becomes the replacement.
ConversionResult AsciiOnly(std::string_view input, size_t unitSize, std::string_view replacement) {
    ConversionResult result;
    size_t i = 0;
    while (i < input.size()) {
        auto byte = static_cast<unsigned char>(input[i]);
        if (unitSize == 2) {
            unsigned high = i + 1 < input.size() ? static_cast<unsigned char>(input[i + 1]) : 0xFF;
            i += 2;
            if (high == 0 && byte < 0x80) {
                result.text += static_cast<char>(byte);
                continue;
            }
            result.text.append(replacement);
            result.lossy = true;
            ++result.replaced;
            continue;
        }
        if (byte < 0x80) {
            result.text += static_cast<char>(byte);
            ++i;
            continue;
        }
        size_t skip = 1;
        if (unitSize == 0) {
            while (i + skip < input.size() && (static_cast<unsigned char>(input[i + skip]) & 0xC0) == 0x80)
                ++skip;
        } else if (Cp932Codec::IsLeadByte(byte) && i + 1 < input.size()) {
            skip = 2;
        }
        i += skip;
        result.text.append(replacement);
        result.lossy = true;
        ++result.replaced;
    }
    return result;
}

// iconv_open is costly (it loads the conversion tables), and exports and imports
// convert once per memo: each thread keeps one descriptor per direction.
class Descriptors {
public:
    ~Descriptors() {
        for (const Entry& e : m_entries)
            iconv_close(e.cd);
    }
    iconv_t Get(const char* to, const char* from) {
        for (const Entry& e : m_entries)
            if (e.to == to && e.from == from) {
                iconv(e.cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
                return e.cd;
            }
        iconv_t cd = iconv_open(to, from);
        if (cd == reinterpret_cast<iconv_t>(-1))
            return cd; // no converter: the caller falls back
        m_entries.push_back({to, from, cd});
        return cd;
    }

private:
    struct Entry {
        const char* to; // string literals: compared by address
        const char* from;
        iconv_t cd;
    };
    std::vector<Entry> m_entries;
};

// Converts with iconv, replacing every input unit that cannot be converted.
// `unitSize` is how many input bytes to skip on an invalid sequence; `replacement`
// is written to the output in its place (already in the target encoding).
ConversionResult Convert(const char* to, const char* from, std::string_view input, size_t unitSize,
                         std::string_view replacement) {
    thread_local Descriptors descriptors;
    iconv_t cd = descriptors.Get(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return AsciiOnly(input, unitSize, replacement);
    ConversionResult result;
    result.text.reserve(input.size() * 2 + 8);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        result.text.append(buffer, out - buffer);
        if (rc != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL: an invalid or incomplete unit; replace it and go on.
        size_t skip = unitSize;
        if (unitSize == 0) { // UTF-8: skip one lead byte and its continuation bytes
            skip = 1;
            while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80)
                ++skip;
        }
        if (skip > inLeft)
            skip = inLeft;
        in += skip;
        inLeft -= skip;
        result.text.append(replacement);
        result.lossy = true;
        ++result.replaced;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &out, &outLeft);
    result.text.append(buffer, out - buffer);
    return result;
}

} // namespace

bool Cp932Codec::IsAvailable() {
    const char* const pairs[][2] = {{"UTF-8", "CP932"}, {"CP932", "UTF-8"}, {"CP932", "UTF-16LE"}};
    for (const auto& pair : pairs) {
        iconv_t cd = iconv_open(pair[0], pair[1]);
        if (cd == reinterpret_cast<iconv_t>(-1))
            return false;
        iconv_close(cd);
    }
    return true;
}

const char* Cp932Codec::MissingMessageUtf8() {
    return "このｼｽﾃﾑには文字ｺｰﾄﾞ CP932 (Shift-JIS) の変換がないため、起動できません。"
           "iconv の CP932 変換 (glibc の gconv ﾓｼﾞｭｰﾙ) を入れてください。";
}

ConversionResult Cp932Codec::ToUtf8(std::string_view cp932) {
    bool ascii = true;
    for (unsigned char c : cp932)
        if (c >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return {std::string(cp932), false};
    return Convert("UTF-8", "CP932", cp932, 1, "\xEF\xBF\xBD");
}

ConversionResult Cp932Codec::FromUtf8(std::string_view utf8) {
    bool ascii = true;
    for (unsigned char c : utf8)
        if (c >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return {std::string(utf8), false};
    return Convert("CP932", "UTF-8", utf8, 0, "?");
}

ConversionResult Cp932Codec::FromUtf16Le(std::string_view utf16le) {
    return Convert("CP932", "UTF-16LE", utf16le, 2, "?");
}

size_t Cp932Codec::CharBoundaryPrefix(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text.size();
    size_t pos = 0;
    while (pos < maxBytes) {
        size_t width = IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
        if (pos + width > maxBytes)
            break;
        pos += width;
    }
    return pos;
}

} // namespace kardel
