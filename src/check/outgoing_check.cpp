#include "check/outgoing_check.h"

#include <list>

namespace vorlent {

bool IsIgnoredLine(std::string_view line, const StringSet& ignorePrefixes) {
    for (const ByteString& prefix : ignorePrefixes) {
        if (line.starts_with(prefix)) {
            return true;
        }
    }
    return false;
}

std::vector<std::string_view> PlanPrompts(LineRange lines, const StringSet& checkStrings,
                                          const StringSet& ignorePrefixes) {
    std::vector<std::string_view> plan;
    std::list<std::string_view> pending(checkStrings.begin(), checkStrings.end());
    for (std::string_view line : lines) {
        if (pending.empty()) {
            break;
        }
        if (IsIgnoredLine(line, ignorePrefixes)) {
            continue;
        }
        for (auto it = pending.begin(); it != pending.end();) {
            if (line.find(*it) != std::string_view::npos) {
                plan.push_back(*it);
                it = pending.erase(it);
            } else {
                ++it;
            }
        }
    }
    return plan;
}

int RunPrompts(const std::vector<std::string_view>& plan, Prompter& prompter) {
    for (std::string_view checkString : plan) {
        if (!prompter.ConfirmContinue(checkString)) {
            return kSendStopped;
        }
    }
    return kSendGoesAhead;
}

int CheckOutgoingText(LineRange lines, const StringSet& checkStrings,
                      const StringSet& ignorePrefixes, Prompter& prompter) {
    return RunPrompts(PlanPrompts(lines, checkStrings, ignorePrefixes), prompter);
}

}  // namespace vorlent
