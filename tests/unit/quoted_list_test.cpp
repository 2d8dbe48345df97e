#include "config/quoted_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlent {
namespace {

struct ListCase {
    const char* name;
    std::string value;
    std::vector<std::string> items;
};

class QuotedListTest : public testing::TestWithParam<ListCase> {};

TEST_P(QuotedListTest, Parses) {
    const ListCase& c = GetParam();
    const CQuotedList list(c.value);
    ASSERT_EQ(list.GetCount(), c.items.size());
    for (std::size_t i = 0; i < c.items.size(); ++i) {
        EXPECT_EQ(list.GetAt(i), c.items[i]) << "item " << i;
    }
}

const ListCase kListCases[] = {
    {"Plain", "a,b", {"a", "b"}},
    {"EmptyMiddleItemKept", "a,,b", {"a", "", "b"}},
    {"EmptyFirstItemKept", ",a", {"", "a"}},
    {"EmptyLastItemDropped", "a,", {"a"}},
    {"QuotedComma", "\"a,b\",c", {"a,b", "c"}},
    {"DoubledQuoteInsideQuotes", "\"a\"\"b\"", {"a\"b"}},
    {"QuotesInsideItem", "a\"b,c\"d", {"ab,cd"}},
    {"UnclosedQuoteRunsToEnd", "\"abc", {"abc"}},
    {"UnclosedQuoteSwallowsCommas", "x,\"a,b", {"x", "a,b"}},
    {"EmptyQuotedLastItemDropped", "\"\"", {}},
    {"EmptyQuotedItemEndedByComma", "\"\",x", {"", "x"}},
    {"BlanksAreBytes", " a , b ", {" a ", " b "}},
    {"EmptyValue", "", {}},
    {"DoubledQuoteOutsideQuotesOpensAndCloses", "a\"\"b", {"ab"}},
    {"QuoteAtVeryEndInsideQuotes", "\"a\"\"", {"a\""}},
    {"DoubleByteTextKept",
     "\x93\x59\x95\x74,\x83\x74\x83\x40",
     {"\x93\x59\x95\x74", "\x83\x74\x83\x40"}},
    {"CaseKept", "Attached,ATTACHED", {"Attached", "ATTACHED"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, QuotedListTest, testing::ValuesIn(kListCases),
                         [](const testing::TestParamInfo<ListCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace vorlent
