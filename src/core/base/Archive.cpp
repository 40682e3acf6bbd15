#include "core/base/Archive.h"

#include "core/base/Cp932Codec.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace kardel {

void CArchive::WriteFailed() {
    throw ArchiveError(ArchiveError::Kind::WriteFailed, "write failed");
}

// A 3-byte prefix below 0xFFFE bytes, else a 7-byte one.
void CArchive::WriteLongString(std::string_view text) {
    const size_t n = text.size();
    char prefix[7];
    size_t prefixSize = 3;
    if (n < 0xFFFE) {
        prefix[0] = '\xFF';
        prefix[1] = static_cast<char>(n & 0xFF);
        prefix[2] = static_cast<char>((n >> 8) & 0xFF);
    } else {
        prefix[0] = prefix[1] = prefix[2] = '\xFF';
        PutInt32(prefix + 3, static_cast<std::int32_t>(static_cast<std::uint32_t>(n)));
        prefixSize = 7;
    }
    WriteBytes(std::string_view(prefix, prefixSize));
    WriteBytes(text);
}

void CArchive::Refill(size_t count) {
    if (count > Remaining() || !m_source)
        throw ArchiveError(ArchiveError::Kind::EndOfFile, "unexpected end of file");
    // Keeps what is not read yet and adds a piece (or what `count` needs) behind it.
    const size_t kept = m_input.size() - m_pos;
    const size_t wanted = std::max(count, std::min(m_piece, Remaining()));
    if (m_pos > 0 && kept > 0) // m_input is m_window's bytes here
        std::memmove(m_window.data(), m_window.data() + m_pos, kept);
    m_windowStart += m_pos;
    m_pos = 0;
    if (m_window.size() < wanted)
        m_window.resize(wanted);
    size_t held = kept;
    while (held < wanted) {
        size_t n = m_source->Read(m_window.data() + held, wanted - held);
        if (n == 0) // the file ended before the size it had when it was opened
            throw ArchiveError(ArchiveError::Kind::EndOfFile, "unexpected end of file");
        held += n;
    }
    m_input = std::string_view(m_window.data(), held);
}

std::string_view CArchive::ReadBytes(size_t count) {
    Need(count);
    std::string_view bytes = m_input.substr(m_pos, count);
    m_pos += count;
    return bytes;
}

std::int32_t CArchive::ReadInt32() {
    std::string_view b = ReadBytes(4);
    std::uint32_t u = static_cast<unsigned char>(b[0]) | (static_cast<unsigned char>(b[1]) << 8) |
                      (static_cast<unsigned char>(b[2]) << 16) |
                      (static_cast<std::uint32_t>(static_cast<unsigned char>(b[3])) << 24);
    return static_cast<std::int32_t>(u);
}

// After a 0xFF byte: a 16-bit length, or 0xFFFF and a 32-bit length.
std::uint32_t CArchive::ReadLength16Or32() {
    std::string_view b = ReadBytes(2);
    std::uint32_t n16 = static_cast<unsigned char>(b[0]) | (static_cast<unsigned char>(b[1]) << 8);
    if (n16 != 0xFFFF)
        return n16;
    return static_cast<std::uint32_t>(ReadInt32());
}

std::string_view CArchive::ReadStringView(std::string& converted) {
    std::uint32_t n = static_cast<unsigned char>(ReadBytes(1)[0]);
    if (n == 0xFF) {
        std::string_view b = ReadBytes(2);
        n = static_cast<unsigned char>(b[0]) | (static_cast<unsigned char>(b[1]) << 8);
        if (n == 0xFFFF) {
            n = static_cast<std::uint32_t>(ReadInt32());
        } else if (n == 0xFFFE) {
            // Wide string: the length again by the same rules, then 2n bytes of UTF-16LE.
            std::uint32_t wide = static_cast<unsigned char>(ReadBytes(1)[0]);
            if (wide == 0xFF)
                wide = ReadLength16Or32();
            if (wide > Remaining() / 2)
                throw ArchiveError(ArchiveError::Kind::EndOfFile, "unexpected end of file");
            converted = Cp932Codec::FromUtf16Le(ReadBytes(size_t(wide) * 2)).text;
            return converted;
        }
    }
    return ReadBytes(n);
}

std::string CArchive::ReadString() {
    std::string converted;
    std::string_view text = ReadStringView(converted);
    return text.data() == converted.data() ? std::move(converted) : std::string(text);
}

size_t CArchive::ReadCount(size_t minBytesEach) {
    std::int32_t count = ReadInt32();
    if (count < 0)
        throw ArchiveError(ArchiveError::Kind::BadFormat, "negative count");
    if (minBytesEach > 0 && static_cast<size_t>(count) > Remaining() / minBytesEach)
        throw ArchiveError(ArchiveError::Kind::EndOfFile, "count exceeds the file");
    return static_cast<size_t>(count);
}

void CArchive::Exchange(std::vector<std::string>& list) {
    if (IsStoring()) {
        WriteInt32(static_cast<std::int32_t>(list.size()));
        for (const auto& item : list)
            WriteString(item);
        return;
    }
    size_t count = ReadCount(1);
    list.clear();
    list.reserve(count);
    for (size_t i = 0; i < count; ++i)
        list.push_back(ReadString());
}

void CArchive::Seek(size_t position) {
    if (position > m_total)
        throw ArchiveError(ArchiveError::Kind::EndOfFile, "seek past end");
    // A source goes back only within the piece at hand (the header's few bytes).
    if (position < m_windowStart || position - m_windowStart > m_input.size())
        throw ArchiveError(ArchiveError::Kind::BadFormat, "seek outside the bytes read");
    m_pos = static_cast<size_t>(position - m_windowStart);
}

int ReadDocumentHeader(CArchive& ar) {
    if (ar.Remaining() >= 11 && std::memcmp(ar.ReadBytes(7).data(), "Version", 7) == 0) {
        std::string digits(ar.ReadBytes(3));
        ar.ReadBytes(1);
        return std::atoi(digits.c_str());
    }
    ar.Seek(0); // no header: the file starts with the memos
    return 0;
}

} // namespace kardel
