#include "allocation_meter.h"

#include "counted_heap.h"

namespace vorlent::bench {

AllocationMeter::AllocationMeter() : baseline_(heap::Current().liveBytes) {
    heap::ResetPeak();
}

std::size_t AllocationMeter::PeakBytes() const {
    return heap::Current().peakBytes - baseline_;
}

}  // namespace vorlent::bench
