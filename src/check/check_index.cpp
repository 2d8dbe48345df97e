#include "check/check_index.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <tuple>
#include <utility>

#include "check/byte_pair_scan.h"
#include "check/cpu_features.h"

namespace vorlent {
namespace {

constexpr std::size_t kMaxGramWidth = 4;
// Sampling every step-th position saves work in proportion, but each string
// adds one entry per offset; past this many entries the filter would fill up.
constexpr std::size_t kEntryBudgetForSteps = 16384;
// About one bit in 2^kFilterSparseness set keeps chance hits rare; the cap
// (128 KB of filter) keeps it within a second-level cache.
constexpr unsigned kFilterSparseness = 8;

// What a scan costs per byte of body, in sixteenths of an instruction, as
// calibrated on the benchmark's bodies. The byte-pair scan tests sixteen
// positions at once (byte_pair_scan.h gives its costs per sixteen bytes).
// The filter costs about four instructions per sample, one sample every step
// bytes; with grams shorter than four bytes it is hit so often that the hits
// cost more than the samples.
constexpr double kFilterCostPerSample = 4 * 16;
constexpr double kFilterCostOfNarrowGrams[kMaxGramWidth + 1] = {0, 16 * 16, 8 * 16, 1 * 16, 0};

// The filter's step for strings of at least minLength bytes, count of them.
std::size_t FilterStep(std::size_t minLength, std::size_t count) {
    const std::size_t width = std::min(minLength, kMaxGramWidth);
    const std::size_t stepBudget = std::max<std::size_t>(1, kEntryBudgetForSteps / count);
    return std::min({minLength - width + 1, CheckIndex::kMaxStep, stepBudget});
}

std::uint32_t LoadGram(const char* bytes, std::size_t width) {
    std::uint32_t gram = 0;
    for (std::size_t i = 0; i < width; ++i) {
        gram |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return gram;
}

}  // namespace

std::uint32_t LoadGramTail(const char* bytes, std::size_t available) {
    return LoadGram(bytes, std::min(available, kMaxGramWidth));
}

std::uint64_t LoadHead(const char* bytes, std::size_t count) {
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < count; ++i) {
        head |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return head;
}

bool ContainsLineSeparator(std::string_view text) {
    return text.find("\r\n") != std::string_view::npos;
}

CheckIndex::CheckIndex(const StringSet& checkStrings) : byteClasses_(CpuHasSsse3()) {
    strings_.reserve(checkStrings.size());
    for (const ByteString& checkString : checkStrings) {
        strings_.emplace_back(checkString);
    }
    Build();
}

void CheckIndex::Build() {
    hasEmptyString_ = !strings_.empty() && strings_.front().empty();
    std::vector<std::uint32_t> searchable;
    for (std::size_t i = 0; i < strings_.size(); ++i) {
        // No line contains the separator, so a string with CR LF is never found.
        if (!strings_[i].empty() && !ContainsLineSeparator(strings_[i])) {
            searchable.push_back(static_cast<std::uint32_t>(i));
        }
    }
    searchableCount_ = searchable.size();

    ChoosePairScanned(searchable);
    std::vector<bool> pairScanned(strings_.size(), false);
    for (const std::uint32_t index : pairScanned_) {
        pairScanned[index] = true;
    }
    std::vector<std::uint32_t> filtered;
    for (const std::uint32_t index : searchable) {
        if (!pairScanned[index]) {
            filtered.push_back(index);
        }
    }
    filteredCount_ = filtered.size();
    bucketsOfString_.assign(strings_.size() * kMaxStep, kNoBucket);
    if (filtered.empty()) {
        return;
    }
    minFilteredLength_ = strings_[filtered.front()].size();
    for (const std::uint32_t index : filtered) {
        minFilteredLength_ = std::min(minFilteredLength_, strings_[index].size());
    }

    gramWidth_ = std::min(minFilteredLength_, kMaxGramWidth);
    gramMask_ = gramWidth_ == 4 ? 0xFFFFFFFFu : (std::uint32_t{1} << (8 * gramWidth_)) - 1;
    step_ = FilterStep(minFilteredLength_, filtered.size());

    const std::size_t entryCount = filtered.size() * step_;
    const unsigned hashBits = std::clamp<unsigned>(std::bit_width(entryCount) + kFilterSparseness,
                                                   kMinHashBits, kMaxHashBits);
    hashShift_ = 32 - hashBits;

    struct Keyed {
        std::uint32_t hash;
        Entry entry;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(entryCount);
    for (const std::uint32_t stringIndex : filtered) {
        const std::string_view text = strings_[stringIndex];
        const std::size_t headBytes = std::min<std::size_t>(text.size(), 8);
        for (std::size_t offset = 0; offset < step_; ++offset) {
            const std::uint32_t gram = LoadGram(text.data() + offset, gramWidth_);
            keyed.push_back(
                {HashGram(gram, hashShift_),
                 {LoadHead(text.data(), headBytes), stringIndex, static_cast<std::uint16_t>(offset),
                  static_cast<std::uint8_t>(headBytes), 0}});
        }
    }
    // Sorted by string within a hash and offset, the strings to compare at one
    // start are in byte order, so shared beginnings can be walked once.
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return std::tie(a.hash, a.entry.offset, a.entry.stringIndex) <
               std::tie(b.hash, b.entry.offset, b.entry.stringIndex);
    });

    for (std::size_t groupBegin = 0; groupBegin < keyed.size();) {
        std::size_t groupEnd = groupBegin + 1;
        while (groupEnd < keyed.size() && keyed[groupEnd].hash == keyed[groupBegin].hash &&
               keyed[groupEnd].entry.offset == keyed[groupBegin].entry.offset) {
            ++groupEnd;
        }
        // In byte order, what the first and the last share, all share.
        const std::string_view first = strings_[keyed[groupBegin].entry.stringIndex];
        const std::string_view last = strings_[keyed[groupEnd - 1].entry.stringIndex];
        std::size_t shared = 0;
        while (shared < 8 && shared < first.size() && shared < last.size() &&
               first[shared] == last[shared]) {
            ++shared;
        }
        for (std::size_t i = groupBegin; i < groupEnd; ++i) {
            keyed[i].entry.groupHeadBytes = static_cast<std::uint8_t>(shared);
        }
        groupBegin = groupEnd;
    }

    const std::size_t hashCount = std::size_t{1} << hashBits;
    filter_.assign(hashCount / kWordBits, 0);
    entries_.reserve(keyed.size());
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        const std::uint32_t hash = keyed[i].hash;
        if (i == 0 || keyed[i - 1].hash != hash) {
            buckets_.push_back({keyed[i].entry, static_cast<std::uint32_t>(i), 0});
            filter_[hash / kWordBits] |= FilterWord{1} << (hash % kWordBits);
        }
        ++buckets_.back().count;
        bucketsOfString_[keyed[i].entry.stringIndex * kMaxStep + keyed[i].entry.offset] =
            static_cast<std::uint32_t>(buckets_.size() - 1);
        entries_.push_back(keyed[i].entry);
    }
    bucketsBefore_.reserve(filter_.size());
    std::uint32_t bucketsBefore = 0;
    for (const FilterWord word : filter_) {
        bucketsBefore_.push_back(bucketsBefore);
        bucketsBefore += CountBits(word);
    }
}

void CheckIndex::ChoosePairScanned(const std::vector<std::uint32_t>& searchable) {
    // The shortest strings limit how sparsely the filter can sample, and are
    // what the byte-pair scan handles best; which of them to take out of the
    // filter is a matter of what each way costs, worked out for taking the
    // k shortest, for every k up to the scan's limit.
    std::vector<std::uint32_t> byLength = searchable;
    std::sort(byLength.begin(), byLength.end(), [&](std::uint32_t a, std::uint32_t b) {
        return std::pair(strings_[a].size(), a) < std::pair(strings_[b].size(), b);
    });
    const auto filterCost = [&](std::size_t taken) {
        if (taken == byLength.size()) {
            return 0.0;
        }
        const std::size_t minLength = strings_[byLength[taken]].size();
        return kFilterCostPerSample /
                   static_cast<double>(FilterStep(minLength, byLength.size() - taken)) +
               kFilterCostOfNarrowGrams[std::min(minLength, kMaxGramWidth)];
    };
    // The distinct first and last bytes of the strings taken, per length.
    std::vector<std::array<bool, 256>> firsts;
    std::vector<std::array<bool, 256>> lasts;
    std::vector<std::size_t> lengths;
    double lengthsCost = 0;
    double bytesCost = 0;
    double classesCost = 0;
    double bestCost = filterCost(0);
    std::size_t bestTaken = 0;
    for (std::size_t taken = 1; taken <= std::min(byLength.size(), kMaxPairScanned); ++taken) {
        const std::string_view text = strings_[byLength[taken - 1]];
        if (lengths.empty() || lengths.back() != text.size()) {
            lengths.push_back(text.size());
            firsts.emplace_back();
            lasts.emplace_back();
            firsts.back().fill(false);
            lasts.back().fill(false);
            lengthsCost += kPairScanCostPerLength;
            classesCost += 2 * kPairScanCostPerClass;
        }
        for (auto [seen, byte] :
             {std::pair{&firsts.back(), text.front()}, std::pair{&lasts.back(), text.back()}}) {
            bool& bit = (*seen)[static_cast<unsigned char>(byte)];
            if (!bit) {
                bit = true;
                bytesCost += kPairScanCostPerByte;
            }
        }
        const double pairCost =
            lengthsCost + (byteClasses_ ? std::min(bytesCost, classesCost) : bytesCost);
        const double cost = pairCost + filterCost(taken);
        if (cost < bestCost) {
            bestCost = cost;
            bestTaken = taken;
        }
    }
    pairScanned_.assign(byLength.begin(), byLength.begin() + bestTaken);
    for (std::size_t i = 0; i < pairScanned_.size(); ++i) {
        const std::size_t length = strings_[pairScanned_[i]].size();
        if (pairGroups_.empty() || pairGroups_.back().length != length) {
            pairGroups_.push_back({static_cast<std::uint32_t>(length),
                                   static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(i)});
        }
        ++pairGroups_.back().end;
    }
}

std::size_t CheckIndex::MemoryBytes() const {
    return strings_.capacity() * sizeof(std::string_view) +
           filter_.capacity() * sizeof(FilterWord) + buckets_.capacity() * sizeof(Bucket) +
           bucketsBefore_.capacity() * sizeof(std::uint32_t) + entries_.capacity() * sizeof(Entry) +
           (bucketsOfString_.capacity() + pairScanned_.capacity()) * sizeof(std::uint32_t) +
           pairGroups_.capacity() * sizeof(PairGroup);
}

}  // namespace vorlent
