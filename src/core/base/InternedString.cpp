#include "core/base/InternedString.h"

#include <atomic>
#include <mutex>
#include <new>
#include <unordered_map>
#include <vector>

namespace kardel {
namespace {

struct Entry {
    std::string text; // empty while the entry is free
    std::uint32_t users = 0;
};

// Entries sit in chunks that never move or go, so that reading a text takes no lock: a
// string holds its entry, whose text cannot change meanwhile, and a process forked while
// another thread held the lock (a recovery copy being written) still reads every text.
// Finding, counting and freeing take the lock. Entries, once made, stay for the process,
// as memo blocks do; their texts go with their last user.
constexpr unsigned kChunkBits = 12;
constexpr std::uint32_t kChunkSize = std::uint32_t(1) << kChunkBits;
constexpr std::uint32_t kMaxChunks = std::uint32_t(1) << 16;

// Static storage, so that only the pages naming chunks made are ever touched.
std::atomic<Entry*> g_chunks[kMaxChunks];

Entry& At(std::uint32_t id) {
    return g_chunks[id >> kChunkBits].load(std::memory_order_acquire)[id & (kChunkSize - 1)];
}

struct Table {
    std::mutex mutex;
    std::uint32_t made = 1; // entry 0 stands for empty text and is never used
    std::vector<std::uint32_t> freeIds;
    std::unordered_map<std::string_view, std::uint32_t> ids; // keys view the entries' texts
};

Table& TheTable() {
    // Never destroyed: strings in static objects may let go after the end of main.
    static Table* table = new Table;
    return *table;
}

} // namespace

std::uint32_t InternedString::Acquire(std::string_view text) {
    if (text.empty())
        return 0;
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    if (auto it = table.ids.find(text); it != table.ids.end()) {
        ++At(it->second).users;
        return it->second;
    }
    std::uint32_t id;
    if (!table.freeIds.empty()) {
        id = table.freeIds.back();
        table.freeIds.pop_back();
    } else {
        id = table.made;
        const std::uint32_t chunk = id >> kChunkBits;
        if (chunk >= kMaxChunks)
            throw std::bad_alloc();
        if (!g_chunks[chunk].load(std::memory_order_relaxed))
            g_chunks[chunk].store(new Entry[kChunkSize], std::memory_order_release);
        // Room for every id on the free list now, so that letting go never allocates.
        if (table.freeIds.capacity() < id)
            table.freeIds.reserve(2 * static_cast<size_t>(id));
        ++table.made;
    }
    Entry& entry = At(id);
    try {
        entry.text.assign(text);
        table.ids.emplace(entry.text, id);
    } catch (...) {
        std::string().swap(entry.text);
        table.freeIds.push_back(id);
        throw;
    }
    entry.users = 1;
    return id;
}

void InternedString::AddUser(std::uint32_t id) {
    if (id == 0)
        return;
    std::lock_guard lock(TheTable().mutex);
    ++At(id).users;
}

void InternedString::Release(std::uint32_t id) noexcept {
    if (id == 0)
        return;
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    Entry& entry = At(id);
    if (--entry.users > 0)
        return;
    table.ids.erase(entry.text);
    std::string().swap(entry.text);
    table.freeIds.push_back(id); // has room: see Acquire
}

std::string_view InternedString::TextOf(std::uint32_t id) {
    return At(id).text;
}

size_t InternedString::Live() {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    return table.ids.size();
}

} // namespace kardel
