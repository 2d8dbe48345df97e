#include "check/outgoing_send.h"

namespace vorlent::detail {

namespace {

// Whatever the check strings come as, a failure to plan is a plan not made.
template <typename Checks>
bool TryPlan(std::string_view body, const Checks& checks, const StringSet& ignorePrefixes,
             std::vector<std::string_view>& plan) noexcept {
    try {
        plan = PlanPrompts(LineRange(body), checks, ignorePrefixes);
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

bool TryPlanPrompts(std::string_view body, const CheckIndex& checkIndex,
                    const StringSet& ignorePrefixes, std::vector<std::string_view>& plan) noexcept {
    return TryPlan(body, checkIndex, ignorePrefixes, plan);
}

bool TryPlanPrompts(std::string_view body, const StringSet& checkStrings,
                    const StringSet& ignorePrefixes, std::vector<std::string_view>& plan) noexcept {
    return TryPlan(body, checkStrings, ignorePrefixes, plan);
}

int TryRunPrompts(const std::vector<std::string_view>& plan, Prompter& prompter) noexcept {
    try {
        return RunPrompts(plan, prompter);
    } catch (...) {
        return kSendGoesAhead;
    }
}

}  // namespace vorlent::detail
