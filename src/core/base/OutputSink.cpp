#include "core/base/OutputSink.h"

#include "core/base/Cp932Codec.h"

#include <algorithm>
#include <cstring>

namespace kardel {

bool IOutput::PutRepeated(char byte, size_t count) {
    char chunk[4096];
    std::memset(chunk, byte, std::min(count, sizeof chunk));
    bool ok = true;
    while (count > 0 && ok) {
        size_t step = std::min(count, sizeof chunk);
        ok = Write(chunk, step);
        count -= step;
    }
    return ok;
}

bool BufferedOutput::Flush() {
    if (m_block.size > 0 && !m_failed && !m_next.WriteBlock(m_block))
        m_failed = true;
    m_block.size = 0;
    return !m_failed;
}

bool BufferedOutput::Spill(const char* data, size_t size) {
    if (!Flush())
        return false;
    if (size >= m_block.capacity) {
        m_failed = !m_next.Write(data, size);
        return !m_failed;
    }
    std::memcpy(m_block.data.get(), data, size);
    m_block.size = size;
    return true;
}

namespace {
// Bytes below 0x40 and above 0xFC are never the second byte of a cp932
// character: before one of them the decoder starts afresh whatever came earlier.
bool EndsAnyCharacterBefore(unsigned char byte) {
    return byte < 0x40 || byte > 0xFC;
}
constexpr size_t kHoldLimit = 1 << 16;
} // namespace

bool Utf8Output::Convert(size_t count) {
    std::string utf8 = Cp932Codec::ToUtf8(std::string_view(m_pending).substr(0, count)).text;
    m_pending.erase(0, count);
    if (!m_next.Write(utf8.data(), utf8.size()))
        m_failed = true;
    return !m_failed;
}

bool Utf8Output::Write(const char* data, size_t size) {
    if (m_failed)
        return false;
    m_pending.append(data, size);
    if (m_pending.size() < kHoldLimit)
        return true;
    size_t cut = m_pending.size();
    while (cut > 0 && !EndsAnyCharacterBefore(static_cast<unsigned char>(m_pending[cut - 1])))
        --cut;
    if (cut > 1)
        return Convert(cut - 1);
    // One long run without such a byte: cut between characters as they pair up
    // (exact unless the run holds invalid pairs).
    return Convert(Cp932Codec::CharBoundaryPrefix(m_pending, m_pending.size() - 1));
}

bool Utf8Output::Finish() {
    if (m_failed)
        return false;
    return Convert(m_pending.size());
}

} // namespace kardel
