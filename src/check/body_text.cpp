#include "check/body_text.h"

#include <algorithm>

#include "check/byte_search.h"

namespace vorlent {
namespace {

// The end is looked for at least this far ahead, so that a search asking for
// a few bytes at a time does not look again for each.
constexpr std::size_t kLookAheadBytes = 4 * 1024;
// One look covers at most this much, so that a request far ahead never asks
// for a length that would run past the end of the address space.
constexpr std::size_t kMostPerLook = 1024 * 1024;

}  // namespace

std::string_view BodyText::Through(std::size_t size) {
    while (!complete_ && known_ < size) {
        // The look may reach past the NUL: FindNul stops there.
        const std::size_t look = std::min(std::max(size - known_, kLookAheadBytes), kMostPerLook);
        const char* const end = FindNul(data_ + known_, look);
        if (end != nullptr) {
            known_ = static_cast<std::size_t>(end - data_);
            complete_ = true;
        } else {
            known_ += look;
        }
    }
    return Known();
}

}  // namespace vorlent
