#pragma once
#include "core/base/Clock.h"
#include "core/base/CompactString.h"
#include "core/base/InternedString.h"
#include "core/base/OutputSink.h"
#include "core/base/TextBlock.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kardel {

// Raised inside the model layer when a read runs past the bytes that remain, a
// stored value cannot be valid, or the output refuses bytes. It never leaves the
// file reader and writer: they turn it into a FileResult.
class ArchiveError : public std::runtime_error {
public:
    enum class Kind { EndOfFile, BadFormat, WriteFailed };
    ArchiveError(Kind kind, const std::string& what) : std::runtime_error(what), m_kind(kind) {}
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

// Where a loading archive reads bytes that are not all in memory at once (a file).
class IArchiveInput {
public:
    virtual ~IArchiveInput() = default;
    // Up to `size` bytes into `data`; 0 at the end. Fails by throwing ArchiveError.
    virtual size_t Read(char* data, size_t size) = 0;
};

// The stored primitives: little-endian 32-bit integers and times, and strings
// with the 1-, 3- and 7-byte length prefixes. One object either stores or loads;
// records expose one Serialize(CArchive&) that does both.
class CArchive {
public:
    explicit CArchive(IOutput& output) : m_output(&output) {}
    // Stores through a buffer whose writes are inlined here: a record is many small fields.
    explicit CArchive(BufferedOutput& output) : m_output(&output), m_buffered(&output) {}
    explicit CArchive(std::string_view input) : m_input(input), m_total(input.size()) {}
    // Loads `total` bytes from `source`, holding a piece of about `pieceBytes` (more when one
    // stored string is longer) at a time.
    CArchive(IArchiveInput& source, std::uint64_t total, size_t pieceBytes = size_t(1) << 20)
        : m_source(&source), m_total(total), m_piece(pieceBytes ? pieceBytes : 1) {}

    bool IsStoring() const { return m_output != nullptr; }
    bool IsLoading() const { return m_output == nullptr; }

    // Version of the file being read; set by the header reader.
    int FileVersion() const { return m_nFileVersion; }
    void SetFileVersion(int version) { m_nFileVersion = version; }

    // Storing.
    // These are inline: a stored record is a dozen small fields, and through a
    // BufferedOutput each becomes a copy of a few bytes rather than two calls.
    void WriteInt32(std::int32_t value) {
        char bytes[4];
        PutInt32(bytes, value);
        WriteBytes(std::string_view(bytes, 4));
    }
    // Puts `value` as stored at `at`; returns the position after it.
    static char* PutInt32(char* at, std::int32_t value) {
        const auto u = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8)
            *at++ = static_cast<char>((u >> shift) & 0xFF);
        return at;
    }
    void WriteTime(time32 value) { WriteInt32(value); }
    void WriteString(std::string_view text) {
        if (text.size() < 0xFF) {
            const char prefix = static_cast<char>(text.size());
            WriteBytes(std::string_view(&prefix, 1));
            WriteBytes(text);
        } else {
            WriteLongString(text);
        }
    }
    void WriteBytes(std::string_view bytes) {
        const bool written =
            m_buffered ? m_buffered->Write(bytes.data(), bytes.size()) : m_output->Write(bytes.data(), bytes.size());
        if (!written)
            WriteFailed();
    }

    // Loading. Every read checks the bytes that remain first.
    std::int32_t ReadInt32();
    time32 ReadTime() { return ReadInt32(); }
    std::string ReadString();
    std::string_view ReadBytes(size_t count);
    // A stored count of elements that each take at least minBytesEach bytes;
    // refuses negative counts and counts the remaining bytes cannot hold.
    size_t ReadCount(size_t minBytesEach);

    size_t Position() const { return static_cast<size_t>(m_windowStart) + m_pos; }
    size_t Remaining() const { return static_cast<size_t>(m_total - m_windowStart) - m_pos; }
    void Seek(size_t position);

    // Both directions, for the fields whose layout is the same either way.
    void Exchange(std::int32_t& value) {
        if (IsStoring())
            WriteInt32(value);
        else
            value = ReadInt32();
    }
    // A 32-bit count, then that many strings.
    void Exchange(std::vector<std::string>& list);
    void Exchange(std::string& text) {
        if (IsStoring())
            WriteString(text);
        else
            text = ReadString();
    }
    // Read from the bytes at hand, without a std::string between.
    void Exchange(CompactString& text) {
        if (IsStoring()) {
            WriteString(text);
        } else {
            std::string converted;
            if (m_textBlocks)
                text.AssignShared(ReadStringView(converted), *m_textBlocks);
            else
                text = ReadStringView(converted);
        }
    }
    void Exchange(InternedString& text) {
        if (IsStoring()) {
            WriteString(text);
        } else {
            std::string converted;
            text = ReadStringView(converted);
        }
    }
    // Compact strings loaded from here on share text blocks (a load of a whole document).
    void ShareLoadedTexts() { m_textBlocks = std::make_unique<TextBlockWriter>(); }

private:
    void Need(size_t count) {
        if (count > m_input.size() - m_pos)
            Refill(count);
    }
    void Refill(size_t count);
    void WriteLongString(std::string_view text);
    [[noreturn]] static void WriteFailed();
    // The next stored string: the bytes at hand, valid until the next read, or a wide
    // string's conversion, kept in `converted`.
    std::string_view ReadStringView(std::string& converted);
    std::uint32_t ReadLength16Or32();

    IOutput* m_output = nullptr;
    BufferedOutput* m_buffered = nullptr;
    // The bytes at hand: the whole input, or for a source the piece read last, which starts
    // at m_windowStart of the input.
    std::string_view m_input;
    size_t m_pos = 0;
    IArchiveInput* m_source = nullptr;
    std::string m_window;
    std::uint64_t m_windowStart = 0;
    std::uint64_t m_total = 0;
    size_t m_piece = 0;
    int m_nFileVersion = 5;
    std::unique_ptr<TextBlockWriter> m_textBlocks;
};

// The document header "VersionNNN" and a zero byte: returns NNN as the C library
// reads it. Without that header the archive goes back to the start: version 0.
int ReadDocumentHeader(CArchive& ar);

} // namespace kardel
