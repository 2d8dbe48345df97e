#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "check/string_set.h"

namespace vorlent {

// The check strings compiled for a search of all of them in one pass over a
// body. Built once per set and only read by a send, so one index can serve
// every send. It keeps views into the set, which must outlive it.
//
// The pass looks at every step-th position of the body and takes the gram
// there: its next gram-width bytes. Every searchable string is at least
// step + width - 1 bytes long, so any occurrence has a sampled position among
// its first step bytes; the grams of each string at offsets 0 to step-1 go
// into a bitmap filter under a hash. A position whose gram hits the filter is
// a candidate; the entries of its hash say which strings to compare there and
// at what distance back they would start.
class CheckIndex {
  public:
    // One string's gram at one offset: the string may start `offset` bytes
    // before a sampled position whose gram hashes to `hash`.
    struct Entry {
        std::uint32_t hash;
        std::uint32_t offset;
        std::uint32_t string;  // position in Strings()
        std::uint32_t bucket;  // entries with the same hash share a bucket
    };

    explicit CheckIndex(const StringSet& checkStrings);

    // Every check string in the set's order; findings name strings by their
    // position here.
    const std::vector<std::string_view>& Strings() const { return strings_; }

    // The empty string sorts first, so when present it is Strings()[0].
    bool HasEmptyString() const { return hasEmptyString_; }

    // Strings that can be found inside a line: not empty, no CR LF in them.
    std::size_t SearchableCount() const { return searchableCount_; }
    std::size_t MinSearchableLength() const { return minLength_; }

    std::size_t GramWidth() const { return gramWidth_; }
    std::size_t Step() const { return step_; }
    std::uint32_t GramMask() const { return gramMask_; }
    std::uint32_t HashOf(std::uint32_t gram) const {
        return (gram * kHashMultiplier) >> hashShift_;
    }

    const std::vector<std::uint64_t>& Filter() const { return filter_; }
    // The entries whose hash falls in the same coarse slot as `hash`, sorted
    // by hash, then offset, then string.
    const Entry* SlotBegin(std::uint32_t hash) const {
        return entries_.data() + slotStart_[hash >> kSlotShift];
    }
    const Entry* SlotEnd(std::uint32_t hash) const {
        return entries_.data() + slotStart_[(hash >> kSlotShift) + 1];
    }
    const std::vector<Entry>& Entries() const { return entries_; }

    std::size_t BucketCount() const { return bucketHash_.size(); }
    std::uint32_t BucketHash(std::size_t bucket) const { return bucketHash_[bucket]; }
    std::uint32_t BucketSize(std::size_t bucket) const { return bucketSize_[bucket]; }
    // The buckets of string i's entries, one per offset 0 to Step()-1.
    const std::uint32_t* BucketsOf(std::size_t string) const {
        return stringBuckets_.data() + string * step_;
    }

    // Heap bytes the index holds beyond the set it views.
    std::size_t MemoryBytes() const;

  private:
    static constexpr std::uint32_t kHashMultiplier = 0x9E3779B1u;
    static constexpr unsigned kSlotShift = 4;

    void Build();

    std::vector<std::string_view> strings_;
    bool hasEmptyString_ = false;
    std::size_t searchableCount_ = 0;
    std::size_t minLength_ = 0;
    std::size_t gramWidth_ = 0;
    std::size_t step_ = 1;
    std::uint32_t gramMask_ = 0;
    unsigned hashShift_ = 32;
    std::vector<std::uint64_t> filter_;
    std::vector<Entry> entries_;
    std::vector<std::uint32_t> slotStart_;
    std::vector<std::uint32_t> bucketHash_;
    std::vector<std::uint32_t> bucketSize_;
    std::vector<std::uint32_t> stringBuckets_;
};

// The gram at `bytes`: up to four bytes, first byte lowest, whatever the
// machine's byte order, so a string and the body agree on it.
inline std::uint32_t LoadGram4(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

// As LoadGram4 for the last bytes of a text: missing bytes read as zero.
std::uint32_t LoadGramTail(const char* bytes, std::size_t available);

bool ContainsLineSeparator(std::string_view text);

}  // namespace vorlent
