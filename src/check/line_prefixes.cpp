#include "check/line_prefixes.h"

namespace vorlent {

const ByteString* FindLinePrefix(std::string_view line, const StringSet& prefixes) {
    if (prefixes.empty()) {
        return nullptr;
    }
    // The set's order puts the empty prefix first and keeps the prefixes that
    // begin with one byte together, so only those need a look.
    if (prefixes.begin()->empty()) {
        return &*prefixes.begin();
    }
    if (line.empty()) {
        return nullptr;
    }
    for (auto it = prefixes.lower_bound(ByteString(1, line.front()));
         it != prefixes.end() && it->front() == line.front(); ++it) {
        if (line.starts_with(*it)) {
            return &*it;
        }
    }
    return nullptr;
}

}  // namespace vorlent
