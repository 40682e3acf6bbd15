#pragma once
#include <cstddef>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define KARDEL_BLOCK_POOL_PLAIN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KARDEL_BLOCK_POOL_PLAIN 1
#endif
#endif

namespace kardel {

// Storage for objects of one size that a document makes by the million (memos, tree
// items): blocks carved one after another from slabs of 1 MiB, so an object costs its
// size and no allocator header, and a freed block goes to a free list for the next one.
// Slabs are never given back: a document as large as the last one reuses them. Each
// thread keeps its own slabs and free list. Under AddressSanitizer the blocks come from
// the ordinary allocator, so that a use after free is still caught.
template <std::size_t Size, std::size_t Align> class BlockPool {
public:
    static void* Allocate() {
#if defined(KARDEL_BLOCK_POOL_PLAIN)
        return ::operator new (Size, std::align_val_t{Align});
#else
        State& state = s_state;
        if (state.free) {
            Free* block = state.free;
            state.free = block->next;
            return block;
        }
        if (state.left == 0) {
            state.next = static_cast<char*>(::operator new (kSlabBytes, std::align_val_t{Align}));
            state.left = kSlabBytes / kBlock;
        }
        void* block = state.next;
        state.next += kBlock;
        --state.left;
        return block;
#endif
    }

    static void Release(void* block) noexcept {
        if (!block)
            return;
#if defined(KARDEL_BLOCK_POOL_PLAIN)
        ::operator delete (block, std::align_val_t{Align});
#else
        auto* free = static_cast<Free*>(block);
        free->next = s_state.free;
        s_state.free = free;
#endif
    }

    // For a class's own operator new and delete: a block for an object of exactly Size,
    // the ordinary allocator for anything else (a class derived from it).
    static void* New(std::size_t size) {
        return size == Size ? Allocate() : ::operator new(size);
    }
    static void Delete(void* object, std::size_t size) noexcept {
        if (size == Size)
            Release(object);
        else
            ::operator delete(object);
    }

private:
    struct Free {
        Free* next;
    };
    static constexpr std::size_t kBlock = ((Size < sizeof(Free) ? sizeof(Free) : Size) + Align - 1) / Align * Align;
    static constexpr std::size_t kSlabBytes = std::size_t(1) << 20;
    static_assert(Align >= alignof(Free) && kBlock <= kSlabBytes);

    struct State {
        Free* free = nullptr;
        char* next = nullptr;
        std::size_t left = 0;
    };
    static thread_local State s_state;
};

template <std::size_t Size, std::size_t Align>
thread_local typename BlockPool<Size, Align>::State BlockPool<Size, Align>::s_state;

} // namespace kardel
