// The stop rule of the search: the first line that begins with a stop prefix
// ends the search, and neither that line nor any after it is searched.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "check/check_index.h"
#include "check/first_line_search.h"
#include "guarded_pages.h"

namespace vorlent {
namespace {

// The strings found, in the order they would be asked about.
std::vector<std::string> Found(std::string_view body, const StringSet& checks,
                               const StringSet& ignore, const StringSet& stop) {
    const CheckIndex index(checks);
    std::vector<Finding> findings = FindFirstLines(body, index, ignore, stop);
    std::sort(findings.begin(), findings.end());
    std::vector<std::string> found;
    for (const Finding& finding : findings) {
        found.emplace_back(index.Strings()[finding.stringIndex]);
    }
    return found;
}

struct StopCase {
    const char* what;
    std::string body;
    StringSet checks;
    StringSet ignore;
    StringSet stop;
    std::vector<std::string> found;
};

TEST(StopPrefixTest, FirstStopLineEndsTheSearch) {
    const std::string reply =
        "see the \x93\x59\x95\x74\r\n-----Original Message-----\r\n"
        "the original's \x93\x59\x95\x74 and falcon\r\n";
    const std::vector<StopCase> cases = {
        {"no stop prefixes: every line is searched",
         reply,
         {"\x93\x59\x95\x74", "falcon"},
         {},
         {},
         {"\x93\x59\x95\x74", "falcon"}},
        {"nothing from the separator on",
         reply,
         {"\x93\x59\x95\x74", "falcon"},
         {},
         {"-----Original Message-----"},
         {"\x93\x59\x95\x74"}},
        {"a string only on the stop line", "a\r\n-- b\r\nc", {"b", "c"}, {}, {"-- "}, {}},
        {"a stop line that is also ignored still stops",
         "a\r\n> -- \r\nb",
         {"a", "b"},
         {">"},
         {"> -- "},
         {"a"}},
        {"an ignore prefix of the stop line changes nothing",
         "a\r\n-- \r\nb",
         {"a", "b"},
         {"-"},
         {"-- "},
         {"a"}},
        {"an empty stop prefix stops at the first line", "a\r\nb", {"", "a"}, {}, {""}, {}},
        {"a stop line first searches nothing", "-- \r\na", {"", "a"}, {}, {"-- "}, {}},
        {"the empty string is found on the first line before the stop",
         "\r\n-- \r\nx",
         {"", "x"},
         {},
         {"-- "},
         {""}},
        {"the prefix inside a line does not stop",
         "a -- b\r\nc",
         {"a", "b", "c"},
         {},
         {"-- "},
         {"a", "b", "c"}},
        {"a line shorter than the prefix does not stop", "--\r\na", {"a"}, {}, {"-- "}, {"a"}},
        {"a lone LF is no line break", "a\n-- \nb", {"b"}, {}, {"-- "}, {"b"}},
        {"the earliest stop line of several prefixes",
         "a\r\n__\r\nb\r\n-- \r\nc",
         {"a", "b", "c"},
         {},
         {"-- ", "__"},
         {"a"}},
        {"a string reaching into the stop line is not found",
         "ab\r\n-- x",
         {"b\r\n-"},
         {},
         {"-- "},
         {}},
    };
    for (const StopCase& c : cases) {
        EXPECT_EQ(Found(c.body, c.checks, c.ignore, c.stop), c.found) << c.what;
    }
}

TEST(StopPrefixTest, ManyStringsStopAtTheStopLine) {
    // Enough strings that they go through the filter, with the stop line in
    // the middle of what would otherwise be searched as one run.
    StringSet checks;
    for (int i = 0; i < 300; ++i) {
        checks.insert("code" + std::to_string(1000 + i));
    }
    std::string body;
    for (int line = 0; line < 200; ++line) {
        body += "line " + std::to_string(line) + (line == 100 ? " code1007" : "") + "\r\n";
    }
    body += "-- \r\ncode1001 code1002\r\n";
    EXPECT_EQ(Found(body, checks, {}, {"-- "}), std::vector<std::string>{"code1007"});
    EXPECT_EQ(Found(body, checks, {}, {}),
              (std::vector<std::string>{"code1007", "code1001", "code1002"}));
}

#if defined(__unix__)
TEST(StopPrefixTest, NothingAfterTheStopLineIsRead) {
    // The body's bytes after the stop line lie in memory that cannot be read:
    // a search that looked at them would crash.
    const testing_support::GuardedPages memory(1, 16);
    const std::size_t page = testing_support::GuardedPages::PageSize();
    char* const bytes = memory.Begin();
    const std::string stopLine = "-- \r\n";
    const std::string line = "text of the mail\r\n";
    const std::size_t fill = page - stopLine.size();
    std::string top;
    while (top.size() + line.size() <= fill) {
        top += line;
    }
    top.insert(0, fill - top.size(), 'y');
    top += stopLine;
    std::copy(top.begin(), top.end(), bytes);
    const std::string_view body(bytes, memory.Size());

    StringSet many;
    for (int i = 0; i < 300; ++i) {
        many.insert("name" + std::to_string(i));
    }
    for (const StringSet& checks : {StringSet{"absent"}, StringSet{"mail", "zz"}, many}) {
        EXPECT_EQ(Found(body, checks, {}, {"-- "}).size(), checks.count("mail"));
        EXPECT_EQ(Found(body, checks, {">"}, {"-- "}).size(), checks.count("mail"));
    }
}
#endif

}  // namespace
}  // namespace vorlent
