#include "check/outgoing_send.h"

namespace vorlent::detail {

bool TryPlanPrompts(std::string_view body, const CheckIndex& checkIndex,
                    const StringSet& ignorePrefixes, std::vector<std::string_view>& plan) noexcept {
    try {
        plan = PlanPrompts(LineRange(body), checkIndex, ignorePrefixes);
        return true;
    } catch (...) {
        return false;
    }
}

bool TryPlanPrompts(std::string_view body, const StringSet& checkStrings,
                    const StringSet& ignorePrefixes, std::vector<std::string_view>& plan) noexcept {
    try {
        plan = PlanPrompts(LineRange(body), checkStrings, ignorePrefixes);
        return true;
    } catch (...) {
        return false;
    }
}

int TryRunPrompts(const std::vector<std::string_view>& plan, Prompter& prompter) noexcept {
    try {
        return RunPrompts(plan, prompter);
    } catch (...) {
        return kSendGoesAhead;
    }
}

}  // namespace vorlent::detail
