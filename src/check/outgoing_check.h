#pragma once

#include <string_view>
#include <vector>

#include "check/check_index.h"
#include "check/line_range.h"
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

// The check strings the user will be asked about, in the order of asking:
// line by line, and within a line in the set's byte order, each string once at
// its first occurrence in a line that no ignore prefix excludes. The views
// point into checkStrings.
//
// The whole sequence depends only on the text and the two sets (an OK only
// moves on, anything else ends the send), so it can be worked out before the
// first prompt and the host's text released before the user is asked. It is
// the same as searching each pending string afresh in each line, but all the
// strings are searched for in one pass over the text.
std::vector<std::string_view> PlanPrompts(LineRange lines, const StringSet& checkStrings,
                                          const StringSet& ignorePrefixes);

// As above with the check strings compiled beforehand, so that a send does no
// work in proportion to the number of strings unless it finds them. The views
// point into the set the index was built from.
std::vector<std::string_view> PlanPrompts(LineRange lines, const CheckIndex& checkIndex,
                                          const StringSet& ignorePrefixes);

// Asks about each planned string in turn; the first answer other than OK stops.
int RunPrompts(const std::vector<std::string_view>& plan, Prompter& prompter);

int CheckOutgoingText(LineRange lines, const StringSet& checkStrings,
                      const StringSet& ignorePrefixes, Prompter& prompter);

bool IsIgnoredLine(std::string_view line, const StringSet& ignorePrefixes);

}  // namespace vorlent
