#pragma once

// The check done the plain way: the body split at each CR LF, the lines taken
// in order up to the first that begins with a stop prefix, each tested against
// every ignore prefix, each pending string searched afresh in each line. Slow with many strings,
// and plainly right: the unit tests, the fuzzer and the benchmark hold the one-pass check to it. It
// shares no code with the plug-in on purpose, not even the line splitting or the prefix rule, so
// that a fault there cannot hide itself.

#include <cstddef>
#include <list>
#include <string_view>
#include <vector>

#include "check/string_set.h"

namespace vorlent::plain {

// One prompt: the check string and the start of the line it was found in.
struct Prompt {
    std::string_view checkString;
    std::size_t lineStart;

    friend bool operator==(const Prompt&, const Prompt&) = default;
};

// Calls onLine(line, lineStart) for each line until it returns false.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine&& onLine) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t separator = text.find("\r\n", start);
        const std::size_t end = separator == std::string_view::npos ? text.size() : separator;
        if (!onLine(text.substr(start, end - start), start) ||
            separator == std::string_view::npos) {
            return;
        }
        start = separator + 2;
    }
}

inline bool BeginsWithOneOf(std::string_view line, const StringSet& prefixes) {
    for (const ByteString& prefix : prefixes) {
        if (line.substr(0, prefix.size()) == prefix) {
            return true;
        }
    }
    return false;
}

// Every prompt a send asks, in order, when the user answers OK to each.
inline std::vector<Prompt> PlanPrompts(std::string_view text, const StringSet& checkStrings,
                                       const StringSet& ignorePrefixes,
                                       const StringSet& stopPrefixes) {
    std::vector<Prompt> plan;
    std::list<std::string_view> pending(checkStrings.begin(), checkStrings.end());
    ForEachLine(text, [&](std::string_view line, std::size_t lineStart) {
        if (pending.empty() || BeginsWithOneOf(line, stopPrefixes)) {
            return false;
        }
        if (BeginsWithOneOf(line, ignorePrefixes)) {
            return true;
        }
        for (auto it = pending.begin(); it != pending.end();) {
            if (line.find(*it) != std::string_view::npos) {
                plan.push_back({*it, lineStart});
                it = pending.erase(it);
            } else {
                ++it;
            }
        }
        return true;
    });
    return plan;
}

// The whole send, asking as it goes: each found string is asked about at
// once with prompter.ConfirmContinue(checkString), and an answer other than
// OK ends the send there. True when the send goes ahead.
template <typename Prompter>
bool CheckOutgoing(std::string_view text, const StringSet& checkStrings,
                   const StringSet& ignorePrefixes, const StringSet& stopPrefixes,
                   Prompter& prompter) {
    std::list<std::string_view> pending(checkStrings.begin(), checkStrings.end());
    bool goesAhead = true;
    ForEachLine(text, [&](std::string_view line, std::size_t) {
        if (BeginsWithOneOf(line, stopPrefixes)) {
            return false;
        }
        if (BeginsWithOneOf(line, ignorePrefixes)) {
            return true;
        }
        for (auto it = pending.begin(); it != pending.end();) {
            if (line.find(*it) == std::string_view::npos) {
                ++it;
            } else if (prompter.ConfirmContinue(*it)) {
                it = pending.erase(it);
            } else {
                goesAhead = false;
                return false;
            }
        }
        return true;
    });
    return goesAhead;
}

}  // namespace vorlent::plain
