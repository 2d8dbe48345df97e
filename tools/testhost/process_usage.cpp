#include "process_usage.h"

#include <windows.h>

#include <psapi.h>

#include <cstdint>
#include <vector>

namespace {

std::size_t PagefileBytes() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) {
        return 0;
    }
    return counters.PagefileUsage;
}

void AddBusyBlocks(HANDLE heap, ProcessUsage& usage) {
    if (!::HeapLock(heap)) {
        return;
    }
    PROCESS_HEAP_ENTRY entry = {};
    while (::HeapWalk(heap, &entry)) {
        if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0) {
            usage.heapBytes += entry.cbData;
            ++usage.heapBlocks;
        }
    }
    ::HeapUnlock(heap);
}

void AddHeaps(ProcessUsage& usage) {
    std::vector<HANDLE> heaps(64);
    for (;;) {
        const DWORD count = ::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
        if (count <= heaps.size()) {
            heaps.resize(count);
            break;
        }
        heaps.resize(count);
    }
    for (const HANDLE heap : heaps) {
        AddBusyBlocks(heap, usage);
    }
}

// Kernel handles are multiples of four; a process that leaks one per plug-in
// load stays far below this many after a few hundred loads.
constexpr std::uintptr_t kHighestHandleProbed = 0x10000;

std::size_t OpenHandles() {
    std::size_t count = 0;
    for (std::uintptr_t value = 4; value <= kHighestHandleProbed; value += 4) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
        }
    }
    return count;
}

}  // namespace

ProcessUsage MeasureProcessUsage() {
    ProcessUsage usage;
    usage.pagefileBytes = PagefileBytes();
    AddHeaps(usage);
    usage.openHandles = OpenHandles();
    return usage;
}
