#include "check/check_index.h"

#include <algorithm>
#include <bit>
#include <tuple>

namespace vorlent {
namespace {

constexpr std::size_t kMaxGramWidth = 4;
// Sampling every step-th position saves work in proportion, but each string
// adds one entry per offset; past this many entries the filter would fill up.
constexpr std::size_t kMaxStep = 8;
constexpr std::size_t kEntryBudgetForSteps = 4096;
// About one bit in 2^kFilterSparseness set keeps chance hits rare; the cap
// keeps the filter within the first-level data cache.
constexpr unsigned kFilterSparseness = 5;
constexpr unsigned kMinHashBits = 6;
constexpr unsigned kMaxHashBits = 17;

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
            minLength_ = searchable.size() == 1 ? strings_[i].size()
                                                : std::min(minLength_, strings_[i].size());
        }
    }
    searchableCount_ = searchable.size();
    if (searchable.empty()) {
        return;
    }

    gramWidth_ = std::min(minLength_, kMaxGramWidth);
    gramMask_ = gramWidth_ == 4 ? 0xFFFFFFFFu : (std::uint32_t{1} << (8 * gramWidth_)) - 1;
    const std::size_t stepBudget =
        std::max<std::size_t>(1, kEntryBudgetForSteps / searchable.size());
    step_ = std::min({minLength_ - gramWidth_ + 1, kMaxStep, stepBudget});

    const std::size_t entryCount = searchable.size() * step_;
    const unsigned hashBits = std::clamp<unsigned>(std::bit_width(entryCount) + kFilterSparseness,
                                                   kMinHashBits, kMaxHashBits);
    hashShift_ = 32 - hashBits;

    entries_.reserve(entryCount);
    for (const std::uint32_t string : searchable) {
        for (std::size_t offset = 0; offset < step_; ++offset) {
            const std::uint32_t gram = LoadGram(strings_[string].data() + offset, gramWidth_);
            entries_.push_back({HashOf(gram), static_cast<std::uint32_t>(offset), string, 0});
        }
    }
    // Sorted by string within a hash and offset, the strings to compare at one
    // start are in byte order, so shared beginnings can be walked once.
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.hash, a.offset, a.string) < std::tie(b.hash, b.offset, b.string);
    });

    const std::size_t hashCount = std::size_t{1} << hashBits;
    filter_.assign(std::max<std::size_t>(1, hashCount / 64), 0);
    slotStart_.assign((hashCount >> kSlotShift) + 2, 0);
    stringBuckets_.assign(strings_.size() * step_, 0);
    for (Entry& entry : entries_) {
        if (bucketHash_.empty() || bucketHash_.back() != entry.hash) {
            bucketHash_.push_back(entry.hash);
            bucketSize_.push_back(0);
        }
        entry.bucket = static_cast<std::uint32_t>(bucketHash_.size() - 1);
        ++bucketSize_.back();
        filter_[entry.hash / 64] |= std::uint64_t{1} << (entry.hash % 64);
        ++slotStart_[(entry.hash >> kSlotShift) + 1];
        stringBuckets_[entry.string * step_ + entry.offset] = entry.bucket;
    }
    for (std::size_t slot = 1; slot < slotStart_.size(); ++slot) {
        slotStart_[slot] += slotStart_[slot - 1];
    }
}

std::size_t CheckIndex::MemoryBytes() const {
    return strings_.capacity() * sizeof(std::string_view) +
           filter_.capacity() * sizeof(std::uint64_t) + entries_.capacity() * sizeof(Entry) +
           (slotStart_.capacity() + bucketHash_.capacity() + bucketSize_.capacity() +
            stringBuckets_.capacity()) *
               sizeof(std::uint32_t);
}

}  // namespace vorlent
