#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "check/body_text.h"
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

// For every check string that stands in some searched line of `text`, the
// first such line, in no particular order. Lines are split at CR LF and taken
// in order; the first line that begins with a stop prefix ends the search
// (neither it nor any line after it is searched; of a NUL-terminated text
// at most a few KB after it are read to find where lines end); otherwise a
// line that begins with an ignore prefix is not searched. With no stop
// prefixes every line is taken. The text is read, never copied.
std::vector<Finding> FindFirstLines(BodyText text, const CheckIndex& index,
                                    const StringSet& ignorePrefixes, const StringSet& stopPrefixes);

}  // namespace vorlent
