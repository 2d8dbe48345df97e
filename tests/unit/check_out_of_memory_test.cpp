// One send with each of its allocations failing in turn. This executable
// replaces the global allocation functions, so it holds this test alone.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "check/outgoing_check.h"

namespace {

// Counts the blocks alive and, once armed, fails the allocation whose turn
// comes up.
struct AllocationLog {
    long live = 0;
    long made = 0;
    long failAt = 0;  // 0: never
    bool failed = false;
};
AllocationLog g_allocations;

void* Allocate(std::size_t size) {
    ++g_allocations.made;
    if (g_allocations.failAt != 0 && g_allocations.made == g_allocations.failAt) {
        g_allocations.failed = true;
        throw std::bad_alloc();
    }
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    ++g_allocations.live;
    return block;
}

void Release(void* block) noexcept {
    if (block != nullptr) {
        --g_allocations.live;
        std::free(block);
    }
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* block) noexcept {
    Release(block);
}
void operator delete[](void* block) noexcept {
    Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    Release(block);
}

namespace vorlent {
namespace {

// OK to every prompt but the last, so a send that runs to its end stops and
// one cut short by a failure lets the mail go. Allocates nothing itself.
class CountingPrompter : public Prompter {
  public:
    explicit CountingPrompter(int prompts) : prompts_(prompts) {}
    bool ConfirmContinue(std::string_view) override { return ++asked < prompts_; }
    int asked = 0;

  private:
    int prompts_;
};

struct SendOutcome {
    int result;
    int releases;
    int prompts;
    long leakedBlocks;
    bool failed;
};

// The host's block lies outside the counted heap, as it does in the plug-in.
int g_releases = 0;

void GiveBack(char* text) {
    ++g_releases;
    std::free(text);
}

LentText Lend(const std::string& body) {
    char* block = static_cast<char*>(std::malloc(body.size() + 1));
    std::memcpy(block, body.c_str(), body.size() + 1);
    return LentText(block, {GiveBack});
}

SendOutcome SendFailingAt(long failAt, const std::string& body, const StringSet& checkStrings,
                          const CheckIndex* compiled, const StringSet& ignorePrefixes,
                          int expectedPrompts) {
    CountingPrompter prompter(expectedPrompts);
    LentText text = Lend(body);
    g_releases = 0;
    g_allocations = {g_allocations.live, 0, failAt, false};
    const long liveBefore = g_allocations.live;
    const int result =
        CheckOutgoingText(std::move(text), checkStrings, compiled, ignorePrefixes, {}, prompter);
    const SendOutcome outcome = {result, g_releases, prompter.asked,
                                 g_allocations.live - liveBefore, g_allocations.failed};
    g_allocations.failAt = 0;
    return outcome;
}

void FailEachAllocationInTurn(const StringSet& checkStrings, const CheckIndex* compiled) {
    const std::string body =
        "> quoted \x93\x59\x95\x74\r\nsee the \x93\x59\x95\x74 file\r\nproject falcon\r\n";
    const StringSet ignorePrefixes = {">"};
    constexpr int kPrompts = 2;
    for (long failAt = 1;; ++failAt) {
        const SendOutcome outcome =
            SendFailingAt(failAt, body, checkStrings, compiled, ignorePrefixes, kPrompts);
        ASSERT_EQ(outcome.releases, 1) << "allocation " << failAt;
        ASSERT_EQ(outcome.leakedBlocks, 0) << "allocation " << failAt;
        if (!outcome.failed) {
            ASSERT_GT(failAt, 1) << "the send allocates nothing";
            EXPECT_EQ(outcome.prompts, kPrompts);
            EXPECT_EQ(outcome.result, kSendStopped);
            return;
        }
        ASSERT_EQ(outcome.result, kSendGoesAhead) << "allocation " << failAt;
    }
}

const StringSet kCheckStrings = {"\x93\x59\x95\x74", "falcon", "nowhere", "no\r\nline"};

TEST(CheckOutOfMemoryTest, EveryFailureBuildingTheIndexLetsTheSendGoAhead) {
    FailEachAllocationInTurn(kCheckStrings, nullptr);
}

TEST(CheckOutOfMemoryTest, EveryFailureWithAPrebuiltIndexLetsTheSendGoAhead) {
    const CheckIndex index(kCheckStrings);
    FailEachAllocationInTurn(kCheckStrings, &index);
}

}  // namespace
}  // namespace vorlent
