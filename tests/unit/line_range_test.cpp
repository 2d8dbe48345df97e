#include "check/line_range.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlent {
namespace {

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

class SplitLinesTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTest, SplitsOnCrLfOnly) {
    const SplitCase& c = GetParam();
    const std::vector<std::string_view> lines = SplitLines(c.text);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end()), c.lines);
}

const SplitCase kSplitCases[] = {
    {"Empty", "", {""}},
    {"NoSeparator", "abc", {"abc"}},
    {"TwoLines", "a\r\nb", {"a", "b"}},
    {"TrailingSeparator", "a\r\n", {"a", ""}},
    {"OnlySeparators", "\r\n\r\n", {"", "", ""}},
    {"LoneLfAndCrStayInLine", "a\nb\rc", {"a\nb\rc"}},
    {"CrBeforeCrLf", "a\r\r\nb", {"a\r", "b"}},
    {"LfAfterCrLf", "a\r\n\nb", {"a", "\nb"}},
    {"LeadingSeparator", "\r\nx", {"", "x"}},
    {"LfAtStart", "\nx\r\ny", {"\nx", "y"}},
    {"DoubleByteText", "\x93\x59\x95\x74\r\n\x82\xa0", {"\x93\x59\x95\x74", "\x82\xa0"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, SplitLinesTest, testing::ValuesIn(kSplitCases),
                         [](const testing::TestParamInfo<SplitCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(LineRangeTest, LinesAreViewsIntoTheText) {
    const std::string text = "first\r\nsecond";
    const std::vector<std::string_view> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].data(), text.data());
    EXPECT_EQ(lines[1].data(), text.data() + 7);
}

}  // namespace
}  // namespace vorlent
