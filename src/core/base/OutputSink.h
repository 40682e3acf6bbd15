#pragma once
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace kardel {

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

// Gathers a writer's many small pieces (a field, a line, an indent) into large ones, so
// that the sink behind it (a hash, a file) is called once per block rather than once per
// piece. Pieces as large as the block pass straight on. Flush hands on what is held and
// reports the first failure; bytes still held when the object ends are dropped.
class BufferedOutput final : public IOutput {
public:
    explicit BufferedOutput(IOutput& next, size_t capacity = size_t(1) << 18)
        : m_next(next), m_buffer(new char[capacity]), m_capacity(capacity) {}
    bool Write(const char* data, size_t size) override {
        if (size <= m_capacity - m_used) {
            if (size > 0) // an empty view may have no data at all
                std::memcpy(m_buffer.get() + m_used, data, size);
            m_used += size;
            return !m_failed;
        }
        return Spill(data, size);
    }
    // These hide IOutput's: called on a BufferedOutput they reach the final Write above
    // directly, so a writer's many small pieces are inlined copies rather than virtual calls.
    bool Put(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    bool PutRepeated(char byte, size_t count) {
        if (count > m_capacity - m_used)
            return IOutput::PutRepeated(byte, count);
        std::memset(m_buffer.get() + m_used, byte, count);
        m_used += count;
        return !m_failed;
    }
    bool Flush();

private:
    bool Spill(const char* data, size_t size);

    IOutput& m_next;
    std::unique_ptr<char[]> m_buffer;
    size_t m_capacity;
    size_t m_used = 0;
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
