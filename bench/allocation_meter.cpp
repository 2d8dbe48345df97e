#include "allocation_meter.h"

#include <cstdlib>
#include <new>

namespace {

std::size_t g_liveBytes = 0;
std::size_t g_peakBytes = 0;

// Each block carries its size in front, so that a delete without a size
// still counts right.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *reinterpret_cast<std::size_t*>(block) = size;
    g_liveBytes += size;
    if (g_liveBytes > g_peakBytes) {
        g_peakBytes = g_liveBytes;
    }
    return block + kHeader;
}

void Release(void* pointer) noexcept {
    if (pointer != nullptr) {
        unsigned char* block = static_cast<unsigned char*>(pointer) - kHeader;
        g_liveBytes -= *reinterpret_cast<std::size_t*>(block);
        std::free(block);
    }
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* pointer) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    Release(pointer);
}

namespace vorlent::bench {

AllocationMeter::AllocationMeter() : baseline_(g_liveBytes) {
    g_peakBytes = g_liveBytes;
}

std::size_t AllocationMeter::PeakBytes() const {
    return g_peakBytes - baseline_;
}

}  // namespace vorlent::bench
