// The one-pass check against the plain one on random check strings, ignore
// prefixes, bodies and answers: the same prompts in the same order and the
// same result, or the run stops with the input that shows the difference.
//
// Input, as FuzzedDataProvider reads it: from the end a flag (bytes mapped to
// a six-byte alphabet, so that strings do occur), the number of check
// strings, of ignore prefixes and of stop prefixes, 64 answer bits (bit i set:
// OK to the i-th prompt), and the number, shortest length and seed of
// generated strings; from the front the strings, each ended by a backslash
// and another byte ("\\" stands for one backslash); the bytes left are the
// body. The generated strings, up to several thousand drawn from the six-byte
// alphabet, reach what only large sets reach: every width of the filter's
// hash and the cut of its step.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "check/outgoing_check.h"
#include "plain_check.h"

namespace {

using vorlent::StringSet;

class ScriptedPrompter : public vorlent::Prompter {
  public:
    explicit ScriptedPrompter(std::uint64_t answers) : answers_(answers) {}
    bool ConfirmContinue(std::string_view checkString) override {
        const bool ok = asked.size() >= 64 || ((answers_ >> asked.size()) & 1) != 0;
        asked.emplace_back(checkString);
        return ok;
    }
    std::vector<std::string> asked;

  private:
    std::uint64_t answers_;
};

constexpr char kAlphabet[] = {'a', 'b', '\r', '\n', '\x82', '>'};

// `count` strings of `minLength` to `minLength` + 7 bytes, all but the 2-byte
// ones drawn from the alphabet; one in eight is 2 bytes long, as a check
// string of one kanji is.
StringSet GeneratedStrings(int count, int minLength, std::uint32_t seed) {
    std::minstd_rand random(seed);
    StringSet strings;
    for (int i = 0; i < count; ++i) {
        const std::size_t length = random() % 8 == 0 ? 2 : minLength + random() % 8;
        std::string text;
        for (std::size_t j = 0; j < length; ++j) {
            text += kAlphabet[random() % sizeof kAlphabet];
        }
        strings.insert(std::move(text));
    }
    return strings;
}

int g_releases = 0;

void CountRelease(char* text) {
    ++g_releases;
    delete[] text;
}

[[noreturn]] void Disagree(const char* what) {
    std::fprintf(stderr, "the one-pass check disagrees with the plain one: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool smallAlphabet = input.ConsumeBool();
    const auto bytes = [smallAlphabet](std::string text) {
        if (smallAlphabet) {
            for (char& byte : text) {
                byte = kAlphabet[static_cast<unsigned char>(byte) % sizeof kAlphabet];
            }
        }
        return text;
    };

    StringSet checkStrings;
    const int checkCount = input.ConsumeIntegralInRange(0, 24);
    for (int i = 0; i < checkCount; ++i) {
        checkStrings.insert(bytes(input.ConsumeRandomLengthString(24)));
    }
    StringSet ignorePrefixes;
    const int prefixCount = input.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < prefixCount; ++i) {
        ignorePrefixes.insert(bytes(input.ConsumeRandomLengthString(4)));
    }
    StringSet stopPrefixes;
    const int stopCount = input.ConsumeIntegralInRange(0, 2);
    for (int i = 0; i < stopCount; ++i) {
        stopPrefixes.insert(bytes(input.ConsumeRandomLengthString(6)));
    }
    const std::uint64_t answers = input.ConsumeIntegral<std::uint64_t>();
    const int generatedCount = input.ConsumeIntegralInRange(0, 5000);
    const int generatedMinLength = input.ConsumeIntegralInRange(1, 16);
    checkStrings.merge(GeneratedStrings(generatedCount, generatedMinLength,
                                        input.ConsumeIntegral<std::uint32_t>()));
    const std::string body = bytes(input.ConsumeRemainingBytesAsString());

    const vorlent::CheckIndex index(checkStrings);
    std::vector<vorlent::plain::Prompt> plan;
    for (const vorlent::PlannedPrompt& prompt :
         vorlent::PlanPrompts(body, index, ignorePrefixes, stopPrefixes)) {
        plan.push_back({prompt.checkString, prompt.lineStart});
    }
    if (plan != vorlent::plain::PlanPrompts(body, checkStrings, ignorePrefixes, stopPrefixes)) {
        Disagree("planned prompts");
    }

    ScriptedPrompter onePass(answers);
    g_releases = 0;
    char* lent = new char[body.size() + 1];
    std::memcpy(lent, body.c_str(), body.size() + 1);
    const int onePassResult =
        vorlent::CheckOutgoingText(vorlent::LentText(lent, {CountRelease}), checkStrings, &index,
                                   ignorePrefixes, stopPrefixes, onePass);
    // The host's text ends at its first NUL.
    const std::string_view lentBody(body.c_str());
    ScriptedPrompter plain(answers);
    const int plainResult =
        vorlent::plain::CheckOutgoing(lentBody, checkStrings, ignorePrefixes, stopPrefixes, plain)
            ? vorlent::kSendGoesAhead
            : vorlent::kSendStopped;
    if (onePass.asked != plain.asked) {
        Disagree("prompts shown");
    }
    if (onePassResult != plainResult) {
        Disagree("result");
    }
    if (g_releases != 1) {
        Disagree("body not given back exactly once");
    }
    return 0;
}
