#include "check/outgoing_check.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace vorlent {
namespace {

// "添付" (attachment) and "秘密" (secret) in code page 932.
const std::string kTenpu = "\x93\x59\x95\x74";
const std::string kHimitsu = "\x94\xe9\x96\xa7";

// Answers each prompt from a script (OK when it runs out) and records them.
class ScriptedPrompter : public Prompter {
  public:
    explicit ScriptedPrompter(std::deque<bool> answers) : answers_(std::move(answers)) {}

    bool ConfirmContinue(std::string_view checkString) override {
        asked.emplace_back(checkString);
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
};

class CheckOutgoingTextTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckOutgoingTextTest, AsksInOrderAndStopsOnCancel) {
    const CheckCase& c = GetParam();
    ScriptedPrompter prompter(c.answers);
    const int result =
        CheckOutgoingText(LineRange(c.body), c.checkStrings, c.ignorePrefixes, prompter);
    EXPECT_EQ(prompter.asked, c.expectedPrompts);
    EXPECT_EQ(result, c.expectedResult);
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
};

INSTANTIATE_TEST_SUITE_P(Cases, CheckOutgoingTextTest, testing::ValuesIn(kCheckCases),
                         [](const testing::TestParamInfo<CheckCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(PlanPromptsTest, PendingSetIsPerCall) {
    const StringSet checks = {"a"};
    const std::string body = "a";
    EXPECT_EQ(PlanPrompts(LineRange(body), checks, {}).size(), 1u);
    EXPECT_EQ(PlanPrompts(LineRange(body), checks, {}).size(), 1u);
    EXPECT_EQ(checks.size(), 1u);
}

}  // namespace
}  // namespace vorlent
