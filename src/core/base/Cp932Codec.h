#pragma once
#include <string>
#include <string_view>

namespace kardel {

// The one place where text crosses between the core's cp932 bytes and Unicode.
// Every conversion is lossy-safe: unconvertible input never crashes, and the
// caller learns when something had to be replaced.
struct ConversionResult {
    std::string text;
    bool lossy = false;  // at least one character was replaced by '?' (or U+FFFD when decoding)
    size_t replaced = 0; // how many characters were replaced
};

class Cp932Codec {
public:
    // Whether this system's iconv converts cp932 to and from UTF-8 and UTF-16LE.
    // Both programs check it once at start-up and stop when it does not: without
    // it no text can be read or shown. A conversion that finds no converter later
    // still returns (ASCII kept, everything else replaced, lossy set).
    static bool IsAvailable();
    // What the programs say when it is not, in UTF-8 (it cannot be converted).
    static const char* MissingMessageUtf8();

    // cp932 bytes to UTF-8. Invalid or truncated sequences become U+FFFD.
    static ConversionResult ToUtf8(std::string_view cp932);
    // UTF-8 to cp932. Characters cp932 cannot hold, and invalid UTF-8, become '?'.
    static ConversionResult FromUtf8(std::string_view utf8);
    // UTF-16LE bytes (as stored in wide archive strings) to cp932.
    static ConversionResult FromUtf16Le(std::string_view utf16le);

    // True when the byte starts a double-byte cp932 character.
    static bool IsLeadByte(unsigned char byte) {
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    }
    // Length of the longest prefix of text that is at most maxBytes long and
    // does not end inside a double-byte character.
    static size_t CharBoundaryPrefix(std::string_view text, size_t maxBytes);
};

} // namespace kardel
