#include "dry_run.h"

#include <algorithm>

#include "check/line_prefixes.h"
#include "check/line_range.h"
#include "check/outgoing_check.h"
#include "config/code_page_932.h"

namespace vorlent::tool {

bool StraddlesCharacters(std::string_view line, std::string_view text) {
    bool found = false;
    for (std::size_t at = line.find(text); at != std::string_view::npos;
         at = line.find(text, at + 1)) {
        if (!cp932::IsInsideCharacter(line, at)) {
            return false;
        }
        found = true;
    }
    return found;
}

DryRun RunDryCheck(std::string_view body, const StringSet& checkStrings,
                   const StringSet& ignorePrefixes) {
    DryRun run;
    std::vector<std::string_view> lines;
    for (const std::string_view line : LineRange(body)) {
        lines.push_back(line);
        if (const ByteString* prefix = FindLinePrefix(line, ignorePrefixes)) {
            run.skipped.push_back({lines.size(), line, *prefix});
        }
    }

    // The plug-in's own plan says which strings prompt, in what order, and in
    // which line.
    const auto lineStartsAfter = [body](std::size_t offset, std::string_view line) {
        return offset < static_cast<std::size_t>(line.data() - body.data());
    };
    for (const PlannedPrompt& prompt :
         PlanPrompts(body, CheckIndex(checkStrings), ignorePrefixes, {})) {
        const auto after =
            std::upper_bound(lines.begin(), lines.end(), prompt.lineStart, lineStartsAfter);
        const std::size_t lineNumber = static_cast<std::size_t>(after - lines.begin());
        const std::string_view line = lines[lineNumber - 1];
        run.prompts.push_back(
            {prompt.checkString, lineNumber, line, StraddlesCharacters(line, prompt.checkString)});
    }
    return run;
}

}  // namespace vorlent::tool
