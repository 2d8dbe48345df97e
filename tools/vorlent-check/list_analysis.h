#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "config/unicode_profile.h"

namespace vorlent::tool {

enum class ListProblem {
    kEmptyItem,
    kContainsCrLf,
    kRepeats,        // sameAs names the earlier item
    kQuoteLeftOpen,  // of the whole value; item is 0
};

struct ListFinding {
    ListProblem problem;
    std::size_t item;  // 1-based place in the list
    std::size_t sameAs;
    std::string text = {};  // the item
};

// A configured list as the plug-in's parser splits it, in list order, with
// what a user would not have meant; the findings come in item order, an
// open quotation mark last.
struct ListAnalysis {
    std::vector<std::string> items;
    std::vector<ListFinding> findings;
};

ListAnalysis AnalyzeQuotedList(std::string_view value);

// The same for a list already split (and converted), with whether its value
// leaves a quotation mark open.
ListAnalysis AnalyzeList(const ConfiguredList& list, bool quoteLeftOpen);

// Whether the parser is still inside quotation marks at the end of the value.
bool LeavesQuoteOpen(std::string_view value);

}  // namespace vorlent::tool
