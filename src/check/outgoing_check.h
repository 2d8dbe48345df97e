#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "check/body_text.h"
#include "check/check_index.h"
#include "check/string_set.h"

namespace vorlent {

// Results the host understands from the outgoing callback.
inline constexpr int kSendGoesAhead = 0;
inline constexpr int kSendStopped = -1;

// Asks the user about one check string found in the body.
class Prompter {
  public:
    virtual ~Prompter() = default;
    // True when the user chose to go on (OK); anything else stops the send.
    virtual bool ConfirmContinue(std::string_view checkString) = 0;
};

// The body text the host lends for one send. Letting go of it gives it back
// through the host's own release function, so it goes back exactly once on
// every path, and a null text (no body) is never given back.
struct GiveTextBack {
    void (*release)(char* text) = nullptr;
    void operator()(char* text) const noexcept { release(text); }
};
using LentText = std::unique_ptr<char, GiveTextBack>;

// One prompt the send will show: the check string, and the offset in the body
// at which the line that it was found in starts.
struct PlannedPrompt {
    std::string_view checkString;
    std::size_t lineStart;

    friend bool operator==(const PlannedPrompt&, const PlannedPrompt&) = default;
};

// The prompts of one send, in the order of asking: line by line, and within a
// line in the set's byte order, each check string once at its first
// occurrence in a line that no ignore prefix excludes, up to the first line
// that begins with a stop prefix. The check strings are views into the set
// the index was built from.
//
// The sequence depends only on the text and the sets (an OK only moves on,
// anything else ends the send), so it can be worked out before the first
// prompt and the host's text given back before the user is asked.
std::vector<PlannedPrompt> PlanPrompts(BodyText body, const CheckIndex& checkIndex,
                                       const StringSet& ignorePrefixes,
                                       const StringSet& stopPrefixes);

// Checks one send: plans the prompts against the lent text, gives the text
// back, then asks about each planned string in turn until the user declines.
// `compiled` is the index built from `checkStrings` at start-up, or null when
// that failed; then the send builds its own.
//
// Nothing thrown gets out: a check that cannot be completed (memory ran out,
// say) asked the user nothing, or nothing more, and an unasked question must
// not hold the mail back, so the send goes ahead.
int CheckOutgoingText(LentText text, const StringSet& checkStrings, const CheckIndex* compiled,
                      const StringSet& ignorePrefixes, const StringSet& stopPrefixes,
                      Prompter& prompter) noexcept;

}  // namespace vorlent
