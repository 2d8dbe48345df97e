#include "counted_heap.h"

#include <cstdlib>
#include <new>

namespace vorlent::heap {
namespace {

Counts g_counts;
long g_untilFailure = 0;
bool g_failed = false;

// Each block carries its size in front, so that a delete without a size
// still counts right.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
    if (g_untilFailure != 0 && --g_untilFailure == 0) {
        g_failed = true;
        throw std::bad_alloc();
    }
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *reinterpret_cast<std::size_t*>(block) = size;
    ++g_counts.liveBlocks;
    g_counts.liveBytes += size;
    if (g_counts.liveBytes > g_counts.peakBytes) {
        g_counts.peakBytes = g_counts.liveBytes;
    }
    return block + kHeader;
}

void Release(void* pointer) noexcept {
    if (pointer != nullptr) {
        unsigned char* block = static_cast<unsigned char*>(pointer) - kHeader;
        --g_counts.liveBlocks;
        g_counts.liveBytes -= *reinterpret_cast<std::size_t*>(block);
        std::free(block);
    }
}

}  // namespace

const Counts& Current() {
    return g_counts;
}

void ResetPeak() {
    g_counts.peakBytes = g_counts.liveBytes;
}

void FailNthAllocation(long nth) {
    g_untilFailure = nth;
    g_failed = false;
}

bool FailureHappened() {
    return g_failed;
}

}  // namespace vorlent::heap

void* operator new(std::size_t size) {
    return vorlent::heap::Allocate(size);
}
void* operator new[](std::size_t size) {
    return vorlent::heap::Allocate(size);
}
void operator delete(void* pointer) noexcept {
    vorlent::heap::Release(pointer);
}
void operator delete[](void* pointer) noexcept {
    vorlent::heap::Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    vorlent::heap::Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    vorlent::heap::Release(pointer);
}
