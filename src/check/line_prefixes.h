#pragma once

#include <string_view>

#include "check/string_set.h"

namespace vorlent {

// The prefix of the set that the line begins with, or null when it begins with
// none. An empty prefix begins every line. This one rule decides which lines
// an ignore prefix takes out of the search, for the plug-in and the checker.
const ByteString* FindLinePrefix(std::string_view line, const StringSet& prefixes);

inline bool BeginsWithAny(std::string_view line, const StringSet& prefixes) {
    return FindLinePrefix(line, prefixes) != nullptr;
}

}  // namespace vorlent
