#include "check/outgoing_send.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

namespace vorlent {
namespace {

// Records what happened in one send, in order.
struct SendLog {
    std::vector<std::string> events;
};

class LoggingPrompter : public Prompter {
  public:
    LoggingPrompter(SendLog& log, bool answer) : log_(log), answer_(answer) {}
    bool ConfirmContinue(std::string_view checkString) override {
        log_.events.push_back("ask " + std::string(checkString));
        return answer_;
    }

  private:
    SendLog& log_;
    bool answer_;
};

class FailingPrompter : public Prompter {
  public:
    bool ConfirmContinue(std::string_view) override { throw std::bad_alloc(); }
};

TEST(CheckOutgoingSendTest, BodyGoesBackOnceBeforeTheFirstPrompt) {
    const StringSet checks = {"a", "b"};
    const CheckIndex index(checks);
    for (const bool answer : {true, false}) {
        SendLog log;
        LoggingPrompter prompter(log, answer);
        const int result = CheckOutgoingSend(
            "b a", [&log]() noexcept { log.events.push_back("release"); }, index, {}, prompter);
        const std::vector<std::string> expected =
            answer ? std::vector<std::string>{"release", "ask a", "ask b"}
                   : std::vector<std::string>{"release", "ask a"};
        EXPECT_EQ(log.events, expected);
        EXPECT_EQ(result, answer ? kSendGoesAhead : kSendStopped);
    }
}

TEST(CheckOutgoingSendTest, FailureWhileAskingLetsTheSendGoAhead) {
    const StringSet checks = {"a"};
    int releases = 0;
    FailingPrompter prompter;
    EXPECT_EQ(CheckOutgoingSend(
                  "a", [&releases]() noexcept { ++releases; }, checks, {}, prompter),
              kSendGoesAhead);
    EXPECT_EQ(releases, 1);
}

}  // namespace
}  // namespace vorlent
