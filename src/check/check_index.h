#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "check/string_set.h"

namespace vorlent {

// The set bits of a word. std::popcount is a library call where the target
// has no instruction for it (the 32-bit plug-in, plain x86-64).
inline std::uint32_t CountBits(std::uint64_t word) {
    word -= (word >> 1) & 0x5555555555555555u;
    word = (word & 0x3333333333333333u) + ((word >> 2) & 0x3333333333333333u);
    word = (word + (word >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<std::uint32_t>((word * 0x0101010101010101u) >> 56);
}

// The check strings compiled for a search of all of them in one pass over a
// body. Built once per set and only read by a send, so one index can serve
// every send. It keeps views into the set, which must outlive it.
//
// The pass looks at every step-th position of the body and takes the gram
// there: its next gram-width bytes. Every filtered string is at least
// step + width - 1 bytes long, so any occurrence has a sampled position among
// its first step bytes; the grams of each string at offsets 0 to step-1 go
// into a bitmap filter under a hash. A position whose gram hits the filter is
// a candidate; the entries of its hash say which strings to compare there and
// at what distance back they would start.
class CheckIndex {
  public:
    // One string's gram at one offset: the string may start `offset` bytes
    // before a sampled position whose gram has this entry's hash. `head` holds
    // the string's first bytes (up to eight), to turn most chance hits away
    // without reading the string itself.
    struct Entry {
        std::uint64_t head;
        std::uint32_t string;  // position in Strings()
        std::uint16_t offset;
        std::uint8_t headBytes;
        // How many first bytes all strings of this entry's group (its bucket
        // and offset) share, up to eight: one look at them turns a whole
        // group of names with a common beginning away.
        std::uint8_t groupHeadBytes;
    };

    // Entries with the same hash form a bucket; buckets are numbered in the
    // order of their hashes. Most hold one entry, kept here so that a hit
    // reads one record; a larger bucket's entries, sorted by offset and then
    // string, are Entries()[start, start + count).
    struct Bucket {
        Entry first;
        std::uint32_t start;
        std::uint32_t count;
    };

    explicit CheckIndex(const StringSet& checkStrings);

    // Every check string in the set's order; findings name strings by their
    // position here.
    const std::vector<std::string_view>& Strings() const { return strings_; }

    // The empty string sorts first, so when present it is Strings()[0].
    bool HasEmptyString() const { return hasEmptyString_; }

    // Strings that can be found inside a line: not empty, no CR LF in them.
    std::size_t SearchableCount() const { return searchableCount_; }

    // A few short searchable strings, searched each on its own for its first
    // and last byte; all others go through the filter.
    const std::vector<std::uint32_t>& PairScanned() const { return pairScanned_; }
    std::size_t FilteredCount() const { return filteredCount_; }
    std::size_t MinFilteredLength() const { return minLength_; }

    std::size_t GramWidth() const { return gramWidth_; }
    std::size_t Step() const { return step_; }
    std::uint32_t GramMask() const { return gramMask_; }
    unsigned HashShift() const { return hashShift_; }
    std::uint32_t HashOf(std::uint32_t gram) const { return HashGram(gram, hashShift_); }
    static std::uint32_t HashGram(std::uint32_t gram, unsigned shift) {
        return (gram * kHashMultiplier) >> shift;
    }

    const std::uint64_t* Filter() const { return filter_.data(); }
    static bool Hits(const std::uint64_t* filter, std::uint32_t hash) {
        return ((filter[hash / 64] >> (hash % 64)) & 1) != 0;
    }

    std::size_t BucketCount() const { return buckets_.size(); }
    // The bucket of a hash that hits the filter. A bucket's number is the
    // count of set bits before its own, kept per filter word.
    std::uint32_t BucketOf(std::uint32_t hash) const {
        const std::uint64_t below = filter_[hash / 64] & ((std::uint64_t{1} << (hash % 64)) - 1);
        return bucketsBefore_[hash / 64] + CountBits(below);
    }
    const std::uint32_t* BucketsBeforeWordOf(std::uint32_t hash) const {
        return bucketsBefore_.data() + hash / 64;
    }
    const Bucket& BucketAt(std::size_t bucket) const { return buckets_[bucket]; }
    const Entry* Entries() const { return entries_.data(); }
    // The buckets of string i's entries, one per offset 0 to Step()-1, for a
    // string that goes through the filter.
    const std::uint32_t* BucketsOf(std::size_t string) const {
        return stringBuckets_.data() + string * kMaxStep;
    }
    bool IsFiltered(std::size_t string) const { return *BucketsOf(string) != kNoBucket; }

    static constexpr std::size_t kMaxStep = 8;

    // Heap bytes the index holds beyond the set it views.
    std::size_t MemoryBytes() const;

  private:
    static constexpr std::uint32_t kHashMultiplier = 0x9E3779B1u;
    static constexpr std::uint32_t kNoBucket = 0xFFFFFFFFu;

    void Build();

    std::vector<std::string_view> strings_;
    bool hasEmptyString_ = false;
    std::size_t searchableCount_ = 0;
    std::vector<std::uint32_t> pairScanned_;
    std::size_t filteredCount_ = 0;
    std::size_t minLength_ = 0;
    std::size_t gramWidth_ = 0;
    std::size_t step_ = 1;
    std::uint32_t gramMask_ = 0;
    unsigned hashShift_ = 32;
    std::vector<std::uint64_t> filter_;
    std::vector<std::uint32_t> bucketsBefore_;  // set bits in the words before each
    std::vector<Bucket> buckets_;
    std::vector<Entry> entries_;
    std::vector<std::uint32_t> stringBuckets_;
};

// The gram at `bytes`: up to four bytes, first byte lowest, whatever the
// machine's byte order, so a string and the body agree on it.
inline std::uint32_t LoadGram4(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

// Eight bytes, first byte lowest.
inline std::uint64_t LoadHead8(const char* bytes) {
    return static_cast<std::uint64_t>(LoadGram4(bytes)) |
           static_cast<std::uint64_t>(LoadGram4(bytes + 4)) << 32;
}

// As LoadGram4 for the last bytes of a text: missing bytes read as zero.
std::uint32_t LoadGramTail(const char* bytes, std::size_t available);

// Up to eight bytes, first byte lowest; missing bytes read as zero.
std::uint64_t LoadHead(const char* bytes, std::size_t count);

bool ContainsLineSeparator(std::string_view text);

}  // namespace vorlent
