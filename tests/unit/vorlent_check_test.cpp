#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "display_text.h"
#include "dry_run.h"
#include "list_analysis.h"
#include "message_text.h"
#include "options.h"

namespace vorlent::tool {
namespace {

// "添付" (attachment) and "ア" in code page 932.
const std::string kTenpu = "\x93\x59\x95\x74";
const std::string kA = "\x83\x41";

TEST(AnalyzeQuotedListTest, FindsWhatAUserWouldNotMean) {
    const ListAnalysis analysis = AnalyzeQuotedList("a,,b,\"x\r\ny\",a,\"\",\"open,c");
    const std::vector<std::string> items = {"a", "", "b", "x\r\ny", "a", "", "open,c"};
    EXPECT_EQ(analysis.items, items);
    ASSERT_EQ(analysis.findings.size(), 6u);
    EXPECT_EQ(analysis.findings[0].problem, ListProblem::kEmptyItem);
    EXPECT_EQ(analysis.findings[0].item, 2u);
    EXPECT_EQ(analysis.findings[1].problem, ListProblem::kContainsCrLf);
    EXPECT_EQ(analysis.findings[1].item, 4u);
    EXPECT_EQ(analysis.findings[2].problem, ListProblem::kRepeats);
    EXPECT_EQ(analysis.findings[2].item, 5u);
    EXPECT_EQ(analysis.findings[2].sameAs, 1u);
    EXPECT_EQ(analysis.findings[3].problem, ListProblem::kEmptyItem);
    EXPECT_EQ(analysis.findings[3].item, 6u);
    EXPECT_EQ(analysis.findings[4].problem, ListProblem::kRepeats);
    EXPECT_EQ(analysis.findings[4].sameAs, 2u);
    EXPECT_EQ(analysis.findings[5].problem, ListProblem::kQuoteLeftOpen);
}

TEST(AnalyzeQuotedListTest, CleanListHasNoFindings) {
    EXPECT_TRUE(
        AnalyzeQuotedList(kTenpu + ",attached,\"a,b\",\"say \"\"hi\"\"\"").findings.empty());
    EXPECT_TRUE(AnalyzeQuotedList("").findings.empty());
}

TEST(LeavesQuoteOpenTest, FollowsTheParsersQuoteState) {
    struct Case {
        const char* value;
        bool open;
    };
    const Case cases[] = {
        {"\"abc", true},      {"\"a\"", false},     {"a\"\"b", false}, {"\"a\"\"", true},
        {"\"a\"\"\"", false}, {"a\"b,c\"d", false}, {"x,\"a,b", true}, {"\"", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LeavesQuoteOpen(c.value), c.open) << c.value;
    }
}

TEST(RunDryCheckTest, PromptsInThePlugInsOrderWithTheirLines) {
    const std::string body =
        "Hello\r\n"
        "> " +
        kTenpu +
        " quoted\r\n"
        "zip attached, " +
        kTenpu +
        "\r\n"
        "attached again\r\n"
        "secret";
    // The run holds views into the body and the sets: all three outlive it.
    const StringSet checks = {kTenpu, "attached", "secret"};
    const StringSet prefixes = {">"};
    const DryRun run = RunDryCheck(body, checks, prefixes, {});
    ASSERT_EQ(run.prompts.size(), 3u);
    // Within a line the set's byte order decides: ASCII sorts before 添付.
    EXPECT_EQ(run.prompts[0].checkString, "attached");
    EXPECT_EQ(run.prompts[0].lineNumber, 3u);
    EXPECT_EQ(run.prompts[1].checkString, kTenpu);
    EXPECT_EQ(run.prompts[1].lineNumber, 3u);
    EXPECT_EQ(run.prompts[1].line, "zip attached, " + kTenpu);
    EXPECT_EQ(run.prompts[2].checkString, "secret");
    EXPECT_EQ(run.prompts[2].lineNumber, 5u);
    ASSERT_EQ(run.skipped.size(), 1u);
    EXPECT_EQ(run.skipped[0].lineNumber, 2u);
    EXPECT_EQ(run.skipped[0].prefix, ">");
}

TEST(RunDryCheckTest, SkippedLineNamesTheFirstPrefixInSetOrder) {
    const StringSet checks = {"x"};
    const StringSet prefixes = {">>", ">"};
    const DryRun run = RunDryCheck(">> x", checks, prefixes, {});
    ASSERT_EQ(run.skipped.size(), 1u);
    EXPECT_EQ(run.skipped[0].prefix, ">");
    EXPECT_TRUE(run.prompts.empty());
}

TEST(RunDryCheckTest, EmptyCheckStringPromptsOnFirstSearchedLine) {
    const StringSet checks = {""};
    const StringSet prefixes = {">"};
    const DryRun run = RunDryCheck("> a\r\n\r\nb", checks, prefixes, {});
    ASSERT_EQ(run.prompts.size(), 1u);
    EXPECT_EQ(run.prompts[0].lineNumber, 2u);
    EXPECT_EQ(run.prompts[0].placement, MatchPlacement::kWhole);
}

TEST(RunDryCheckTest, AStopLineEndsTheSearchBeforeAnyIgnorePrefix) {
    const StringSet checks = {"x"};
    const StringSet ignores = {">"};
    const StringSet stops = {"-- ", ">-"};
    const DryRun run = RunDryCheck("> x\r\nx\r\n>- x\r\n-- \r\nx", checks, ignores, stops);
    ASSERT_EQ(run.prompts.size(), 1u);
    EXPECT_EQ(run.prompts[0].lineNumber, 2u);
    ASSERT_EQ(run.skipped.size(), 1u);
    EXPECT_EQ(run.skipped[0].lineNumber, 1u);
    ASSERT_TRUE(run.stop);
    EXPECT_EQ(run.stop->lineNumber, 3u);
    EXPECT_EQ(run.stop->prefix, ">-");
    EXPECT_EQ(run.afterStop, (std::vector<std::string_view>{"-- ", "x"}));
}

TEST(RunDryCheckTest, MarksAMatchThatStraddlesTwoCharacters) {
    // "ｃA" is 82 83 41: ア (83 41) is found from the trail byte of ｃ on.
    const StringSet checks = {kA};
    const DryRun hidden = RunDryCheck("\x82\x83\x41", checks, {}, {});
    ASSERT_EQ(hidden.prompts.size(), 1u);
    EXPECT_EQ(hidden.prompts[0].placement, MatchPlacement::kStraddles);

    // A real ア later in the same line makes the prompt a true one.
    const std::string realBody = "\x82\x83\x41 " + kA;
    const DryRun real = RunDryCheck(realBody, checks, {}, {});
    ASSERT_EQ(real.prompts.size(), 1u);
    EXPECT_EQ(real.prompts[0].placement, MatchPlacement::kWhole);
}

TEST(PlaceMatchTest, TellsAMatchInsideACharacterFromOneAcrossTwo) {
    struct Case {
        const char* line;
        const char* text;
        MatchPlacement placement;
    };
    const Case cases[] = {
        // '@' is the second byte of the ideographic space (81 40), and a
        // backslash that of ソ (83 5C): each lies within one character.
        {"\x81\x40", "@", MatchPlacement::kInsideCharacter},
        {"\x83\x5C", "\\", MatchPlacement::kInsideCharacter},
        // ア (83 41) from the second byte of ｃ (82 83) on.
        {"\x82\x83\x41", "\x83\x41", MatchPlacement::kStraddles},
        // Ends on the first byte of ソ.
        {"a\x83\x5C", "a\x83", MatchPlacement::kStraddles},
        // A real occurrence later in the line makes the match a whole one.
        {"\x83\x5C\\", "\\", MatchPlacement::kWhole},
        {"abc", "b", MatchPlacement::kWhole},
        {"abc", "", MatchPlacement::kWhole},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceMatch(c.line, c.text), c.placement) << c.line << " / " << c.text;
    }
}

TEST(ParseOptionsTest, ReadsTheCommandLine) {
    const ParsedOptions parsed =
        ParseOptions({"--ini", "a.ini", "-v", "m1", "--output-encoding=utf8", "--lang", "ja",
                      "--message-encoding=utf16le", "--exact-line-ends", "-", "--", "-x"});
    ASSERT_FALSE(parsed.error);
    EXPECT_EQ(parsed.options.iniPath, "a.ini");
    EXPECT_TRUE(parsed.options.verbose);
    EXPECT_TRUE(parsed.options.exactLineEnds);
    EXPECT_EQ(parsed.options.messageEncoding, MessageEncoding::kUtf16LittleEndian);
    EXPECT_EQ(parsed.options.language, Language::kJapanese);
    EXPECT_EQ(parsed.options.outputEncoding, OutputEncoding::kUtf8);
    EXPECT_EQ(parsed.options.messages, (std::vector<std::string>{"m1", "-", "-x"}));
}

TEST(ParseOptionsTest, TakesTheWindowsAndUnixWaysToAskForHelp) {
    for (const char* help : {"/?", "-h", "--help"}) {
        const ParsedOptions parsed = ParseOptions({help});
        EXPECT_TRUE(parsed.options.help && !parsed.error) << help;
    }
    EXPECT_TRUE(ParseOptions({"--version"}).options.version);
    // After "--" even "/?" names a file.
    EXPECT_EQ(ParseOptions({"--", "/?"}).options.messages, (std::vector<std::string>{"/?"}));
}

TEST(ParseOptionsTest, RejectsBadCommandLines) {
    struct Case {
        std::vector<std::string> arguments;
        OptionProblem problem;
    };
    const Case cases[] = {
        {{"--frobnicate"}, OptionProblem::kUnknown},
        {{"--utf8-input"}, OptionProblem::kUnknown},
        {{"--ini"}, OptionProblem::kNeedsValue},
        {{"--ini="}, OptionProblem::kNeedsValue},
        {{"m", "--output-encoding"}, OptionProblem::kNeedsValue},
        {{"--output-encoding", "latin1"}, OptionProblem::kBadValue},
        {{"--lang=de"}, OptionProblem::kBadValue},
        {{"--message-encoding", "sjis"}, OptionProblem::kBadValue},
    };
    for (const Case& c : cases) {
        const ParsedOptions parsed = ParseOptions(c.arguments);
        ASSERT_TRUE(parsed.error) << c.arguments[0];
        EXPECT_EQ(parsed.error->problem, c.problem) << c.arguments[0];
    }
}

// Shows each double-byte character as <hex> so the tests need no real codec.
class TaggingCodec : public TextCodec {
  public:
    std::optional<std::string> Cp932CharacterToUtf8(std::string_view character) const override {
        if (character == "\x80") {
            return std::nullopt;
        }
        return character.size() == 2 ? "<dbcs>" : std::string(character);
    }
    bool OutputIsUtf8() const override { return true; }
};

TEST(DisplayTextTest, ShowsTextAsItStandsAndNamesOnlyWhatCannotBeSeen) {
    const TaggingCodec codec;
    const DisplayText display(codec);
    // Quotation marks and backslashes are ordinary text.
    EXPECT_EQ(display.Item("a\"b\\c"), "a\"b\\c");
    EXPECT_EQ(display.Item("\r\n\t\x01"), "<CR><LF><TAB><0x01>");
    EXPECT_EQ(display.Line("a\tb\x7F"), "a\tb<0x7f>");
    // The trail byte 5C of ソ is no backslash, and a stray byte stays visible.
    EXPECT_EQ(display.Item("\x83\x5C\x80"), "<dbcs><0x80>");
}

TEST(UnifyLineEndsTest, EndsEveryLineWithCrLf) {
    EXPECT_EQ(UnifyLineEnds("a\nb\rc\r\nd\n\re"), "a\r\nb\r\nc\r\nd\r\n\r\ne");
    EXPECT_EQ(UnifyLineEnds("\r\r\n"), "\r\n\r\n");
    // ソ and 表 end in 5C; no byte of a double-byte character is CR or LF.
    EXPECT_EQ(UnifyLineEnds("\x83\x5C\n\x95\x5C"), "\x83\x5C\r\n\x95\x5C");
}

std::string Utf16Le(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string Utf16Be(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit >> 8);
        bytes += static_cast<char>(unit & 0xFF);
    }
    return bytes;
}

TEST(PrepareMessageTest, EveryEncodingAndLineEndGivesTheBodyTheClientSends) {
    // "> 添付\n添付" in each encoding, with each kind of line end.
    const std::string expected = "> " + kTenpu + "\r\n" + kTenpu + "\r\n";
    for (const std::u16string_view lineEnd : {u"\r\n", u"\n", u"\r"}) {
        const std::u16string text =
            u"> \u6DFB\u4ED8" + std::u16string(lineEnd) + u"\u6DFB\u4ED8" + std::u16string(lineEnd);
        const std::string utf8 = text::EncodeUtf8(text);
        struct Case {
            std::string bytes;
            text::TextEncoding encoding;
        };
        const std::string end = text::EncodeUtf8(lineEnd);
        const std::string cp932 = "> " + kTenpu + end + kTenpu + end;
        const Case cases[] = {
            {cp932, text::TextEncoding::kAnsi},
            {utf8, text::TextEncoding::kUtf8},
            {"\xEF\xBB\xBF" + utf8, text::TextEncoding::kUtf8WithBom},
            {"\xFF\xFE" + Utf16Le(text), text::TextEncoding::kUtf16LittleEndian},
            {"\xFE\xFF" + Utf16Be(text), text::TextEncoding::kUtf16BigEndian},
        };
        for (const Case& c : cases) {
            const MessageText message = PrepareMessage(c.bytes, MessageEncoding::kDetect, false);
            EXPECT_EQ(message.encoding, c.encoding);
            EXPECT_EQ(message.body, expected) << static_cast<int>(c.encoding);
            EXPECT_TRUE(message.missing.empty());
        }
    }
}

TEST(PrepareMessageTest, KeepsTheExactBytesWhenAsked) {
    EXPECT_EQ(PrepareMessage("a\nb\r\n", MessageEncoding::kDetect, true).body, "a\nb\r\n");
    EXPECT_EQ(
        PrepareMessage(Utf16Le(u"\u6DFB\n\u4ED8"), MessageEncoding::kUtf16LittleEndian, true).body,
        "\x93\x59\n\x95\x74");
}

TEST(PrepareMessageTest, FoldsJisVariantsAndNamesWhatTheCodePageLacks) {
    // 〜 − — as a Mac or a web page writes them, then é (no code in 932) on
    // line 2 and an emoji on line 3.
    const std::string utf8 =
        "\xE3\x80\x9C\xE2\x88\x92\xE2\x80\x94\n"
        "caf\xC3\xA9\n\xF0\x9F\x98\x80!";
    const MessageText message = PrepareMessage(utf8, MessageEncoding::kDetect, false);
    EXPECT_EQ(message.body, "\x81\x60\x81\x7C\x81\x5C\r\ncaf?\r\n?!");
    ASSERT_EQ(message.missing.size(), 2u);
    EXPECT_EQ(message.missing[0].lineNumber, 2u);
    EXPECT_EQ(message.missing[0].codePoint, U'\u00E9');
    EXPECT_EQ(message.missing[1].lineNumber, 3u);
    EXPECT_EQ(message.missing[1].codePoint, U'\U0001F600');
}

}  // namespace
}  // namespace vorlent::tool
