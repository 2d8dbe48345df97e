// The one-pass check against the plain one on random check strings, ignore
// prefixes, bodies and answers: the same prompts in the same order and the
// same result, or the run stops with the input that shows the difference.
//
// Input, as FuzzedDataProvider reads it: from the end a flag (bytes mapped to
// a six-byte alphabet, so that strings do occur), the number of check strings
// and of prefixes, 64 answer bits (bit i set: OK to the i-th prompt); from the
// front the strings, each ended by a backslash and another byte ("\\" stands
// for one backslash); the bytes left are the body.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "check/outgoing_check.h"
#include "plain_plan.h"

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
        static constexpr char kAlphabet[] = {'a', 'b', '\r', '\n', '\x82', '>'};
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
    const std::uint64_t answers = input.ConsumeIntegral<std::uint64_t>();
    const std::string body = bytes(input.ConsumeRemainingBytesAsString());

    const vorlent::CheckIndex index(checkStrings);
    if (vorlent::PlanPrompts(body, index, ignorePrefixes) !=
        vorlent::PlanPromptsPlain(body, checkStrings, ignorePrefixes)) {
        Disagree("planned prompts");
    }

    ScriptedPrompter onePass(answers);
    g_releases = 0;
    char* lent = new char[body.size() + 1];
    std::memcpy(lent, body.c_str(), body.size() + 1);
    const int onePassResult = vorlent::CheckOutgoingText(
        vorlent::LentText(lent, {CountRelease}), checkStrings, &index, ignorePrefixes, onePass);
    ScriptedPrompter plain(answers);
    const int plainResult = vorlent::CheckOutgoingPlain(body, checkStrings, ignorePrefixes, plain);
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
