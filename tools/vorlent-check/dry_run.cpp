#include "dry_run.h"

#include <optional>

#include "check/check_index.h"
#include "check/line_prefixes.h"
#include "check/outgoing_check.h"
#include "config/code_page_932.h"

namespace vorlent::tool {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Line numbers for offsets that only grow, counted in one pass over the text.
class LineCounter {
  public:
    explicit LineCounter(std::string_view body) : body_(body) {}

    std::size_t NumberAt(std::size_t offset) {
        while (nextEnd_ < offset) {
            nextEnd_ = body_.find(kLineEnd, nextEnd_ + kLineEnd.size());
            ++number_;
        }
        return number_;
    }

  private:
    std::string_view body_;
    std::size_t nextEnd_ = body_.find(kLineEnd);  // npos after the last line end
    std::size_t number_ = 1;
};

}  // namespace

std::string_view LineFrom(std::string_view body, std::size_t lineStart) {
    const std::size_t end = body.find(kLineEnd, lineStart);
    return body.substr(lineStart,
                       end == std::string_view::npos ? body.size() - lineStart : end - lineStart);
}

MatchPlacement PlaceMatch(std::string_view line, std::string_view text) {
    std::vector<bool> insideCharacter(line.size() + 1, false);
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t length = cp932::CharacterLength(line, at);
        if (length == 2) {
            insideCharacter[at + 1] = true;
        }
        at += length;
    }
    std::optional<MatchPlacement> first;
    for (std::size_t at = line.find(text); at != std::string_view::npos;
         at = line.find(text, at + 1)) {
        const bool startCuts = insideCharacter[at];
        const bool endCuts = insideCharacter[at + text.size()];
        if (!startCuts && !endCuts) {
            return MatchPlacement::kWhole;
        }
        if (!first) {
            // A trail byte ends its character, so only a one-byte match that
            // starts on one stays within it.
            first = startCuts && text.size() == 1 ? MatchPlacement::kInsideCharacter
                                                  : MatchPlacement::kStraddles;
        }
    }
    return first.value_or(MatchPlacement::kWhole);
}

DryRun RunDryCheck(std::string_view body, const StringSet& checkStrings,
                   const StringSet& ignorePrefixes, const StringSet& stopPrefixes) {
    DryRun run;
    std::size_t number = 1;
    for (std::size_t start = 0;; ++number) {
        const std::string_view line = LineFrom(body, start);
        // The stop test comes first, as in the plug-in's search.
        if (run.stop) {
            run.afterStop.push_back(line);
        } else if (const ByteString* stop = FindLinePrefix(line, stopPrefixes)) {
            run.stop = SkippedLine{number, line, *stop};
        } else if (const ByteString* ignored = FindLinePrefix(line, ignorePrefixes)) {
            run.skipped.push_back({number, line, *ignored});
        }
        start += line.size() + kLineEnd.size();
        if (start > body.size()) {
            break;
        }
    }

    // The plug-in's own plan says which strings prompt, in what order and in
    // which line.
    const CheckIndex index(checkStrings);
    LineCounter lines(body);
    for (const PlannedPrompt& planned : PlanPrompts(body, index, ignorePrefixes, stopPrefixes)) {
        const std::string_view line = LineFrom(body, planned.lineStart);
        run.prompts.push_back({planned.checkString, lines.NumberAt(planned.lineStart), line,
                               PlaceMatch(line, planned.checkString)});
    }
    return run;
}

}  // namespace vorlent::tool
