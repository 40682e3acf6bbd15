#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kardel {

// Texts a load reads by the million, placed one after another in blocks of 1 MiB rather
// than in a heap allocation each, which would cost an allocator header and rounding per
// text (about 18 MB for a million memos). A block counts the texts placed in it and goes
// with the last of them, so a text may outlive the load, and the document, that placed
// it; a block that keeps one text keeps its whole MiB until that text is edited or gone.
struct TextBlock {
    static constexpr size_t kBytes = size_t(1) << 20; // a text's offset in it takes 24 bits
    std::atomic<std::uint32_t> users{1};

    char* bytes() { return reinterpret_cast<char*>(this + 1); }
    // One user fewer; the last one frees the block.
    static void Release(TextBlock* block) noexcept;
    // Blocks alive in the process.
    static size_t Live();
};

// Fills blocks for one load.
class TextBlockWriter {
public:
    // Texts above this size get memory of their own.
    static constexpr size_t kMaxShared = TextBlock::kBytes / 16;

    TextBlockWriter() = default;
    ~TextBlockWriter();
    TextBlockWriter(const TextBlockWriter&) = delete;
    TextBlockWriter& operator=(const TextBlockWriter&) = delete;

    // Copies `text` (at most kMaxShared bytes) into the block being filled, or a new one,
    // and counts it as a user of that block. Returns where the copy is and its offset
    // from the block's start.
    char* Place(std::string_view text, std::uint32_t& offset);

private:
    TextBlock* m_block = nullptr; // the writer is itself a user of the block it fills
    size_t m_used = 0;
};

} // namespace kardel
