#pragma once
#include "core/base/OutputSink.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace kardel {

// Bytes of a size known beforehand (a whole document file), never copied. Large ones get
// memory of their own, mapped for them and advised for transparent huge pages, so that
// filling it costs one page fault per 2 MiB rather than one per 4 KiB; small ones come
// from the heap.
class PageBuffer {
public:
    PageBuffer() = default;
    // Room for `capacity` bytes, size 0. Throws std::bad_alloc when there is none.
    explicit PageBuffer(size_t capacity);
    ~PageBuffer();
    PageBuffer(PageBuffer&& other) noexcept;
    PageBuffer& operator=(PageBuffer&& other) noexcept;
    PageBuffer(const PageBuffer&) = delete;
    PageBuffer& operator=(const PageBuffer&) = delete;

    char* data() { return m_data; }
    const char* data() const { return m_data; }
    size_t size() const { return m_size; }
    size_t capacity() const { return m_capacity; }
    // Sets the size; at most the capacity.
    void SetSize(size_t size) { m_size = size < m_capacity ? size : m_capacity; }
    std::string_view view() const { return std::string_view(m_data ? m_data : "", m_size); }

private:
    void Release();

    char* m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
    void* m_mapping = nullptr;
    size_t m_mappingSize = 0;
};

class PageFaulter;

// Writes into a PageBuffer of the capacity the writer needs, counted beforehand; refuses
// bytes beyond it. A large buffer has its pages faulted in on another thread a little
// ahead of the writing, so that the kernel's zeroing of them does not hold up the writer.
class PageOutput : public IOutput {
public:
    explicit PageOutput(size_t capacity);
    ~PageOutput() override;
    PageOutput(const PageOutput&) = delete;
    PageOutput& operator=(const PageOutput&) = delete;

    bool Write(const char* data, size_t size) override {
        if (size > m_buffer.capacity() - m_buffer.size())
            return false;
        if (size > 0)
            std::memcpy(m_buffer.data() + m_buffer.size(), data, size);
        const size_t before = m_buffer.size();
        m_buffer.SetSize(before + size);
        if (m_faulter && (before ^ m_buffer.size()) >= kProgressStep)
            NoteProgress();
        return true;
    }
    PageBuffer take();

private:
    static constexpr size_t kProgressStep = size_t(4) << 20;
    void NoteProgress();

    PageBuffer m_buffer;
    std::unique_ptr<PageFaulter> m_faulter;
};

// Lets the many small blocks that loading a document of `fileBytes` bytes allocates come
// from heap memory advised for transparent huge pages: the heap is grown by about what
// such a load needs, the new part advised, and given back to the allocator, which keeps
// it until the matching HeapAfterLoad. Small documents, and C libraries other than glibc,
// are left alone. No block is written: the pages are only advised and faulted in.
void HeapBeforeLoad(size_t fileBytes);
// Told by a load now and then (each piece of the file read, with how many of the file's
// bytes were read so far): lets the heap's pages be faulted in on another thread just ahead of where
// the load allocates, and near the end no further than the rest of the load will need.
void HeapLoadProgress(std::uint64_t bytesRead);
void HeapAfterLoad();

// Holds the heap prepared for one load.
class HeapPreparedForLoad {
public:
    explicit HeapPreparedForLoad(size_t fileBytes) { HeapBeforeLoad(fileBytes); }
    ~HeapPreparedForLoad() { HeapAfterLoad(); }
    HeapPreparedForLoad(const HeapPreparedForLoad&) = delete;
    HeapPreparedForLoad& operator=(const HeapPreparedForLoad&) = delete;
};

} // namespace kardel
