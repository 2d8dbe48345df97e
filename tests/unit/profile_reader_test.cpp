#include "config/profile_reader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "config/code_page_932.h"

namespace vorlent {
namespace {

// "添付" (attachment) in code page 932.
const std::string kTenpu = "\x93\x59\x95\x74";

struct LookupCase {
    const char* name;
    std::string text;
    std::optional<std::string> value;  // of "Check String" in "Config"
};

class FindProfileValueTest : public testing::TestWithParam<LookupCase> {};

TEST_P(FindProfileValueTest, FindsWhatThePlatformFinds) {
    const LookupCase& c = GetParam();
    EXPECT_EQ(FindProfileValue(c.text, "Config", "Check String"), c.value);
}

// What Wine's GetPrivateProfileStringA was seen to do with each file; the
// differential test compares the two readers on real files.
const LookupCase kLookupCases[] = {
    {"CrLf", "[Config]\r\nCheck String=" + kTenpu + "\r\n", kTenpu},
    {"Lf", "[Config]\nCheck String=a\n", "a"},
    {"LoneCrEndsALine", "[Config]\rCheck String=a\r", "a"},
    {"NoLineEndAtEnd", "[Config]\r\nCheck String=a", "a"},
    {"MissingKey", "[Config]\r\nOther=a\r\n", std::nullopt},
    {"MissingSection", "[Other]\r\nCheck String=a\r\n", std::nullopt},
    {"EmptyFile", "", std::nullopt},
    {"EmptyValue", "[Config]\r\nCheck String=\r\n", ""},
    {"KeyWithoutEqualsGivesDefault", "[Config]\r\nCheck String\r\nCheck String=b\r\n",
     std::nullopt},
    {"NamesIgnoreAsciiCase", "[cOnFiG]\r\ncheck STRING=a\r\n", "a"},
    {"BlanksAroundEverythingDropped",
     " \t[ Config ]\t\r\n  Check String \t=\t a b \x0B\x0C\x1A\r\n", "a b"},
    {"IdeographicSpaceIsNoBlank",
     "[Config]\r\nCheck String=\x81\x40"
     "a\x81\x40\r\n",
     "\x81\x40"
     "a\x81\x40"},
    {"OtherControlBytesAreNoBlanks",
     "[Config]\r\nCheck String=\x1C"
     "a\x1F\r\n",
     "\x1C"
     "a\x1F"},
    {"FirstOfDuplicateKeys", "[Config]\r\nCheck String=a\r\nCheck String=b\r\n", "a"},
    {"OnlyFirstSectionOfANameSearched", "[Config]\r\nOther=x\r\n[config]\r\nCheck String=b\r\n",
     std::nullopt},
    {"FirstOfDuplicateSections", "[Config]\r\nCheck String=a\r\n[Config]\r\nCheck String=b\r\n",
     "a"},
    {"KeysBeforeFirstSectionBelongToNone", "Check String=a\r\n[Config]\r\n", std::nullopt},
    {"CommentLineIsNoKey", "[Config]\r\n;Check String=a\r\nCheck String=b\r\n", "b"},
    {"TextAfterLastBracketIgnored", "[Config] junk\r\nCheck String=a\r\n", "a"},
    {"LastBracketCloses", "[Config] ] x\r\nCheck String=a\r\n", std::nullopt},
    {"BracketAsTrailByteDoesNotClose", "[Config]\x83\x5D\r\nCheck String=a\r\n", "a"},
    {"NoClosingBracketIsAKeyLine", "[Config\r\nCheck String=a\r\n", std::nullopt},
    {"FirstEqualsSplits", "[Config]\r\nCheck String==a=b\r\n", "=a=b"},
    {"DoubleQuotesStripped", "[Config]\r\nCheck String=\"a,b\"\r\n", "a,b"},
    {"SingleQuotesStripped", "[Config]\r\nCheck String='a'\r\n", "a"},
    {"OnlyOuterPairStripped", "[Config]\r\nCheck String=\"a\",\"b\"\r\n", "a\",\"b"},
    {"BlanksInsideQuotesKept", "[Config]\r\nCheck String= \" a \" \r\n", " a "},
    {"MixedQuotesKept", "[Config]\r\nCheck String=\"a'\r\n", "\"a'"},
    {"QuoteAtOneEndKept", "[Config]\r\nCheck String=\"a\r\n", "\"a"},
    {"LoneQuoteKept", "[Config]\r\nCheck String=\"\r\n", "\""},
    {"EmptyQuotesGiveEmpty", "[Config]\r\nCheck String=\"\"\r\n", ""},
    {"NulEndsValue", std::string("[Config]\r\nCheck String=a\0b\r\n", 24), "a"},
    {"LeadByteTakesLineBreak", "[Config]\r\nCheck String=a\x81\nOther=b\r\n", "a\x81\nOther=b"},
    {"LeadByteTakesEquals", "[Config]\r\nCheck String\x81=a\r\n", std::nullopt},
    {"LeadByteTakesClosingQuote", "[Config]\r\nCheck String=\"a\x81\"\r\n", "\"a\x81\""},
    {"LongValueWhole", "[Config]\r\nCheck String=" + std::string(20000, 'x') + "\r\n",
     std::string(20000, 'x')},
};

INSTANTIATE_TEST_SUITE_P(Cases, FindProfileValueTest, testing::ValuesIn(kLookupCases),
                         [](const testing::TestParamInfo<LookupCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(FindProfileValueTest, RequestedNamesAreTrimmed) {
    EXPECT_EQ(FindProfileValue("[Config]\r\nkey=a\r\n", " Config\t", " KEY "), "a");
}

// A UTF-8 file goes through the same rules; a trail byte that code page 932
// would pair with the next byte must not swallow a line break or a quote.
TEST(FindProfileValueTest, Utf8TextKeepsTheRulesAndItsBytes) {
    // 付 is E4 BB 98, and 0x98 is a lead byte in code page 932.
    const std::string tenpuUtf8 = "\xE6\xB7\xBB\xE4\xBB\x98";
    EXPECT_EQ(FindProfileValue("[config]\r\ncheck string = \"" + tenpuUtf8 + "\"\r\nx=1\r\n",
                               "Config", "Check String", ProfileCharset::kUtf8),
              tenpuUtf8);
    EXPECT_EQ(FindProfileValue("[Config]\nCheck String=" + tenpuUtf8 + "\nOther=b\n", "Config",
                               "Other", ProfileCharset::kUtf8),
              "b");
    // The same bytes read as code page 932 join the line break to 0x98.
    EXPECT_EQ(
        FindProfileValue("[Config]\nCheck String=" + tenpuUtf8 + "\nOther=b\n", "Config", "Other"),
        std::nullopt);
}

TEST(ReadProfileLinesTest, NumbersLinesAsAnEditorDoes) {
    const std::vector<ProfileLine> lines =
        ReadProfileLines("; note\r\n\r\n[Config]\rCheck String= \"a\" \n\n\nIgnore Line Prefix\r\n",
                         ProfileCharset::kCodePage932);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].lineNumber, 1u);
    EXPECT_EQ(lines[0].name, "; note");
    EXPECT_EQ(lines[1].kind, ProfileLine::Kind::kSection);
    EXPECT_EQ(lines[1].lineNumber, 3u);
    EXPECT_EQ(lines[2].lineNumber, 4u);
    EXPECT_EQ(lines[2].rawValue, "\"a\"");
    EXPECT_EQ(lines[2].value, "a");
    EXPECT_EQ(lines[3].lineNumber, 7u);
    EXPECT_EQ(lines[3].value, std::nullopt);
    EXPECT_EQ(FindProfileLine(lines, "config", "check string", ProfileCharset::kCodePage932),
              &lines[2]);
}

TEST(CodePage932Test, InsideCharacterIsToldFromTheLineStart) {
    // "ソア" is 83 5C 83 41; "ｃ" (82 83) followed by 'A' hides 83 41 at offset 1.
    const std::string soA = "\x83\x5C\x83\x41";
    EXPECT_FALSE(cp932::IsInsideCharacter(soA, 0));
    EXPECT_TRUE(cp932::IsInsideCharacter(soA, 1));
    EXPECT_FALSE(cp932::IsInsideCharacter(soA, 2));
    EXPECT_TRUE(cp932::IsInsideCharacter("\x82\x83\x41", 1));
    // Half-width katakana are single bytes; a lead byte without a trail stands alone.
    EXPECT_FALSE(cp932::IsInsideCharacter("\xB1\xB2", 1));
    EXPECT_FALSE(cp932::IsInsideCharacter("\x81 a", 1));
    EXPECT_FALSE(cp932::IsInsideCharacter("\x81", 1));
}

}  // namespace
}  // namespace vorlent
