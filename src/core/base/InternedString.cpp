#include "core/base/InternedString.h"

#include <deque>
#include <limits>
#include <mutex>
#include <new>
#include <unordered_map>
#include <vector>

namespace kardel {
namespace {

struct Entry {
    std::string text;
    std::uint32_t users = 0;
};

// Entries never move (a deque grows without moving its elements), so a view of an entry's
// text stays valid until its last user lets go, whatever else the table does meanwhile.
// Entries, once made, stay for the process (as memo blocks do); their texts go with their
// last user.
struct Table {
    std::mutex mutex;
    std::deque<Entry> entries{1}; // entry 0 stands for empty text and is never used
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
        ++table.entries[it->second].users;
        return it->second;
    }
    std::uint32_t id;
    if (!table.freeIds.empty()) {
        id = table.freeIds.back();
        table.freeIds.pop_back();
    } else {
        if (table.entries.size() > std::numeric_limits<std::uint32_t>::max() - 1)
            throw std::bad_alloc();
        // Room for every id on the free list now, so that letting go never allocates.
        if (table.freeIds.capacity() < table.entries.size() + 1)
            table.freeIds.reserve(2 * (table.entries.size() + 1));
        id = static_cast<std::uint32_t>(table.entries.size());
        table.entries.emplace_back();
    }
    Entry& entry = table.entries[id];
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
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    ++table.entries[id].users;
}

void InternedString::Release(std::uint32_t id) noexcept {
    if (id == 0)
        return;
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    Entry& entry = table.entries[id];
    if (--entry.users > 0)
        return;
    table.ids.erase(entry.text);
    std::string().swap(entry.text);
    table.freeIds.push_back(id); // has room: see Acquire
}

std::string_view InternedString::TextOf(std::uint32_t id) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    return table.entries[id].text;
}

size_t InternedString::Live() {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    return table.ids.size();
}

} // namespace kardel
