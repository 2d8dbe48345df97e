#pragma once

#include <cstddef>

// What the process holds right now, by measures that work on Windows and
// under Wine alike. Wine 8 reports 0 for PrivateUsage and for
// GetProcessHandleCount, so neither is used.
struct ProcessUsage {
    // PROCESS_MEMORY_COUNTERS::PagefileUsage: the committed private memory.
    std::size_t pagefileBytes = 0;
    // The bytes of all busy blocks in all of the process's heaps.
    std::size_t heapBytes = 0;
    std::size_t heapBlocks = 0;
    // Handles that GetHandleInformation accepts, found by trying every value.
    std::size_t openHandles = 0;
};

ProcessUsage MeasureProcessUsage();
