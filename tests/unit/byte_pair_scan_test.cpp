// The byte-pair scan tests sixteen positions at a time, by comparisons or by
// byte classes; both must report exactly the positions a byte-by-byte look
// at every first and last byte reports, in order, and stop where told.

#include "check/byte_pair_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "check/cpu_features.h"

namespace vorlent {
namespace {

constexpr std::size_t kMaxStrings = 32;
constexpr std::size_t kMaxSets = 32;
using Sets = std::array<BytePairSet, kMaxSets>;
using Hit = std::pair<std::size_t, std::size_t>;  // set, position

std::vector<Hit> ExpectedHits(const std::string& text, std::size_t from, std::size_t to,
                              const Sets& sets, std::size_t setCount) {
    std::vector<Hit> hits;
    for (std::size_t i = from; i <= to; ++i) {
        for (std::size_t set = 0; set < setCount; ++set) {
            if (i + sets[set].distance < text.size() && sets[set].Matches(text.data() + i)) {
                hits.emplace_back(set, i);
            }
        }
    }
    return hits;
}

// The hits of one scan, resumed after each stop as the search resumes it;
// it is told to stop at every `stopEvery`-th hit.
std::vector<Hit> ScannedHits(const std::string& text, std::size_t from, std::size_t to,
                             const Sets& sets, std::size_t setCount, bool byteClasses,
                             std::size_t stopEvery) {
    std::vector<Hit> hits;
    for (std::size_t position = from; position <= to;) {
        const std::size_t stop =
            ScanBytePairs<kMaxStrings>(text.data(), position, to, text.size(), sets, setCount,
                                       byteClasses, [&](std::size_t set, std::size_t at) {
                                           hits.emplace_back(set, at);
                                           return hits.size() % stopEvery != 0;
                                       });
        if (stop > to) {
            break;
        }
        // The search moves on past a stop once it has dealt with every set
        // at that position: here, the rest of the sets at `stop`.
        for (std::size_t set = hits.back().first + 1; set < setCount; ++set) {
            if (stop + sets[set].distance < text.size() && sets[set].Matches(text.data() + stop)) {
                hits.emplace_back(set, stop);
            }
        }
        position = stop + 1;
    }
    return hits;
}

TEST(BytePairScanTest, BlocksReportWhatEachPositionHolds) {
    std::mt19937 random(20261211);
    const auto below = [&](std::size_t bound) { return random() % bound; };
    // Bytes of every nibble, so that the class tables' two halves and every
    // bit of a row are used.
    const auto randomByte = [&] {
        static constexpr unsigned char kBytes[] = {0x00, 0x0f, 0x10, 0x41, 0x7f, 0x80,
                                                   0x81, 0x8f, 0x93, 0xe0, 0xf0, 0xff};
        return static_cast<char>(below(2) == 0 ? kBytes[below(sizeof kBytes)] : below(256));
    };
    std::vector<bool> classesAvailable = {false};
    if (CpuHasSsse3()) {
        classesAvailable.push_back(true);
    }
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const std::size_t length = below(200);
        for (std::size_t i = 0; i < length; ++i) {
            text += randomByte();
        }
        Sets sets;
        const std::size_t setCount = 1 + below(4);
        std::size_t distance = 0;
        for (std::size_t set = 0; set < setCount; ++set) {
            distance += 1 + below(4);
            sets[set].distance = distance;
            const std::size_t strings = 1 + below(kMaxStrings / setCount);
            for (std::size_t s = 0; s < strings; ++s) {
                // Bytes of the text now and then, so that there are hits.
                const bool fromText = !text.empty() && below(3) == 0;
                sets[set].Add(fromText ? text[below(text.size())] : randomByte(),
                              fromText ? text[below(text.size())] : randomByte());
            }
        }
        const std::size_t from = text.empty() ? 0 : below(text.size());
        const std::size_t to = text.empty() ? 0 : from + below(text.size() - from);
        const std::vector<Hit> expected = ExpectedHits(text, from, to, sets, setCount);
        for (const bool byteClasses : classesAvailable) {
            for (const std::size_t stopEvery : {std::size_t{1000000}, std::size_t{3}}) {
                ASSERT_EQ(ScannedHits(text, from, to, sets, setCount, byteClasses, stopEvery),
                          expected)
                    << "round " << round << (byteClasses ? ", by class" : ", by byte")
                    << ", stopping every " << stopEvery;
            }
        }
    }
}

}  // namespace
}  // namespace vorlent
