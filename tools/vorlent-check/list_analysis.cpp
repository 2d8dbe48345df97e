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
    ConfiguredList list;
    const CQuotedList items(value);
    for (std::size_t i = 0; i < items.GetCount(); ++i) {
        list.items.push_back({i + 1, items.GetAt(i)});
    }
    return AnalyzeList(list, LeavesQuoteOpen(value));
}

ListAnalysis AnalyzeList(const ConfiguredList& list, bool quoteLeftOpen) {
    ListAnalysis analysis;
    std::map<std::string_view, std::size_t> firstPlace;
    for (const ConfiguredItem& listItem : list.items) {
        analysis.items.push_back(listItem.bytes);
    }
    for (const ConfiguredItem& listItem : list.items) {
        const std::string& item = listItem.bytes;
        const std::size_t place = listItem.place;
        if (item.empty()) {
            analysis.findings.push_back({ListProblem::kEmptyItem, place, 0, item});
        }
        if (item.find("\r\n") != std::string::npos) {
            analysis.findings.push_back({ListProblem::kContainsCrLf, place, 0, item});
        }
        const auto [earlier, isFirst] = firstPlace.emplace(item, place);
        if (!isFirst) {
            analysis.findings.push_back({ListProblem::kRepeats, place, earlier->second, item});
        }
    }
    if (quoteLeftOpen) {
        analysis.findings.push_back({ListProblem::kQuoteLeftOpen, 0, 0});
    }
    return analysis;
}

}  // namespace vorlent::tool
