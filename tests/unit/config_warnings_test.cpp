#include "config_warnings.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "config/config_keys.h"
#include "config/profile_reader.h"
#include "configuration.h"

namespace vorlent::tool {
namespace {

CheckerConfiguration Read(const std::string& file) {
    return ReadCheckerConfiguration(file, [&file](const std::string& key) {
        return FindProfileValue(file, config::kSection, key).value_or("");
    });
}

struct WarningCase {
    const char* name;
    std::string file;
    // Each warning as (problem, line); nothing else may be warned about.
    std::vector<std::pair<ConfigProblem, std::size_t>> warnings;
};

// The slips users make, each on a small file in code page 932 unless said.
const WarningCase kWarningCases[] = {
    {"Clean",
     "; sample\r\n[Config]\r\nCheck String=\x93\x59\x95\x74,attached\r\n"
     "Ignore Line Prefix=>,\x81\x84\r\nIgnore From Line Prefix=\"-- \"\r\n",
     {}},
    // A preset uncommented below the old line: the old line stays in force.
    {"KeyGivenTwice",
     "[Config]\r\nCheck String=a\r\n;Check String=b\r\nCheck String=b\r\n",
     {{ConfigProblem::kRepeatedKey, 4}}},
    {"SecondConfigSection",
     "[Config]\r\nCheck String=a\r\n[Other]\r\n[config]\r\nCheck String=b\r\n",
     {{ConfigProblem::kSecondConfigSection, 4}}},
    {"NoConfigSection",
     "Check String=a\r\n",
     {{ConfigProblem::kNoConfigSection, 0}, {ConfigProblem::kKeyOutsideSection, 1}}},
    {"MisspeltSection",
     "[Confg]\r\nCheck String=a\r\n",
     {{ConfigProblem::kNoConfigSection, 0},
      {ConfigProblem::kMisspeltSection, 1},
      {ConfigProblem::kKeyOutsideSection, 2}}},
    {"MisspeltKey", "[Config]\r\nCheckString=a\r\n", {{ConfigProblem::kUnknownKey, 2}}},
    // ">, ＞" gives the item " ＞": quoted lines with ＞ are searched.
    {"BlankBeforeItem",
     "[Config]\r\n\r\nIgnore Line Prefix=>, \x81\x84\r\n",
     {{ConfigProblem::kBlanksAroundItem, 3}}},
    {"IdeographicSpaceAfterItem",
     "[Config]\r\nCheck String=a\x81\x40,b\r\n",
     {{ConfigProblem::kBlanksAroundItem, 2}}},
    {"FullWidthComma",
     "[Config]\r\nCheck String=a\x81\x43"
     "b\r\n",
     {{ConfigProblem::kWideCommaInItem, 2}}},
    {"IdeographicComma",
     "[Config]\r\nCheck String=a\x81\x41"
     "b\r\n",
     {{ConfigProblem::kWideCommaInItem, 2}}},
    {"SemicolonInValue",
     "[Config]\r\nCheck String=a ; note\r\n",
     {{ConfigProblem::kSemicolonInValue, 2}}},
    // "a,b" is read as a,b: two items.
    {"WholeValueQuoted",
     "[Config]\r\nCheck String=\"a,b\"\r\n",
     {{ConfigProblem::kWholeValueQuoted, 2}}},
    {"QuotedSingleItemIsFine", "[Config]\r\nCheck String=\"a b\"\r\n", {}},
    // 添付 and 添付ファイル: a line with the longer asks twice.
    {"CheckStringInAnother",
     "[Config]\r\nCheck String=\x93\x59\x95\x74\x83\x74\x83\x40\x83\x43\x83\x8B,"
     "\x93\x59\x95\x74\r\n",
     {{ConfigProblem::kContainedCheckString, 2}}},
    // UTF-8: é is not in code page 932; the wave dash of a Mac folds.
    {"ItemLeftOut",
     "\xEF\xBB\xBF[Config]\r\nCheck String=caf\xC3\xA9,10\xE3\x80\x9C"
     "20\r\n",
     {{ConfigProblem::kLeftOutItem, 2}}},
    // The blank of a signature separator is kept only in quotes.
    {"SignatureSeparatorWithoutQuotes",
     "[Config]\r\nIgnore From Line Prefix=x,-- \r\n",
     {{ConfigProblem::kSignatureWithoutBlank, 2}}},
    {"SignatureSeparatorQuoted", "[Config]\r\nIgnore From Line Prefix=\"-- \"\r\n", {}},
    {"Utf8BlankOutsideQuotes",
     "[Config]\nIgnore From Line Prefix=\xE3\x80\x80\xE6\xB7\xBB,\"-- \"\n",
     {{ConfigProblem::kBlanksAroundItem, 2}}},
};

class ConfigWarningsTest : public testing::TestWithParam<WarningCase> {};

TEST_P(ConfigWarningsTest, NamesTheSlipAndItsLine) {
    const WarningCase& c = GetParam();
    std::vector<std::pair<ConfigProblem, std::size_t>> found;
    for (const ConfigWarning& warning : FindConfigWarnings(Read(c.file))) {
        found.emplace_back(warning.problem, warning.line);
    }
    EXPECT_EQ(found, c.warnings);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConfigWarningsTest, testing::ValuesIn(kWarningCases),
                         [](const testing::TestParamInfo<WarningCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ConfigWarningsTest, NamesTheNearestKeyAndTheMissingCharacter) {
    const std::vector<ConfigWarning> misspelt =
        FindConfigWarnings(Read("[Config]\r\nignore line prefx=>\r\n"));
    ASSERT_EQ(misspelt.size(), 1u);
    EXPECT_EQ(misspelt[0].other, "Ignore Line Prefix");

    std::string utf16Bytes = "\xFF\xFE";
    for (const char16_t unit : std::u16string(u"[Config]\nCheck String=\u00E9")) {
        utf16Bytes += static_cast<char>(unit & 0xFF);
        utf16Bytes += static_cast<char>(unit >> 8);
    }
    const CheckerConfiguration utf16 = Read(utf16Bytes);
    EXPECT_EQ(utf16.encoding, text::TextEncoding::kUtf16LittleEndian);
    const std::vector<ConfigWarning> leftOut = FindConfigWarnings(utf16);
    ASSERT_EQ(leftOut.size(), 1u);
    EXPECT_EQ(leftOut[0].problem, ConfigProblem::kLeftOutItem);
    EXPECT_EQ(leftOut[0].missing, std::vector<char32_t>{0xE9});
}

}  // namespace
}  // namespace vorlent::tool
