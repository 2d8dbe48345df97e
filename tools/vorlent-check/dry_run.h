#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "check/string_set.h"
#include "texts.h"

namespace vorlent::tool {

struct DryRunPrompt {
    std::string_view checkString;
    std::size_t lineNumber;  // 1-based
    std::string_view line;
    MatchPlacement placement;
};

struct SkippedLine {
    std::size_t lineNumber;
    std::string_view line;
    std::string_view prefix;  // the first ignore prefix, in set order, it begins with
};

struct DryRun {
    std::vector<DryRunPrompt> prompts;  // in the order the plug-in would ask
    std::vector<SkippedLine> skipped;   // before the stop line, if any
    // The first line that begins with a stop prefix (prefix: the first in set
    // order): it and every later line are not searched.
    std::optional<SkippedLine> stop;
    std::vector<std::string_view> afterStop;  // the lines after it, in order
};

// What the plug-in does with one message body if every prompt is answered
// OK. The views point into body and the sets.
DryRun RunDryCheck(std::string_view body, const StringSet& checkStrings,
                   const StringSet& ignorePrefixes, const StringSet& stopPrefixes);

// The line of body that starts at lineStart, without its CR LF.
std::string_view LineFrom(std::string_view body, std::size_t lineStart);

// How the first occurrence of text in line that a reader would see as that
// text (starting and ending on character boundaries, reading the line from
// its start) lies; when there is none, how the first occurrence cuts through
// characters. The text must occur in the line.
MatchPlacement PlaceMatch(std::string_view line, std::string_view text);

}  // namespace vorlent::tool
