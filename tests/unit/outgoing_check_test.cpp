#include "check/outgoing_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <new>
#include <string>
#include <vector>

#include "guarded_pages.h"

namespace vorlent {
namespace {

// "添付" (attachment) and "秘密" (secret) in code page 932.
const std::string kTenpu = "\x93\x59\x95\x74";
const std::string kHimitsu = "\x94\xe9\x96\xa7";

// A body lent as the host lends it: a NUL-terminated block of its own, given
// back through a function that records, in the log every test reads, when
// that happened among the prompts.
std::vector<std::string> g_sendLog;

void RecordGiveBack(char* text) {
    g_sendLog.push_back("give back");
    delete[] text;
}

LentText Lend(const std::string& body) {
    char* block = new char[body.size() + 1];
    std::memcpy(block, body.c_str(), body.size() + 1);
    return LentText(block, {RecordGiveBack});
}

// Answers each prompt from a script (OK when it runs out) and records them.
class ScriptedPrompter : public Prompter {
  public:
    explicit ScriptedPrompter(std::deque<bool> answers) : answers_(std::move(answers)) {}

    bool ConfirmContinue(std::string_view checkString) override {
        asked.emplace_back(checkString);
        g_sendLog.push_back("ask " + std::string(checkString));
        if (answers_.empty()) {
            return true;
        }
        const bool ok = answers_.front();
        answers_.pop_front();
        return ok;
    }

    std::vector<std::string> asked;

  private:
    std::deque<bool> answers_;
};

constexpr bool OK = true;
constexpr bool CANCEL = false;

struct CheckCase {
    const char* name;
    std::string body;
    StringSet checkStrings;
    StringSet ignorePrefixes;
    std::deque<bool> answers;
    std::vector<std::string> expectedPrompts;
    int expectedResult;
    StringSet stopPrefixes = {};
};

class CheckOutgoingTextTest : public testing::TestWithParam<CheckCase> {};

// Every case runs twice, with the index compiled beforehand as at start-up
// and without, as when that failed: the answers must not differ.
TEST_P(CheckOutgoingTextTest, AsksInOrderAndStopsOnCancel) {
    const CheckCase& c = GetParam();
    const CheckIndex compiled(c.checkStrings);
    for (const CheckIndex* index : {&compiled, static_cast<const CheckIndex*>(nullptr)}) {
        g_sendLog.clear();
        ScriptedPrompter prompter(c.answers);
        const int result = CheckOutgoingText(Lend(c.body), c.checkStrings, index, c.ignorePrefixes,
                                             c.stopPrefixes, prompter);
        EXPECT_EQ(prompter.asked, c.expectedPrompts);
        EXPECT_EQ(result, c.expectedResult);
        // The body went back once, before the first prompt.
        ASSERT_FALSE(g_sendLog.empty());
        EXPECT_EQ(g_sendLog.front(), "give back");
        EXPECT_EQ(std::count(g_sendLog.begin(), g_sendLog.end(), "give back"), 1);
    }
}

const CheckCase kCheckCases[] = {
    {"EmptySetsNeverAsk", "anything\r\nat all", {}, {}, {}, {}, kSendGoesAhead},
    {"OnePromptForThreeOccurrences",
     kTenpu + "\r\nfoo " + kTenpu + "\r\n" + kTenpu,
     {kTenpu},
     {},
     {OK},
     {kTenpu},
     kSendGoesAhead},
    {"IgnoredLinesAreNotSearched",
     "> " + kTenpu + "\r\nplain\r\n>" + kTenpu,
     {kTenpu},
     {">"},
     {},
     {},
     kSendGoesAhead},
    {"FoundAfterIgnoredLine", "> x\r\nx", {"x"}, {">"}, {OK}, {"x"}, kSendGoesAhead},
    {"TwoStringsOnOneLineInByteOrder",
     kTenpu + " and " + kHimitsu + " and ascii",
     {kTenpu, kHimitsu, "ascii"},
     {},
     {OK, OK, OK},
     {"ascii", kTenpu, kHimitsu},
     kSendGoesAhead},
    {"CancelOnFirstShowsNoSecond", "b a", {"a", "b"}, {}, {CANCEL}, {"a"}, kSendStopped},
    {"CancelOnSecond", "b a", {"a", "b"}, {}, {OK, CANCEL}, {"a", "b"}, kSendStopped},
    {"LineOrderBeforeByteOrder", "b\r\na", {"a", "b"}, {}, {}, {"b", "a"}, kSendGoesAhead},
    {"LoneLfIsOneLine", "> quoted\nx here", {"x"}, {">"}, {}, {}, kSendGoesAhead},
    {"LoneLfLineSearchedWhole", "ok\n> x", {"x"}, {">"}, {}, {"x"}, kSendGoesAhead},
    {"EmptyCheckStringFoundInFirstSearchedLine",
     "> q\r\n\r\nz",
     {"", "z"},
     {">"},
     {},
     {"", "z"},
     kSendGoesAhead},
    {"EmptyCheckStringInEmptyBody", "", {""}, {}, {}, {""}, kSendGoesAhead},
    {"EmptyIgnorePrefixSkipsEverything", "a\r\nb", {"a", ""}, {""}, {}, {}, kSendGoesAhead},
    {"CheckStringWithCrLfNeverFound", "a\r\nb", {"a\r\nb"}, {}, {}, {}, kSendGoesAhead},
    {"LfOfSeparatorIsNotInALine", "a\r\nb", {"\nb", "a\r"}, {}, {}, {}, kSendGoesAhead},
    {"LoneCrAndLfAreInTheLine",
     "a\r\r\n\nb",
     {"\nb", "a\r"},
     {},
     {},
     {"a\r", "\nb"},
     kSendGoesAhead},
    {"PrefixLongerThanLineDoesNotMatch", ">\r\nx", {">"}, {">>"}, {}, {">"}, kSendGoesAhead},
    {"NoCaseFolding", "ATTACHED", {"attached"}, {}, {}, {}, kSendGoesAhead},
    {"ByteWiseAcrossCharacterBoundary",
     // The trail byte of one character and the lead byte of the next: no text a
     // reader sees, but matching is byte-wise.
     kTenpu,
     {"\x59\x95"},
     {},
     {},
     {"\x59\x95"},
     kSendGoesAhead},
    {"StopLineAndAllAfterAreNotSearched",
     "x\r\n-- \r\ny z",
     {"y", "x", "--"},
     {},
     {},
     {"x"},
     kSendGoesAhead,
     {"-- "}},
    {"StopLineThatIsAlsoIgnoredStillStops",
     "> -- \r\nx",
     {"x"},
     {">"},
     {},
     {},
     kSendGoesAhead,
     {"> --"}},
    {"EmptyStopItemSearchesNothing", "x", {"", "x"}, {}, {}, {}, kSendGoesAhead, {""}},
};

INSTANTIATE_TEST_SUITE_P(Cases, CheckOutgoingTextTest, testing::ValuesIn(kCheckCases),
                         [](const testing::TestParamInfo<CheckCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(CheckOutgoingTextTest, NoTextIsAnEmptyBodyAndNothingIsGivenBack) {
    const StringSet checks = {"", "a"};
    g_sendLog.clear();
    ScriptedPrompter prompter({});
    EXPECT_EQ(
        CheckOutgoingText(LentText(nullptr, {RecordGiveBack}), checks, nullptr, {}, {}, prompter),
        kSendGoesAhead);
    EXPECT_EQ(g_sendLog, std::vector<std::string>{"ask "});
}

class ThrowingPrompter : public Prompter {
  public:
    bool ConfirmContinue(std::string_view) override { throw std::bad_alloc(); }
};

TEST(CheckOutgoingTextTest, FailureWhileAskingLetsTheSendGoAhead) {
    const StringSet checks = {"a"};
    g_sendLog.clear();
    ThrowingPrompter prompter;
    EXPECT_EQ(CheckOutgoingText(Lend("a"), checks, nullptr, {}, {}, prompter), kSendGoesAhead);
    EXPECT_EQ(g_sendLog, std::vector<std::string>{"give back"});
}

// The plan names the line of each finding by its start, which the dry-run
// checker turns into line numbers; ignored lines still count as lines.
TEST(PlanPromptsTest, EachPromptKnowsWhereItsLineStarts) {
    const StringSet checks = {"a", "b", "c"};
    const CheckIndex index(checks);
    const std::string body = "x\r\n> a\r\nb a\r\n\r\nc";
    const std::vector<PlannedPrompt> expected = {{"a", 8}, {"b", 8}, {"c", 15}};
    EXPECT_EQ(PlanPrompts(body, index, {">"}, {}), expected);
}

#if defined(__unix__)
void GiveNothingBack(char*) {}

TEST(CheckOutgoingTextTest, TheLentTextIsReadUpToItsNulAndNoFurther) {
    // The body's NUL is the last byte before memory that cannot be read, so
    // a search that read past it, even by one byte, would crash; long lines
    // and short, so that the search looks for the end more than once.
    const testing_support::GuardedPages memory(24, 4);
    std::string body;
    for (int line = 0; body.size() < 20 * testing_support::GuardedPages::PageSize(); ++line) {
        body += (line % 9 == 0 ? "> quoted " : "plain ") + std::to_string(line) +
                std::string(line % 50 == 0 ? 5000 : 40, 'x') + "\r\n";
    }
    body += kTenpu;
    char* const lent = memory.ReadableEnd() - (body.size() + 1);
    std::memcpy(lent, body.c_str(), body.size() + 1);

    StringSet many = {kTenpu, "\x94"};
    for (int i = 0; i < 300; ++i) {
        many.insert("name" + std::to_string(i));
    }
    for (const StringSet& checks : {StringSet{kTenpu}, StringSet{kTenpu, "\x94", "z"}, many}) {
        for (const StringSet& ignore : {StringSet{}, StringSet{">"}}) {
            g_sendLog.clear();
            ScriptedPrompter prompter({});
            CheckOutgoingText(LentText(lent, {GiveNothingBack}), checks, nullptr, ignore, {},
                              prompter);
            EXPECT_EQ(g_sendLog, std::vector<std::string>{"ask " + kTenpu});
        }
    }
}
#endif

}  // namespace
}  // namespace vorlent
