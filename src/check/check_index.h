#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "check/string_set.h"

namespace vorlent {

// The check strings compiled for a search of all of them in one pass over a
// body (first_line_search.cpp says how the search uses it). Built once per
// set and only read by a send, so one index serves every send. It keeps views
// into the set, which must outlive it.
class CheckIndex {
  public:
    explicit CheckIndex(const StringSet& checkStrings);

    // Every check string in the set's order; a finding names its string by
    // its index here.
    const std::vector<std::string_view>& Strings() const { return strings_; }

    // Heap bytes the index holds beyond the set it views.
    std::size_t MemoryBytes() const;

    // The filter's hash takes this many bits, as many as its entries need;
    // the search is compiled once for every width in this range.
    static constexpr unsigned kMinHashBits = 10;
    static constexpr unsigned kMaxHashBits = 20;
    // The largest sampling step.
    static constexpr std::size_t kMaxStep = 8;
    // The most strings the byte-pair scan takes on.
    static constexpr std::size_t kMaxPairScanned = 32;

  private:
    // The search reads the compiled form directly: it is the only reader,
    // and its inner loop must see plain data, not calls.
    friend class FirstLineSearch;

    // One string's gram at one offset: the string may start `offset` bytes
    // before a sampled position whose gram has this entry's hash. `head` holds
    // the string's first bytes (up to eight), to turn most chance hits away
    // without reading the string itself.
    struct Entry {
        std::uint64_t head;
        std::uint32_t stringIndex;
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
    // string, are entries_[start, start + count).
    struct Bucket {
        Entry first;
        std::uint32_t start;
        std::uint32_t count;
    };

    static constexpr std::uint32_t kHashMultiplier = 0x9E3779B1u;
    static constexpr std::uint32_t kNoBucket = 0xFFFFFFFFu;

    static std::uint32_t HashGram(std::uint32_t gram, unsigned shift) {
        return (gram * kHashMultiplier) >> shift;
    }
    // Filter words of 32 bits: a shift of a 64-bit word by a variable count
    // is a branch or a pair of shifts on a 32-bit target.
    using FilterWord = std::uint32_t;
    static constexpr unsigned kWordBits = 32;
    static bool Hits(const FilterWord* filter, std::uint32_t hash) {
        return ((filter[hash / kWordBits] >> (hash % kWordBits)) & 1) != 0;
    }
    // The bucket of a hash that hits the filter: the count of set bits
    // before its own, kept per filter word.
    std::uint32_t BucketIndexOf(std::uint32_t hash) const;
    bool IsFiltered(std::uint32_t stringIndex) const {
        return bucketsOfString_[stringIndex * kMaxStep] != kNoBucket;
    }

    // The strings of one length among the pair-scanned ones:
    // pairScanned_[begin, end).
    struct PairGroup {
        std::uint32_t length;
        std::uint32_t begin;
        std::uint32_t end;
    };

    void Build();
    void ChoosePairScanned(const std::vector<std::uint32_t>& searchable);

    std::vector<std::string_view> strings_;
    // The empty string sorts first, so when present it is strings_[0].
    bool hasEmptyString_ = false;
    // Strings that can be found inside a line: not empty, no CR LF in them.
    std::size_t searchableCount_ = 0;
    // A few short searchable strings, found by their first and last byte,
    // ordered by length; all others go through the filter.
    std::vector<std::uint32_t> pairScanned_;
    std::vector<PairGroup> pairGroups_;
    // Whether the pair scan may test bytes by class (the CPU has SSSE3).
    bool byteClasses_ = false;

    // The filter, over the strings not pair-scanned.
    std::size_t filteredCount_ = 0;
    std::size_t minFilteredLength_ = 0;
    std::size_t gramWidth_ = 0;
    std::size_t step_ = 1;
    std::uint32_t gramMask_ = 0;
    unsigned hashShift_ = 32;
    std::vector<FilterWord> filter_;
    std::vector<std::uint32_t> bucketsBefore_;  // set bits in the words before each
    std::vector<Bucket> buckets_;
    std::vector<Entry> entries_;
    // For each string, the buckets of its entries at offsets 0 to step-1.
    std::vector<std::uint32_t> bucketsOfString_;
};

// The set bits of a word. std::popcount is a library call where the target
// has no instruction for it (the 32-bit plug-in, plain x86-64).
inline std::uint32_t CountBits(std::uint32_t word) {
    word -= (word >> 1) & 0x55555555u;
    word = (word & 0x33333333u) + ((word >> 2) & 0x33333333u);
    word = (word + (word >> 4)) & 0x0F0F0F0Fu;
    return (word * 0x01010101u) >> 24;
}

inline std::uint32_t CheckIndex::BucketIndexOf(std::uint32_t hash) const {
    const FilterWord below =
        filter_[hash / kWordBits] & ((FilterWord{1} << (hash % kWordBits)) - 1);
    return bucketsBefore_[hash / kWordBits] + CountBits(below);
}

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
