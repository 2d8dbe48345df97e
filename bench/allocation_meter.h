#pragma once

#include <cstddef>

namespace vorlent::bench {

// Heap use from construction on: this executable counts every allocation
// through its own global operator new.
class AllocationMeter {
  public:
    AllocationMeter();
    // The most bytes alive at once beyond those alive at construction.
    std::size_t PeakBytes() const;

  private:
    std::size_t baseline_;
};

}  // namespace vorlent::bench
