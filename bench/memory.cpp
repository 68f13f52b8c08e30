#include "bench/memory.h"

#include <malloc.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_inUse{0};
std::atomic<std::size_t> g_peak{0};

void* Take(std::size_t size, std::size_t align = 0) {
    if (size == 0) size = 1;
    void* p = align > alignof(std::max_align_t)
                  ? std::aligned_alloc(align, (size + align - 1) / align * align)
                  : std::malloc(size);
    if (!p) throw std::bad_alloc();
    const std::size_t now = g_inUse += malloc_usable_size(p);
    std::size_t peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void Give(void* p) noexcept {
    if (!p) return;
    g_inUse -= malloc_usable_size(p);
    std::free(p);
}

} // namespace

void* operator new(std::size_t size) {
    return Take(size);
}
void* operator new[](std::size_t size) {
    return Take(size);
}
void* operator new(std::size_t size, std::align_val_t align) {
    return Take(size, static_cast<std::size_t>(align));
}
void* operator new[](std::size_t size, std::align_val_t align) {
    return Take(size, static_cast<std::size_t>(align));
}
void operator delete(void* p, std::align_val_t) noexcept {
    Give(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    Give(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    Give(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    Give(p);
}
void operator delete(void* p) noexcept {
    Give(p);
}
void operator delete[](void* p) noexcept {
    Give(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Give(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Give(p);
}

namespace quill::bench {

std::size_t HeapInUse() {
    return g_inUse.load();
}

std::size_t HeapPeak() {
    return g_peak.load();
}

void ResetHeapPeak() {
    g_peak.store(g_inUse.load());
}

} // namespace quill::bench
