#include "core/model/LargeMemory.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>
#include <vector>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kardel {
namespace {
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kSmallestMapped = size_t(16) << 20;

char* AlignUp(char* p, size_t alignment) {
    auto value = reinterpret_cast<std::uintptr_t>(p);
    return reinterpret_cast<char*>((value + alignment - 1) & ~std::uintptr_t(alignment - 1));
}
} // namespace

// A second thread that faults a range of fresh memory in a little ahead of a writer that
// fills it from the start, so that the kernel zeroes the pages on another core while the
// writer works. Faulting changes no byte. The writer tells how far it has come; the
// thread stays at most `ahead` bytes beyond that, so that what it faults and the writer
// never uses adds little to the process's memory. Without the kernel's populate advice it
// does nothing.
class PageFaulter {
public:
    PageFaulter(char* from, char* end, size_t ahead) : m_ahead(ahead), m_end(end), m_top(from) {
#ifdef MADV_POPULATE_WRITE
        m_thread = std::thread([this, from] { Run(from); });
#endif
    }
    ~PageFaulter() {
        if (!m_thread.joinable())
            return;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }
    PageFaulter(const PageFaulter&) = delete;
    PageFaulter& operator=(const PageFaulter&) = delete;

    // The writer is at `top`; it is not expected to go past `last` (nullptr: no guess).
    void NoteTop(char* top, char* last = nullptr) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (last)
                m_last = std::max(last, top);
            if (top <= m_top)
                return;
            m_top = top;
        }
        m_wake.notify_one();
    }

private:
#ifdef MADV_POPULATE_WRITE
    static constexpr size_t kStep = size_t(8) << 20;

    void Run(char* done) {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_stop && done < m_end) {
            char* target = AlignUp(m_top + std::min<size_t>(m_ahead, static_cast<size_t>(m_end - m_top)), kHugePage);
            target = std::min({target, m_end, m_last ? AlignUp(m_last, kHugePage) : m_end});
            if (done >= target) {
                m_wake.wait(lock);
                continue;
            }
            const size_t length = std::min<size_t>(kStep, static_cast<size_t>(target - done));
            lock.unlock();
            // A kernel without the advice, or a range no longer mapped, ends the help.
            const bool faulted = ::madvise(done, length, MADV_POPULATE_WRITE) == 0;
            lock.lock();
            if (!faulted)
                break;
            done += length;
        }
    }
#endif

    const size_t m_ahead;
    char* const m_end;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    char* m_top;
    char* m_last = nullptr;
    bool m_stop = false;
    std::thread m_thread;
};

PageBuffer::PageBuffer(size_t capacity) {
    if (capacity == 0)
        return;
    // A mapping of its own pays for itself only when large: small buffers come from the
    // heap, whose memory is usually touched already.
    if (capacity < kSmallestMapped) {
        m_data = static_cast<char*>(::malloc(capacity));
        if (!m_data)
            throw std::bad_alloc();
        m_capacity = capacity;
        return;
    }
    // One huge page more than asked, so that the bytes can start on a huge-page boundary.
    size_t length = capacity + kHugePage;
    if (length < capacity)
        throw std::bad_alloc();
    void* mapping = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED)
        throw std::bad_alloc();
    m_mapping = mapping;
    m_mappingSize = length;
    m_data = AlignUp(static_cast<char*>(mapping), kHugePage);
    m_capacity = capacity;
#ifdef MADV_HUGEPAGE
    ::madvise(m_data, capacity, MADV_HUGEPAGE); // advice only: without it the pages are small
#endif
}

PageBuffer::~PageBuffer() {
    Release();
}

PageBuffer::PageBuffer(PageBuffer&& other) noexcept
    : m_data(other.m_data), m_size(other.m_size), m_capacity(other.m_capacity), m_mapping(other.m_mapping),
      m_mappingSize(other.m_mappingSize) {
    other.m_data = nullptr;
    other.m_size = other.m_capacity = other.m_mappingSize = 0;
    other.m_mapping = nullptr;
}

PageBuffer& PageBuffer::operator=(PageBuffer&& other) noexcept {
    if (this != &other) {
        Release();
        m_data = other.m_data;
        m_size = other.m_size;
        m_capacity = other.m_capacity;
        m_mapping = other.m_mapping;
        m_mappingSize = other.m_mappingSize;
        other.m_data = nullptr;
        other.m_size = other.m_capacity = other.m_mappingSize = 0;
        other.m_mapping = nullptr;
    }
    return *this;
}

void PageBuffer::Release() {
    if (m_mapping)
        ::munmap(m_mapping, m_mappingSize);
    else
        ::free(m_data);
    m_mapping = nullptr;
    m_data = nullptr;
    m_size = m_capacity = m_mappingSize = 0;
}

PageOutput::PageOutput(size_t capacity) : m_buffer(capacity) {
    // Below this the writer faults its own pages about as fast as a thread could start.
    constexpr size_t kSmallestFaulted = size_t(64) << 20;
    if (capacity < kSmallestFaulted)
        return;
    try {
        m_faulter = std::make_unique<PageFaulter>(m_buffer.data(), m_buffer.data() + capacity, size_t(32) << 20);
    } catch (const std::exception&) {
        // No thread: the writer faults its pages itself.
    }
}

PageOutput::~PageOutput() = default;

void PageOutput::NoteProgress() {
    m_faulter->NoteTop(m_buffer.data() + m_buffer.size());
}

PageBuffer PageOutput::take() {
    m_faulter.reset();
    return std::move(m_buffer);
}

#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
namespace {
// Below this a load's page faults cost too little to matter.
constexpr size_t kSmallestPrepared = size_t(16) << 20;
// Pieces the heap is grown by: below the largest mmap threshold glibc accepts (32 MiB),
// so that they come from the heap itself.
constexpr size_t kPiece = size_t(30) << 20;
constexpr int kDefaultThreshold = 128 * 1024; // glibc's M_TRIM_THRESHOLD and M_MMAP_THRESHOLD
bool g_prepared = false;

std::unique_ptr<PageFaulter> g_prefault;
char* g_loadStart = nullptr; // the heap's free space when the load began
size_t g_loadBytes = 0;      // the file being loaded
} // namespace

void HeapBeforeLoad(size_t fileBytes) {
    if (g_prepared || fileBytes < kSmallestPrepared)
        return;
    // Memos and tree items take about twice the file's size in small blocks.
    const size_t wanted = fileBytes * 2;
    // Grown memory stays with the heap until the load is over, and the pieces below come
    // from the heap rather than mappings of their own.
    ::mallopt(M_TRIM_THRESHOLD, static_cast<int>(std::min<size_t>(wanted + (size_t(64) << 20), INT32_MAX)));
    ::mallopt(M_MMAP_THRESHOLD, static_cast<int>(kPiece + (size_t(1) << 20)));
    g_prepared = true;
    char* start = static_cast<char*>(::sbrk(0));
    std::vector<void*> pieces;
    pieces.reserve(wanted / kPiece + 1);
    for (size_t grown = 0; grown < wanted; grown += kPiece) {
        void* piece = ::malloc(kPiece);
        if (!piece)
            break;
        pieces.push_back(piece);
    }
    char* end = static_cast<char*>(::sbrk(0));
    // Freed newest first, every piece joins the free space at the top of the heap.
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it)
        ::free(*it);
    // Only a heap that grew in place by about the pieces is advised: had the allocator
    // gone elsewhere, the range would not be its free space.
    if (end > start && static_cast<size_t>(end - start) >= pieces.size() * kPiece) {
        char* from = AlignUp(start, kHugePage);
        if (end > from) {
            ::madvise(from, static_cast<size_t>(end - from), MADV_HUGEPAGE);
            // Most of a large load's time is the kernel zeroing the pages its blocks land on:
            // a thirty-second of the file ahead (at most 16 MiB) keeps the zeroing off the
            // loading thread. Further ahead bought no speed, and what is faulted past the
            // load's last block stays in the process's peak memory.
            try {
                g_loadStart = start;
                g_loadBytes = fileBytes;
                g_prefault = std::make_unique<PageFaulter>(
                    from, end, std::clamp(fileBytes / 32, size_t(2) << 20, size_t(16) << 20));
            } catch (const std::exception&) {
                // No thread: the load faults its pages itself.
            }
        }
    }
}

void HeapLoadProgress(std::uint64_t bytesRead) {
    if (!g_prefault)
        return;
    // The free space at the top of the heap starts where the load allocates next.
    auto* top = static_cast<char*>(::sbrk(0)) - ::mallinfo2().keepcost;
    // Near the end, what the rest of the file will take, at the rate so far and with a
    // little to spare, bounds the faulting: pages past the load's last block would only
    // add to the peak.
    char* last = nullptr;
    if (bytesRead > g_loadBytes / 2 && bytesRead < g_loadBytes && top > g_loadStart) {
        const double perByte = static_cast<double>(top - g_loadStart) / static_cast<double>(bytesRead);
        last = top + static_cast<size_t>(perByte * 1.05 * static_cast<double>(g_loadBytes - bytesRead)) + kHugePage;
    }
    g_prefault->NoteTop(top, last);
}

void HeapAfterLoad() {
    if (!g_prepared)
        return;
    g_prepared = false;
    g_prefault.reset();
    // What the load did not use goes back to the system at the next release at the top.
    ::mallopt(M_MMAP_THRESHOLD, kDefaultThreshold);
    ::mallopt(M_TRIM_THRESHOLD, kDefaultThreshold);
}
#else
void HeapBeforeLoad(size_t) {}
void HeapLoadProgress(std::uint64_t) {}
void HeapAfterLoad() {}
#endif

} // namespace kardel
