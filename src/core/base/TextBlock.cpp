#include "core/base/TextBlock.h"

#include <cstring>
#include <new>

namespace kardel {
namespace {

std::atomic<size_t> g_liveBlocks{0};

constexpr size_t kRoom = TextBlock::kBytes - sizeof(TextBlock);

} // namespace

void TextBlock::Release(TextBlock* block) noexcept {
    if (block->users.fetch_sub(1, std::memory_order_acq_rel) != 1)
        return;
    block->~TextBlock();
    ::operator delete(block);
    g_liveBlocks.fetch_sub(1, std::memory_order_relaxed);
}

size_t TextBlock::Live() {
    return g_liveBlocks.load(std::memory_order_relaxed);
}

TextBlockWriter::~TextBlockWriter() {
    if (m_block)
        TextBlock::Release(m_block);
}

char* TextBlockWriter::Place(std::string_view text, std::uint32_t& offset) {
    if (!m_block || kRoom - m_used < text.size()) {
        auto* block = new (::operator new(TextBlock::kBytes)) TextBlock;
        g_liveBlocks.fetch_add(1, std::memory_order_relaxed);
        if (m_block)
            TextBlock::Release(m_block);
        m_block = block;
        m_used = 0;
    }
    char* data = m_block->bytes() + m_used;
    std::memcpy(data, text.data(), text.size());
    m_used += text.size();
    m_block->users.fetch_add(1, std::memory_order_relaxed);
    offset = static_cast<std::uint32_t>(data - reinterpret_cast<char*>(m_block));
    return data;
}

} // namespace kardel
