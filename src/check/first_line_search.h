#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "check/check_index.h"
#include "check/string_set.h"

namespace vorlent {

// A check string and the first searched line of the body that contains it,
// named by the offset at which that line starts.
struct Finding {
    std::size_t lineStart;
    std::uint32_t stringIndex;  // index in CheckIndex::Strings()

    friend bool operator<(const Finding& a, const Finding& b) {
        return a.lineStart != b.lineStart ? a.lineStart < b.lineStart
                                          : a.stringIndex < b.stringIndex;
    }
};

// For every check string that stands in some searched line of `text` (lines
// split at CR LF; a line beginning with an ignore prefix is not searched), the
// first such line, in no particular order. The text is read, never copied.
std::vector<Finding> FindFirstLines(std::string_view text, const CheckIndex& index,
                                    const StringSet& ignorePrefixes);

}  // namespace vorlent
