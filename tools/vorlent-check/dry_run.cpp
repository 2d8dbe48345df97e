#include "dry_run.h"

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
    const std::vector<std::string_view> lines = SplitLines(body);
    std::vector<bool> searched(lines.size());

    DryRun run;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        searched[i] = !IsIgnoredLine(lines[i], ignorePrefixes);
        if (searched[i]) {
            continue;
        }
        for (const ByteString& prefix : ignorePrefixes) {
            if (lines[i].starts_with(prefix)) {
                run.skipped.push_back({i + 1, lines[i], prefix});
                break;
            }
        }
    }

    // The plug-in's own plan says which strings prompt and in what order; each
    // prompts at its first occurrence in a searched line, which places it.
    for (const std::string_view checkString :
         PlanPrompts(LineRange(body), checkStrings, ignorePrefixes)) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (searched[i] && lines[i].find(checkString) != std::string_view::npos) {
                run.prompts.push_back(
                    {checkString, i + 1, lines[i], StraddlesCharacters(lines[i], checkString)});
                break;
            }
        }
    }
    return run;
}

}  // namespace vorlent::tool
