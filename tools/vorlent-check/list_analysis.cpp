#include "list_analysis.h"

#include <map>

#include "config/quoted_list.h"

namespace vorlent::tool {

bool LeavesQuoteOpen(std::string_view value) {
    bool insideQuotes = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '"') {
            continue;
        }
        if (insideQuotes && i + 1 < value.size() && value[i + 1] == '"') {
            ++i;  // a doubled mark inside quotes is a literal one
        } else {
            insideQuotes = !insideQuotes;
        }
    }
    return insideQuotes;
}

ListAnalysis AnalyzeQuotedList(std::string_view value) {
    ListAnalysis analysis;
    analysis.items = CQuotedList(value).Items();

    std::map<std::string_view, std::size_t> firstPlace;
    for (std::size_t i = 0; i < analysis.items.size(); ++i) {
        const std::string& item = analysis.items[i];
        const std::size_t place = i + 1;
        if (item.empty()) {
            analysis.findings.push_back({ListProblem::kEmptyItem, place, 0});
        }
        if (item.find("\r\n") != std::string::npos) {
            analysis.findings.push_back({ListProblem::kContainsCrLf, place, 0});
        }
        const auto [earlier, isFirst] = firstPlace.emplace(item, place);
        if (!isFirst) {
            analysis.findings.push_back({ListProblem::kRepeats, place, earlier->second});
        }
    }
    if (LeavesQuoteOpen(value)) {
        analysis.findings.push_back({ListProblem::kQuoteLeftOpen, 0, 0});
    }
    return analysis;
}

}  // namespace vorlent::tool
