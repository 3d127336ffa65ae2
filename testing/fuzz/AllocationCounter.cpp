#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_live{0};
std::atomic<std::size_t> g_peak{0};

// Each block carries its size in front of it, padded so the caller's part stays aligned.
const std::size_t kHeader = 16;

void* take(std::size_t size, std::size_t alignment)
{
    std::size_t header = alignment > kHeader ? alignment : kHeader;
    void* block = nullptr;
    if (alignment > kHeader) {
        if (posix_memalign(&block, alignment, header + size) != 0)
            block = nullptr;
    } else {
        block = std::malloc(header + size);
    }
    if (!block)
        return nullptr;
    char* user = static_cast<char*>(block) + header;
    reinterpret_cast<std::size_t*>(user)[-1] = size;
    reinterpret_cast<std::size_t*>(user)[-2] = header;
    AllocationCounter::added(size);
    return user;
}

void give(void* p)
{
    if (!p)
        return;
    char* user = static_cast<char*>(p);
    std::size_t size = reinterpret_cast<std::size_t*>(user)[-1];
    std::size_t header = reinterpret_cast<std::size_t*>(user)[-2];
    AllocationCounter::removed(size);
    std::free(user - header);
}

void* takeOrThrow(std::size_t size, std::size_t alignment)
{
    void* p = take(size, alignment);
    if (!p)
        throw std::bad_alloc();
    return p;
}

}  // namespace

std::size_t AllocationCounter::live() { return g_live.load(); }
std::size_t AllocationCounter::peak() { return g_peak.load(); }
void AllocationCounter::resetPeak() { g_peak.store(g_live.load()); }

void AllocationCounter::added(std::size_t bytes)
{
    std::size_t now = g_live.fetch_add(bytes) + bytes;
    std::size_t high = g_peak.load();
    while (now > high && !g_peak.compare_exchange_weak(high, now)) {
    }
}

void AllocationCounter::removed(std::size_t bytes) { g_live.fetch_sub(bytes); }

void* operator new(std::size_t n) { return takeOrThrow(n, 0); }
void* operator new[](std::size_t n) { return takeOrThrow(n, 0); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return take(n, 0); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return take(n, 0); }
void* operator new(std::size_t n, std::align_val_t a) { return takeOrThrow(n, static_cast<std::size_t>(a)); }
void* operator new[](std::size_t n, std::align_val_t a) { return takeOrThrow(n, static_cast<std::size_t>(a)); }
void operator delete(void* p) noexcept { give(p); }
void operator delete[](void* p) noexcept { give(p); }
void operator delete(void* p, std::size_t) noexcept { give(p); }
void operator delete[](void* p, std::size_t) noexcept { give(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { give(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { give(p); }
void operator delete(void* p, std::align_val_t) noexcept { give(p); }
void operator delete[](void* p, std::align_val_t) noexcept { give(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { give(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { give(p); }
