#include "check/outgoing_check.h"

#include <algorithm>
#include <optional>

#include "check/first_line_search.h"

namespace vorlent {

std::vector<PlannedPrompt> PlanPrompts(BodyText body, const CheckIndex& checkIndex,
                                       const StringSet& ignorePrefixes,
                                       const StringSet& stopPrefixes) {
    // A string is asked about at its first searched line, so the prompts are
    // the findings in line order and, within a line, in the set's order.
    std::vector<Finding> findings = FindFirstLines(body, checkIndex, ignorePrefixes, stopPrefixes);
    std::sort(findings.begin(), findings.end());
    std::vector<PlannedPrompt> plan;
    plan.reserve(findings.size());
    for (const Finding& finding : findings) {
        plan.push_back({checkIndex.Strings()[finding.stringIndex], finding.lineStart});
    }
    return plan;
}

int CheckOutgoingText(LentText text, const StringSet& checkStrings, const CheckIndex* compiled,
                      const StringSet& ignorePrefixes, const StringSet& stopPrefixes,
                      Prompter& prompter) noexcept {
    std::vector<PlannedPrompt> plan;
    try {
        // A host that hands over no text is taken to be sending an empty body.
        const BodyText body =
            text ? BodyText::NulTerminated(text.get()) : BodyText(std::string_view());
        std::optional<CheckIndex> compiledHere;
        const CheckIndex& index =
            compiled != nullptr ? *compiled : compiledHere.emplace(checkStrings);
        // The plan's views point into the set, not the index: they outlive it.
        plan = PlanPrompts(body, index, ignorePrefixes, stopPrefixes);
    } catch (...) {
        return kSendGoesAhead;
    }
    // The host gets its block back before the user is asked anything.
    text.reset();
    try {
        for (const PlannedPrompt& prompt : plan) {
            if (!prompter.ConfirmContinue(prompt.checkString)) {
                return kSendStopped;
            }
        }
    } catch (...) {
        return kSendGoesAhead;
    }
    return kSendGoesAhead;
}

}  // namespace vorlent
