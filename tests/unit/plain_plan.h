#pragma once

// The check done the plain way: each pending string searched afresh in each
// line. Slow with many strings, and plainly right: the tests, the fuzzer and
// the benchmark hold the one-pass check to it.

#include <list>
#include <string_view>
#include <vector>

#include "check/line_prefixes.h"
#include "check/line_range.h"
#include "check/outgoing_check.h"
#include "check/string_set.h"

namespace vorlent {

inline std::vector<PlannedPrompt> PlanPromptsPlain(std::string_view text,
                                                   const StringSet& checkStrings,
                                                   const StringSet& ignorePrefixes) {
    std::vector<PlannedPrompt> plan;
    std::list<std::string_view> pending(checkStrings.begin(), checkStrings.end());
    for (std::string_view line : LineRange(text)) {
        if (pending.empty()) {
            break;
        }
        if (BeginsWithAny(line, ignorePrefixes)) {
            continue;
        }
        for (auto it = pending.begin(); it != pending.end();) {
            if (line.find(*it) != std::string_view::npos) {
                plan.push_back({*it, static_cast<std::size_t>(line.data() - text.data())});
                it = pending.erase(it);
            } else {
                ++it;
            }
        }
    }
    return plan;
}

// The whole send the plain way, asking as it goes: each found string is asked
// about at once, and an answer other than OK ends the send there.
inline int CheckOutgoingPlain(std::string_view text, const StringSet& checkStrings,
                              const StringSet& ignorePrefixes, Prompter& prompter) {
    std::list<std::string_view> pending(checkStrings.begin(), checkStrings.end());
    for (std::string_view line : LineRange(text)) {
        if (BeginsWithAny(line, ignorePrefixes)) {
            continue;
        }
        for (auto it = pending.begin(); it != pending.end();) {
            if (line.find(*it) == std::string_view::npos) {
                ++it;
            } else if (prompter.ConfirmContinue(*it)) {
                it = pending.erase(it);
            } else {
                return kSendStopped;
            }
        }
    }
    return kSendGoesAhead;
}

}  // namespace vorlent
