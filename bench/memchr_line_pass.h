#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#include "check/byte_search.h"

namespace vorlent::bench {

// A pass from line feed to line feed with `findLineFeed(at, count)`; returns
// the number of line feeds, so that the pass cannot be optimised away.
template <typename FindLineFeed>
std::size_t LinePass(std::string_view body, FindLineFeed findLineFeed) {
    const char* at = body.data();
    const char* const end = body.data() + body.size();
    std::size_t lines = 0;
    while ((at = findLineFeed(at, static_cast<std::size_t>(end - at))) != nullptr) {
        ++at;
        ++lines;
    }
    return lines;
}

// The limit every ratio is measured against: one memchr pass from line feed
// to line feed, the walk any line-by-line check has to make.
inline std::size_t MemchrLinePass(std::string_view body) {
    return LinePass(body, [](const char* at, std::size_t count) {
        return static_cast<const char*>(std::memchr(at, '\n', count));
    });
}

// The same pass with the check's own byte search, which does not depend on
// the C library: under Wine, whose memchr reads a byte at a time, this is
// the fairer limit.
inline std::size_t FindByteLinePass(std::string_view body) {
    return LinePass(body,
                    [](const char* at, std::size_t count) { return FindByte(at, count, '\n'); });
}

}  // namespace vorlent::bench
