#include "tests/soak/live_allocations.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include <unistd.h>

namespace {

std::atomic<long long> blocks{0};
std::atomic<long long> bytes{0};

// The size travels in a header in front of the block, so the unsized deletes count too. The
// header keeps the strictest fundamental alignment.
constexpr std::size_t header = alignof(std::max_align_t);

void* allocate(std::size_t size) {
    void* raw = std::malloc(size + header);
    if (raw == nullptr) {
        throw std::bad_alloc();
    }
    *static_cast<std::size_t*>(raw) = size;
    blocks.fetch_add(1, std::memory_order_relaxed);
    bytes.fetch_add(static_cast<long long>(size), std::memory_order_relaxed);
    return static_cast<char*>(raw) + header;
}

void release(void* block) noexcept {
    if (block == nullptr) {
        return;
    }
    void* raw = static_cast<char*>(block) - header;
    blocks.fetch_sub(1, std::memory_order_relaxed);
    bytes.fetch_sub(static_cast<long long>(*static_cast<std::size_t*>(raw)),
                    std::memory_order_relaxed);
    std::free(raw);
}

void* allocate_aligned(std::size_t size, std::align_val_t alignment) {
    // Over-aligned blocks are rare (none in this program); they are counted but not sized.
    void* block = std::aligned_alloc(static_cast<std::size_t>(alignment),
                                     (size + static_cast<std::size_t>(alignment) - 1) /
                                         static_cast<std::size_t>(alignment) *
                                         static_cast<std::size_t>(alignment));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    blocks.fetch_add(1, std::memory_order_relaxed);
    return block;
}

void release_aligned(void* block) noexcept {
    if (block != nullptr) {
        blocks.fetch_sub(1, std::memory_order_relaxed);
        std::free(block);
    }
}

}  // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* block) noexcept {
    release(block);
}
void operator delete[](void* block) noexcept {
    release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    release(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    release(block);
}

void* operator new(std::size_t size, std::align_val_t alignment) {
    return allocate_aligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return allocate_aligned(size, alignment);
}
void operator delete(void* block, std::align_val_t) noexcept {
    release_aligned(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
    release_aligned(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
    release_aligned(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
    release_aligned(block);
}

namespace soak {

LiveAllocations live_allocations() {
    return {blocks.load(std::memory_order_relaxed), bytes.load(std::memory_order_relaxed)};
}

long resident_kib() {
    long pages_total = 0;
    long pages_resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages_total, &pages_resident) != 2) {
            pages_resident = 0;
        }
        std::fclose(statm);
    }
    return pages_resident * (sysconf(_SC_PAGESIZE) / 1024);
}

double milliseconds_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void report_day(const char* windows, double elapsed_ms, LiveAllocations before,
                LiveAllocations after, long resident_before_kib) {
    std::printf(
        "[ soak     ] 2 x %d ticks on %s in %.0f ms; heap %lld blocks / %lld bytes before, "
        "%lld / %lld after; RSS %ld -> %ld KiB\n",
        ticks_per_day, windows, elapsed_ms, before.blocks, before.bytes, after.blocks, after.bytes,
        resident_before_kib, resident_kib());
}

}  // namespace soak
