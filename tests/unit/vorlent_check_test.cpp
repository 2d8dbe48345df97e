#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "display_text.h"
#include "dry_run.h"
#include "list_analysis.h"
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
    const DryRun run = RunDryCheck(body, checks, prefixes);
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
    const DryRun run = RunDryCheck(">> x", checks, prefixes);
    ASSERT_EQ(run.skipped.size(), 1u);
    EXPECT_EQ(run.skipped[0].prefix, ">");
    EXPECT_TRUE(run.prompts.empty());
}

TEST(RunDryCheckTest, EmptyCheckStringPromptsOnFirstSearchedLine) {
    const StringSet checks = {""};
    const StringSet prefixes = {">"};
    const DryRun run = RunDryCheck("> a\r\n\r\nb", checks, prefixes);
    ASSERT_EQ(run.prompts.size(), 1u);
    EXPECT_EQ(run.prompts[0].lineNumber, 2u);
    EXPECT_FALSE(run.prompts[0].straddles);
}

TEST(RunDryCheckTest, MarksAMatchThatStraddlesTwoCharacters) {
    // "ｃA" is 82 83 41: ア (83 41) is found from the trail byte of ｃ on.
    const StringSet checks = {kA};
    const DryRun hidden = RunDryCheck("\x82\x83\x41", checks, {});
    ASSERT_EQ(hidden.prompts.size(), 1u);
    EXPECT_TRUE(hidden.prompts[0].straddles);

    // A real ア later in the same line makes the prompt a true one.
    const std::string realBody = "\x82\x83\x41 " + kA;
    const DryRun real = RunDryCheck(realBody, checks, {});
    ASSERT_EQ(real.prompts.size(), 1u);
    EXPECT_FALSE(real.prompts[0].straddles);
}

TEST(StraddlesCharactersTest, ReadsCharactersFromTheLineStart) {
    // ソ is 83 5C: a backslash inside it is no backslash for the reader.
    EXPECT_TRUE(StraddlesCharacters("\x83\x5C", "\\"));
    EXPECT_FALSE(StraddlesCharacters("\x83\x5C\\", "\\"));
    EXPECT_FALSE(StraddlesCharacters("abc", "x"));
}

TEST(ParseOptionsTest, ReadsTheCommandLine) {
    const ParsedOptions parsed = ParseOptions(
        {"--ini", "a.ini", "-v", "m1", "--output-encoding=utf8", "--utf8-input", "-", "--", "-x"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.iniPath, "a.ini");
    EXPECT_TRUE(parsed.options.verbose);
    EXPECT_TRUE(parsed.options.utf8Input);
    EXPECT_EQ(parsed.options.outputEncoding, OutputEncoding::kUtf8);
    EXPECT_EQ(parsed.options.messages, (std::vector<std::string>{"m1", "-", "-x"}));
}

TEST(ParseOptionsTest, RejectsBadCommandLines) {
    const std::vector<std::vector<std::string>> bad = {
        {"--frobnicate"},           {"--ini"}, {"--ini="}, {"--output-encoding", "latin1"},
        {"m", "--output-encoding"},
    };
    for (const std::vector<std::string>& arguments : bad) {
        EXPECT_NE(ParseOptions(arguments).error, "") << arguments[0];
    }
}

// Shows each double-byte character as <hex> so the tests need no real codec.
class TaggingCodec : public TextCodec {
  public:
    std::optional<std::string> Utf8ToCp932(std::string_view utf8) const override {
        return std::string(utf8);
    }
    std::optional<std::string> Cp932CharacterToUtf8(std::string_view character) const override {
        if (character == "\x80") {
            return std::nullopt;
        }
        return character.size() == 2 ? "<dbcs>" : std::string(character);
    }
    bool OutputIsUtf8() const override { return true; }
};

TEST(DisplayTextTest, EscapesWhatWouldHideAnItemsEnds) {
    const TaggingCodec codec;
    const DisplayText utf8(codec, true);
    EXPECT_EQ(utf8.Quoted("a\"b\\c\r\n\t\x01"), "\"a\\\"b\\\\c\\r\\n\\t\\x01\"");
    EXPECT_EQ(utf8.Line("a\tb\x7F"), "a\tb\\x7F");
    // The trail byte 5C of ソ is no backslash, and a stray byte stays visible.
    EXPECT_EQ(utf8.Quoted("\x83\x5C\x80"), "\"<dbcs>\\x80\"");
    const DisplayText stored(codec, false);
    EXPECT_EQ(stored.Line("\x83\x5C\r"), "\x83\x5C\\r");
}

}  // namespace
}  // namespace vorlent::tool
