#include "check/outgoing_check.h"

#include <algorithm>

#include "check/first_line_search.h"

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
    return PlanPrompts(lines, CheckIndex(checkStrings), ignorePrefixes);
}

std::vector<std::string_view> PlanPrompts(LineRange lines, const CheckIndex& checkIndex,
                                          const StringSet& ignorePrefixes) {
    // A string is asked about at its first searched line, so the prompts are
    // the findings in line order and, within a line, in the set's order.
    std::vector<Finding> findings =
        FindFirstLines(lines.Text(), checkIndex, ignorePrefixes, StringSet{});
    std::sort(findings.begin(), findings.end());
    std::vector<std::string_view> plan;
    plan.reserve(findings.size());
    for (const Finding& finding : findings) {
        plan.push_back(checkIndex.Strings()[finding.stringIndex]);
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
