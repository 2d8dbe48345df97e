#include "check/check_index.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <tuple>

namespace vorlent {
namespace {

constexpr std::size_t kMaxGramWidth = 4;
// Up to kMaxPairScanned strings, all of them or those shorter than
// kPairScanBelow, are searched with a byte-pair scan each.
constexpr std::size_t kPairScanBelow = 6;
constexpr std::size_t kMaxPairScanned = 8;
// Sampling every step-th position saves work in proportion, but each string
// adds one entry per offset; past this many entries the filter would fill up.
constexpr std::size_t kEntryBudgetForSteps = 16384;
// About one bit in 2^kFilterSparseness set keeps chance hits rare; the cap
// (128 KB of filter) keeps it within a second-level cache.
constexpr unsigned kFilterSparseness = 8;

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

CheckIndex::CheckIndex(const StringSet& checkStrings) {
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

    // A few strings are each searched faster on their own than all together.
    // Otherwise the shortest strings set the filter's step, and a few short
    // ones (a word of two kanji is four bytes) are better searched on their
    // own, so that the rest can be sampled sparsely.
    std::size_t pairScanBelow = searchable.size() <= kMaxPairScanned
                                    ? std::numeric_limits<std::size_t>::max()
                                    : kPairScanBelow;
    const auto shorterThan = [&](std::size_t length) {
        return static_cast<std::size_t>(
            std::count_if(searchable.begin(), searchable.end(),
                          [&](std::uint32_t index) { return strings_[index].size() < length; }));
    };
    while (shorterThan(pairScanBelow) > kMaxPairScanned) {
        --pairScanBelow;
    }
    std::vector<std::uint32_t> filtered;
    for (const std::uint32_t index : searchable) {
        (strings_[index].size() < pairScanBelow ? pairScanned_ : filtered).push_back(index);
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
    const std::size_t stepBudget = std::max<std::size_t>(1, kEntryBudgetForSteps / filtered.size());
    step_ = std::min({minFilteredLength_ - gramWidth_ + 1, kMaxStep, stepBudget});

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
    filter_.assign(hashCount / 64, 0);
    entries_.reserve(keyed.size());
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        const std::uint32_t hash = keyed[i].hash;
        if (i == 0 || keyed[i - 1].hash != hash) {
            buckets_.push_back({keyed[i].entry, static_cast<std::uint32_t>(i), 0});
            filter_[hash / 64] |= std::uint64_t{1} << (hash % 64);
        }
        ++buckets_.back().count;
        bucketsOfString_[keyed[i].entry.stringIndex * kMaxStep + keyed[i].entry.offset] =
            static_cast<std::uint32_t>(buckets_.size() - 1);
        entries_.push_back(keyed[i].entry);
    }
    bucketsBefore_.reserve(filter_.size());
    std::uint32_t bucketsBefore = 0;
    for (const std::uint64_t word : filter_) {
        bucketsBefore_.push_back(bucketsBefore);
        bucketsBefore += CountBits(word);
    }
}

std::size_t CheckIndex::MemoryBytes() const {
    return strings_.capacity() * sizeof(std::string_view) +
           filter_.capacity() * sizeof(std::uint64_t) + buckets_.capacity() * sizeof(Bucket) +
           bucketsBefore_.capacity() * sizeof(std::uint32_t) + entries_.capacity() * sizeof(Entry) +
           (bucketsOfString_.capacity() + pairScanned_.capacity()) * sizeof(std::uint32_t);
}

}  // namespace vorlent
