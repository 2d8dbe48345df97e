#pragma once

#include <cstddef>

// An executable that links this counts every allocation through its global
// operator new and delete, and can make one of them fail, to measure what a
// send allocates or to prove what it does when memory runs out.
namespace vorlent::heap {

struct Counts {
    long liveBlocks = 0;
    std::size_t liveBytes = 0;
    std::size_t peakBytes = 0;  // the most live bytes since the last ResetPeak
};

const Counts& Current();

// Starts a new peak from the bytes alive now.
void ResetPeak();

// The nth allocation from now throws std::bad_alloc; 0 fails none.
void FailNthAllocation(long nth);

// Whether the failure asked for has happened.
bool FailureHappened();

}  // namespace vorlent::heap
