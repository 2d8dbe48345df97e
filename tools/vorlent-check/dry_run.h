#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "check/string_set.h"

namespace vorlent::tool {

struct DryRunPrompt {
    std::string_view checkString;
    std::size_t lineNumber;  // 1-based
    std::string_view line;
    // Every occurrence in the line starts on the second byte of a double-byte
    // character: byte-wise matching finds it, a reader sees no such text.
    bool straddles;
};

struct SkippedLine {
    std::size_t lineNumber;
    std::string_view line;
    std::string_view prefix;  // the first ignore prefix, in set order, it begins with
};

struct DryRun {
    std::vector<DryRunPrompt> prompts;  // in the order the plug-in would ask
    std::vector<SkippedLine> skipped;
};

// What the plug-in does with one message body if every prompt is answered
// OK. The views point into body and the sets.
DryRun RunDryCheck(std::string_view body, const StringSet& checkStrings,
                   const StringSet& ignorePrefixes);

// Whether no occurrence of text in line starts on a character boundary.
bool StraddlesCharacters(std::string_view line, std::string_view text);

}  // namespace vorlent::tool
