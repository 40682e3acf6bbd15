#pragma once
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace kardel {

// Bytes that can change hands whole: a writer fills one and a sink that can keep it
// takes it instead of copying its bytes (see IOutput::WriteBlock).
struct OutputBlock {
    // What writers gather and sinks keep: large enough that handing over a block costs
    // little beside making it, small enough that the few a file holds cost little memory.
    static constexpr size_t kSize = size_t(1) << 20;

    OutputBlock() = default;
    explicit OutputBlock(size_t room) : data(room ? new char[room] : nullptr), capacity(room) {}
    // A block moved from has no room left, not a capacity without the memory.
    OutputBlock(OutputBlock&& other) noexcept { swap(other); }
    OutputBlock& operator=(OutputBlock&& other) noexcept {
        OutputBlock(std::move(other)).swap(*this);
        return *this;
    }
    void swap(OutputBlock& other) noexcept {
        data.swap(other.data);
        std::swap(size, other.size);
        std::swap(capacity, other.capacity);
    }
    bool empty() const { return size == 0; }

    std::unique_ptr<char[]> data;
    size_t size = 0;
    size_t capacity = 0;
};

// Where a writer's bytes go: documents, exports, listings. Writers hand over
// their bytes as they make them and never hold the whole output; the sink decides
// where the bytes land (memory, a file written safely, a device, standard output).
class IOutput {
public:
    virtual ~IOutput() = default;
    // Takes `size` bytes; false when they could not be written. A sink that failed
    // once refuses everything after, so a writer may check only the last call.
    virtual bool Write(const char* data, size_t size) = 0;

    bool Put(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    // False once a write failed (a write of no bytes asks the sink).
    bool Good() { return Write("", 0); }
    // `count` copies of one byte, without building them in memory (deep indents).
    bool PutRepeated(char byte, size_t count);
    // Takes the block's bytes and leaves `block` empty, of the same capacity: the sink may
    // keep the block itself and put another in its place. This one copies the bytes.
    virtual bool WriteBlock(OutputBlock& block) {
        const bool written = Write(block.data.get(), block.size);
        block.size = 0;
        return written;
    }
};

class MemoryOutput : public IOutput {
public:
    bool Write(const char* data, size_t size) override {
        m_bytes.append(data, size);
        return true;
    }
    // Room for `size` bytes in one block, when the writer's size is known beforehand.
    void Reserve(size_t size) { m_bytes.reserve(size); }
    const std::string& bytes() const { return m_bytes; }
    std::string take() { return std::move(m_bytes); }

private:
    std::string m_bytes;
};

// Gathers a writer's many small pieces (a field, a line, an indent) into blocks, so that
// the sink behind it (a hash, a file) is called once per block rather than once per piece,
// and may keep the block rather than copy it. Pieces as large as the block pass straight
// on. Flush hands on what is held and reports the first failure; bytes still held when the
// object ends are dropped.
class BufferedOutput final : public IOutput {
public:
    explicit BufferedOutput(IOutput& next, size_t capacity = OutputBlock::kSize) : m_next(next), m_block(capacity) {}
    bool Write(const char* data, size_t size) override {
        if (size <= m_block.capacity - m_block.size) {
            if (size > 0) // an empty view may have no data at all
                std::memcpy(m_block.data.get() + m_block.size, data, size);
            m_block.size += size;
            return !m_failed;
        }
        return Spill(data, size);
    }
    // These hide IOutput's: called on a BufferedOutput they reach the final Write above
    // directly, so a writer's many small pieces are inlined copies rather than virtual calls.
    bool Put(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    bool PutRepeated(char byte, size_t count) {
        if (count > m_block.capacity - m_block.size)
            return IOutput::PutRepeated(byte, count);
        std::memset(m_block.data.get() + m_block.size, byte, count);
        m_block.size += count;
        return !m_failed;
    }
    bool Flush();

private:
    bool Spill(const char* data, size_t size);

    IOutput& m_next;
    OutputBlock m_block;
    bool m_failed = false;
};

// Counts the bytes a writer makes and keeps none of them.
class CountingOutput : public IOutput {
public:
    bool Write(const char*, size_t size) override {
        m_count += size;
        return true;
    }
    size_t count() const { return m_count; }

private:
    size_t m_count = 0;
};

// Passes cp932 bytes on as UTF-8, converting as they come. Conversion is cut only
// before a byte that cannot end a double-byte character, so the result is the
// same as converting the whole text at once. Finish passes on what is held back.
class Utf8Output : public IOutput {
public:
    explicit Utf8Output(IOutput& next) : m_next(next) {}
    bool Write(const char* data, size_t size) override;
    bool Finish();

private:
    bool Convert(size_t count);

    IOutput& m_next;
    std::string m_pending;
    bool m_failed = false;
};

} // namespace kardel
