// Per-kind storage pools: slots handed out from blocks of 32, 64, 128, ...
// that are never returned to the heap while the program runs.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

template <class T>
class ObjectPool {
public:
    constexpr ObjectPool() = default;
    ObjectPool(const ObjectPool&) = delete;
    ObjectPool& operator=(const ObjectPool&) = delete;
    // For pools of a limited lifetime: nothing may be alive in them any more.
    ~ObjectPool()
    {
        for (int i = 0; i < block_count; ++i)
            ::operator delete(blocks[i], std::align_val_t(alignof(T)));
        std::free(blocks);
        std::free(free_list);
    }

    // Uninitialised storage for one T.
    void* create()
    {
        if (free_count == 0)
            grow();
        return free_list[--free_count];
    }

    // Returns a slot; its contents are not touched. Null is ignored.
    void destroy(void* slot)
    {
        if (slot)
            free_list[free_count++] = slot;
    }

    int get_free_count() const { return free_count; }
    int get_total() const { return total; }
    int get_block_size() const { return block_size; }

private:
    void grow()
    {
        if (block_size == 0)
            block_size = 32;
        // The free list never needs more room than the total, so it is only
        // resized here.
        std::free(free_list);
        free_list = static_cast<void**>(std::calloc(size_t(total + block_size), sizeof(void*)));
        char* block = static_cast<char*>(::operator new(sizeof(T) * size_t(block_size), std::align_val_t(alignof(T))));
        remember_block(block);
        total += block_size;
        for (int i = 0; i < block_size; ++i)
            free_list[free_count++] = block + sizeof(T) * size_t(i);
        block_size *= 2;
    }

    void remember_block(void* block)
    {
        void** grown = static_cast<void**>(std::malloc(sizeof(void*) * size_t(block_count + 1)));
        for (int i = 0; i < block_count; ++i)
            grown[i] = blocks[i];
        grown[block_count++] = block;
        std::free(blocks);
        blocks = grown;
    }

    void** free_list = nullptr;
    int free_count = 0;
    int total = 0;
    int block_size = 0;
    void** blocks = nullptr;
    int block_count = 0;
};

// The one pool of each kind. Constant-initialised, so usable from any static
// constructor; and never torn down, because instances that outlive every
// frame (the kinds' default instances) give their slots back during exit, in
// an order that no pool destructor could be sure to follow.
template <class T>
union GlobalPool {
    ObjectPool<T> pool;
    constexpr GlobalPool() : pool() {}
    ~GlobalPool() {}
};

template <class T>
inline constinit GlobalPool<T> global_pool;

template <class T>
inline ObjectPool<T>& object_pool = global_pool<T>.pool;
