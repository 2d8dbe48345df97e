#pragma once

#include <string_view>
#include <type_traits>
#include <vector>

#include "check/check_index.h"
#include "check/outgoing_check.h"
#include "check/string_set.h"

namespace vorlent {

namespace detail {
bool TryPlanPrompts(std::string_view body, const CheckIndex& checkIndex,
                    const StringSet& ignorePrefixes, std::vector<std::string_view>& plan) noexcept;
bool TryPlanPrompts(std::string_view body, const StringSet& checkStrings,
                    const StringSet& ignorePrefixes, std::vector<std::string_view>& plan) noexcept;
int TryRunPrompts(const std::vector<std::string_view>& plan, Prompter& prompter) noexcept;
}  // namespace detail

// One send as the host boundary needs it: the prompts are planned against the
// body the host lends, the body is given back with `releaseBody` (exactly
// once, before the first prompt), then the user is asked.
//
// Nothing thrown gets out. A check that cannot be completed (memory ran out,
// say) asked the user nothing, or nothing more, and an unasked question must
// not hold the mail back: the send goes ahead.
//
// `checks` is a CheckIndex built beforehand, or the StringSet of check strings
// to build one from for this send.
template <typename Checks, typename ReleaseBody>
int CheckOutgoingSend(std::string_view body, ReleaseBody&& releaseBody, const Checks& checks,
                      const StringSet& ignorePrefixes, Prompter& prompter) noexcept {
    static_assert(std::is_nothrow_invocable_v<ReleaseBody&>, "giving the body back must not fail");
    std::vector<std::string_view> plan;
    const bool planned = detail::TryPlanPrompts(body, checks, ignorePrefixes, plan);
    releaseBody();
    return planned ? detail::TryRunPrompts(plan, prompter) : kSendGoesAhead;
}

}  // namespace vorlent
