// How the body is searched for all check strings in one pass.
//
// The prompts depend only on the first searched line of each check string, so
// the search reports, per string, the start of that line and nothing more;
// a string leaves the search once found. The body is searched in runs of
// whole lines of some KB: without ignore or stop prefixes a run simply ends
// at the first CR LF past 64 KB; with them the lines are walked,
// ignored ones are skipped, and the searched lines between form the runs.
// The end of a NUL-terminated body is looked for only a little ahead of the
// run being searched, so the body is read from memory once (body_text.h).
// A range is searched two ways at once. A few short strings (see CheckIndex)
// are each found by a scan for their first and last byte (byte_pair_scan.h).
// All others go through the index's filter: every step-th position of the
// range is sampled, the gram there (its next gram-width bytes) is hashed, and
// the hash's bit in a bitmap says whether any string has that gram at one of
// its first step offsets. Since every filtered string is at least
// step + width - 1 bytes long, each occurrence has a sampled position among
// its first step bytes, so no occurrence is missed. A hit names a bucket of
// entries, each a string and the distance back to where it would start; the
// first eight bytes kept in the entry turn most chance hits away, and only
// then are string and text compared. A match is refused where it reaches
// across a CR LF, since no line holds the separator; the line of a match is
// found by looking back for the CR LF before it, once for all matches.

#include "check/first_line_search.h"

#include <algorithm>
#include <array>
#include <utility>

#include "check/byte_pair_scan.h"
#include "check/byte_search.h"
#include "check/line_prefixes.h"
#include "check/line_range.h"

namespace vorlent {
namespace {

// Lines that begin with a prefix of a set. Such lines are rare and most lines
// begin with a byte no prefix begins with, so a table of first bytes settles
// most lines without a look at the set.
class LinePrefixTest {
  public:
    explicit LinePrefixTest(const StringSet& prefixes) : prefixes_(prefixes) {
        for (const ByteString& prefix : prefixes) {
            if (prefix.empty()) {
                matchesAll_ = true;
            } else {
                firstBytes_[static_cast<unsigned char>(prefix.front())] = true;
            }
        }
    }

    bool MatchesNone() const { return prefixes_.empty(); }
    // An empty prefix begins every line.
    bool MatchesAll() const { return matchesAll_; }

    bool Matches(std::string_view line) const {
        return !line.empty() && firstBytes_[static_cast<unsigned char>(line.front())] &&
               BeginsWithAny(line, prefixes_);
    }

  private:
    const StringSet& prefixes_;
    std::array<bool, 256> firstBytes_{};
    bool matchesAll_ = false;
};

// The start of the line around a position, for positions that only move
// forward: the separators between are looked at once in all.
class LineStartTracker {
  public:
    // `from` is where a line starts.
    LineStartTracker(const char* text, std::size_t from)
        : text_(text), scanned_(from), lineStart_(from) {}

    // `position` lies in the part of the text known so far.
    std::size_t LineStartOf(std::size_t position) {
        while (scanned_ < position) {
            const char* lf = FindByte(text_ + scanned_, position - scanned_, '\n');
            if (lf == nullptr) {
                scanned_ = position;
                break;
            }
            const std::size_t at = static_cast<std::size_t>(lf - text_);
            if (at > 0 && text_[at - 1] == '\r') {
                lineStart_ = at + 1;
            }
            scanned_ = at + 1;
        }
        return lineStart_;
    }

  private:
    const char* text_;
    std::size_t scanned_;
    std::size_t lineStart_;
};

// Where the first CR LF at or after `position` begins; npos when there is
// none before the end of the text, which is then all known.
std::size_t SeparatorFrom(BodyText& text, std::size_t position) {
    std::size_t lfFrom = position + 1;
    for (;;) {
        const std::string_view known = text.Known();
        const std::size_t separator = FindLineSeparator(known, lfFrom);
        if (separator != std::string_view::npos) {
            return separator;
        }
        if (text.Complete()) {
            return std::string_view::npos;
        }
        // Every LF before the end of what is known has been looked at.
        lfFrom = std::max(lfFrom, known.size());
        text.Through(lfFrom + 1);
    }
}

void Prefetch(const void* address) {
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    static_cast<void>(address);
#endif
}

std::uint64_t HeadMask(std::size_t bytes) {
    return bytes >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * bytes)) - 1;
}

// The body is searched in runs of whole lines of about this many bytes: the
// bytes of a run are still in the cache from finding its end, and a search
// that is done early stops reading early.
constexpr std::size_t kRunBytes = 16 * 1024;
// Without prefixes nothing is walked line by line, and longer runs cost less
// in starting and ending; 64 KB still stay in the second-level cache.
constexpr std::size_t kRunBytesWithoutPrefixes = 64 * 1024;
// Bytes known beyond a run's end let the last loads of a run read whole
// blocks instead of a byte at a time.
constexpr std::size_t kReadAheadBytes = 64;

}  // namespace

// The state of one send's search: which strings are still pending, and which
// buckets hold none any more, so that a string standing on every line costs
// a look at one bit after its first line, not a comparison.
class FirstLineSearch {
  public:
    FirstLineSearch(BodyText& body, const CheckIndex& index)
        : body_(body),
          text_(body.Known()),
          index_(index),
          nextCandidate_(index.filteredCount_ == 0 ? nullptr : NextCandidateFor(index.hashShift_)),
          pending_(index.searchableCount_),
          filteredPending_(index.filteredCount_),
          lines_(body.Known().data(), 0),
          pairLines_(body.Known().data(), 0) {
        PreparePairSets();
    }

    // Nothing to find: no string can stand in a line, and none is empty.
    bool FindsNothing() const { return pending_ == 0 && !index_.hasEmptyString_; }
    bool HasEmptyString() const { return index_.hasEmptyString_; }
    bool Done() const { return pending_ == 0; }
    std::vector<Finding> TakeFindings() { return std::move(findings_); }

    void FindEmptyString(std::size_t lineStart) { findings_.push_back({lineStart, 0}); }

    // Searches the bytes [begin, end): whole lines, separated by CR LF, all
    // known to lie before the end of the text. The range is read in chunks
    // small enough to stay in the first-level cache, each first by the
    // byte-pair scan and then by the filter.
    void SearchLines(std::size_t begin, std::size_t end) {
        text_ = body_.Through(end + kReadAheadBytes);
        filterPosition_ = begin;
        for (std::size_t chunk = begin; chunk < end && !Done(); chunk += kChunkBytes) {
            const std::size_t chunkEnd = std::min(end, chunk + kChunkBytes);
            SearchPairs(chunk, chunkEnd, end);
            SearchFiltered(chunkEnd, begin, end);
        }
    }

  private:
    using Entry = CheckIndex::Entry;

    // The hash's shift is a constant in the loop that tests samples, so that
    // loop is compiled once per shift the index can choose.
    static constexpr unsigned kMinShift = 32 - CheckIndex::kMaxHashBits;
    static constexpr unsigned kMaxShift = 32 - CheckIndex::kMinHashBits;
    static_assert((1u << CheckIndex::kMinHashBits) >= CheckIndex::kWordBits &&
                      CheckIndex::kMaxHashBits <= 32 &&
                      CheckIndex::kMinHashBits <= CheckIndex::kMaxHashBits,
                  "a filter of whole words, addressed by a 32-bit hash");
    using NextCandidateFunction = std::size_t (FirstLineSearch::*)(std::size_t, std::size_t) const;

    static NextCandidateFunction NextCandidateFor(unsigned shift);
    template <std::size_t... kOffsets>
    static constexpr std::array<NextCandidateFunction, sizeof...(kOffsets)> NextCandidateTable(
        std::index_sequence<kOffsets...>);

    bool IsFound(std::uint32_t stringIndex) const { return !found_.empty() && found_[stringIndex]; }

    // The byte pairs of the pair-scanned strings not found yet, one set per
    // length.
    void PreparePairSets() {
        pairSetCount_ = 0;
        for (std::size_t group = 0; group < index_.pairGroups_.size(); ++group) {
            const CheckIndex::PairGroup& strings = index_.pairGroups_[group];
            BytePairSet pairs;
            pairs.distance = strings.length - 1;
            for (std::uint32_t i = strings.begin; i < strings.end; ++i) {
                const std::uint32_t stringIndex = index_.pairScanned_[i];
                if (!IsFound(stringIndex)) {
                    const std::string_view checkString = index_.strings_[stringIndex];
                    pairs.Add(checkString.front(), checkString.back());
                }
            }
            if (pairs.firstCount != 0) {
                pairSetGroups_[pairSetCount_] = group;
                pairSets_[pairSetCount_++] = pairs;
            }
        }
        pairsByClass_ = index_.byteClasses_ && ByteClassesPayOff(pairSets_, pairSetCount_);
    }

    // Looks for the pair-scanned strings that start in [from, chunkEnd).
    void SearchPairs(std::size_t from, std::size_t chunkEnd, std::size_t end) {
        if (pairSetCount_ == 0) {
            return;
        }
        // The sets are in order of length: the first holds the shortest.
        const std::size_t shortest = pairSets_[0].distance + 1;
        if (end - from < shortest) {
            return;
        }
        const std::size_t to = std::min(chunkEnd - 1, end - shortest);
        for (std::size_t position = from; pairSetCount_ != 0 && position <= to;) {
            position = ScanBytePairs<CheckIndex::kMaxPairScanned>(
                text_.data(), position, to, text_.size(), pairSets_, pairSetCount_, pairsByClass_,
                [&](std::size_t set, std::size_t start) {
                    return !FoundPairScanned(pairSetGroups_[set], start, end);
                });
        }
    }

    // Compares the strings of one length at a candidate; true when one was
    // found there, and the pair sets have changed.
    bool FoundPairScanned(std::size_t group, std::size_t start, std::size_t end) {
        const CheckIndex::PairGroup& strings = index_.pairGroups_[group];
        if (start + strings.length > end) {
            return false;
        }
        bool found = false;
        for (std::uint32_t i = strings.begin; i < strings.end; ++i) {
            const std::uint32_t stringIndex = index_.pairScanned_[i];
            const std::string_view checkString = index_.strings_[stringIndex];
            if (!IsFound(stringIndex) &&
                text_.compare(start, checkString.size(), checkString) == 0 &&
                !StraddlesSeparator(checkString, start)) {
                Found(stringIndex, pairLines_.LineStartOf(start));
                found = true;
            }
        }
        if (found) {
            PreparePairSets();
        }
        return found;
    }

    // Tests the filter at the sampled positions from filterPosition_ on,
    // short of chunkEnd, for strings that lie in [begin, end).
    void SearchFiltered(std::size_t chunkEnd, std::size_t begin, std::size_t end) {
        if (filteredPending_ == 0 || end - begin < index_.minFilteredLength_) {
            return;
        }
        const std::size_t step = index_.step_;
        const std::size_t limit = std::min(chunkEnd, end - index_.gramWidth_ + 1);
        // Four bytes can be loaded at once up to here; after it the gram is
        // put together from what is left.
        const std::size_t wholeLoadsEnd = text_.size() >= 4 ? std::min(limit, text_.size() - 3) : 0;
        // Candidates are gathered a batch at a time and what they need next
        // fetched ahead, first the count of buckets before their filter word,
        // then their bucket, so that the cache misses of a batch overlap
        // instead of each stalling the search in turn.
        std::array<std::pair<std::size_t, std::uint32_t>, kCandidateBatch> batch;
        std::size_t batched = 0;
        std::size_t position = filterPosition_;
        for (;;) {
            if (position < wholeLoadsEnd) {
                position = (this->*nextCandidate_)(position, wholeLoadsEnd);
            }
            const bool more = position < wholeLoadsEnd;
            if (more) {
                const std::uint32_t gram = LoadGram4(text_.data() + position) & index_.gramMask_;
                const std::uint32_t hash = CheckIndex::HashGram(gram, index_.hashShift_);
                Prefetch(index_.bucketsBefore_.data() + hash / CheckIndex::kWordBits);
                batch[batched++] = {position, hash};
                position += step;
            }
            if (batched == batch.size() || (!more && batched != 0)) {
                for (std::size_t i = 0; i < batched; ++i) {
                    batch[i].second = index_.BucketIndexOf(batch[i].second);
                    Prefetch(&index_.buckets_[batch[i].second]);
                }
                for (std::size_t i = 0; i < batched; ++i) {
                    OnCandidate(batch[i].first, batch[i].second, begin, end);
                    if (filteredPending_ == 0) {
                        return;
                    }
                }
                batched = 0;
            }
            if (!more) {
                break;
            }
        }
        for (; position < limit; position += step) {
            const std::uint32_t gram =
                LoadGramTail(text_.data() + position, text_.size() - position);
            const std::uint32_t hash =
                CheckIndex::HashGram(gram & index_.gramMask_, index_.hashShift_);
            if (CheckIndex::Hits(index_.filter_.data(), hash)) {
                OnCandidate(position, index_.BucketIndexOf(hash), begin, end);
                if (filteredPending_ == 0) {
                    return;
                }
            }
        }
        filterPosition_ = position;
    }

    // The first sampled position from `position` on, short of `limit`, whose
    // gram hits the filter; `limit` if none. All the time of a search that
    // finds nothing is spent here: everything it needs is in registers, and
    // four samples are tested before each branch.
    template <unsigned kShift>
    std::size_t NextCandidateWithShift(std::size_t position, std::size_t limit) const {
        const char* const data = text_.data();
        const CheckIndex::FilterWord* const filter = index_.filter_.data();
        const std::uint32_t mask = index_.gramMask_;
        const std::size_t step = index_.step_;
        // Bit or, not logical or: the four tests run without a branch between.
        const auto hits = [=](std::size_t at) -> unsigned {
            return CheckIndex::Hits(filter,
                                    CheckIndex::HashGram(LoadGram4(data + at) & mask, kShift));
        };
        while (position + 3 * step < limit) {
            if (hits(position) | hits(position + step) | hits(position + 2 * step) |
                hits(position + 3 * step)) {
                break;
            }
            position += 4 * step;
        }
        for (; position < limit; position += step) {
            if (hits(position)) {
                return position;
            }
        }
        return limit;
    }

    static constexpr std::size_t kCandidateBatch = 16;
    static constexpr std::size_t kChunkBytes = 16 * 1024;
    static_assert(BytePairSet::kMaxBytes >= CheckIndex::kMaxPairScanned,
                  "room in a set for the bytes of every pair-scanned string");

    // Groups of up to this many strings are compared one by one; larger ones
    // (strings sharing a long beginning) are narrowed byte by byte instead.
    static constexpr std::ptrdiff_t kCompareEachLimit = 4;

    void OnCandidate(std::size_t position, std::uint32_t bucketIndex, std::size_t begin,
                     std::size_t end) {
        if (!bucketEmptied_.empty() && bucketEmptied_[bucketIndex]) {
            return;
        }
        const CheckIndex::Bucket& bucket = index_.buckets_[bucketIndex];
        if (bucket.count == 1) {
            if (position - begin >= bucket.first.offset) {
                CompareAt(position - bucket.first.offset, end, &bucket.first, &bucket.first + 1,
                          position);
            }
            return;
        }
        const Entry* entry = index_.entries_.data() + bucket.start;
        const Entry* const bucketEnd = entry + bucket.count;
        while (entry != bucketEnd) {
            const Entry* group = entry;
            while (entry != bucketEnd && entry->offset == group->offset) {
                ++entry;
            }
            if (position - begin >= group->offset) {
                CompareAt(position - group->offset, end, group, entry, position);
            }
        }
    }

    std::string_view StringOf(const Entry* entry) const {
        return index_.strings_[entry->stringIndex];
    }

    // Finds which strings of [first, last) (in byte order) stand at `start`.
    void CompareAt(std::size_t start, std::size_t end, const Entry* first, const Entry* last,
                   std::size_t position) {
        const std::string_view rest = text_.substr(start, end - start);
        // The first eight bytes settle most chance hits without reading the
        // strings; near the end of the text they are put together.
        const std::uint64_t head =
            rest.size() >= 8 ? LoadHead8(rest.data()) : LoadHead(rest.data(), rest.size());
        const std::uint64_t groupMask = HeadMask(first->groupHeadBytes);
        if ((head & groupMask) != (first->head & groupMask)) {
            return;
        }
        if (last - first <= kCompareEachLimit) {
            for (; first != last; ++first) {
                const std::uint64_t mask = HeadMask(first->headBytes);
                if ((head & mask) == first->head && rest.starts_with(StringOf(first))) {
                    OnMatch(*first, start, position);
                }
            }
            return;
        }
        // The strings of a large group mostly share a long beginning (names
        // of one company, say): that of the first and the last, as they are
        // in byte order. Once `rest` is known to begin with it too, the
        // narrowing starts after it.
        const std::string_view lowest = StringOf(first);
        const std::string_view highest = StringOf(last - 1);
        const std::size_t shared = static_cast<std::size_t>(
            std::mismatch(lowest.begin(), lowest.begin() + std::min(lowest.size(), highest.size()),
                          highest.begin())
                .first -
            lowest.begin());
        if (rest.compare(0, shared, lowest, 0, shared) != 0) {
            return;
        }
        // All strings left in [first, last) agree with `rest` on `depth` bytes;
        // a string of just that length is a match and sorts first.
        for (std::size_t depth = shared; first != last; ++depth) {
            if (StringOf(first).size() == depth) {
                OnMatch(*first, start, position);
                ++first;
            }
            if (depth == rest.size() || first == last) {
                return;
            }
            const auto byte = static_cast<unsigned char>(rest[depth]);
            first = std::partition_point(first, last, [&](const Entry& e) {
                return static_cast<unsigned char>(StringOf(&e)[depth]) < byte;
            });
            last = std::partition_point(first, last, [&](const Entry& e) {
                return static_cast<unsigned char>(StringOf(&e)[depth]) == byte;
            });
        }
    }

    void OnMatch(const Entry& entry, std::size_t start, std::size_t position) {
        if (!IsFound(entry.stringIndex) &&
            !StraddlesSeparator(index_.strings_[entry.stringIndex], start)) {
            Found(entry.stringIndex, lines_.LineStartOf(position));
        }
    }

    void Found(std::uint32_t stringIndex, std::size_t lineStart) {
        if (found_.empty()) {
            BeginRemoving();
        }
        found_[stringIndex] = true;
        findings_.push_back({lineStart, stringIndex});
        --pending_;
        if (!index_.IsFiltered(stringIndex)) {
            return;
        }
        --filteredPending_;
        const std::uint32_t* buckets =
            index_.bucketsOfString_.data() + stringIndex * CheckIndex::kMaxStep;
        for (std::size_t offset = 0; offset < index_.step_; ++offset) {
            if (--bucketPending_[buckets[offset]] == 0) {
                bucketEmptied_[buckets[offset]] = true;
            }
        }
    }

    // Lines end before their CR LF, but a search across several lines sees
    // it: a string that begins with the LF or ends with the CR of a separator
    // would be reaching into the next or the previous line.
    bool StraddlesSeparator(std::string_view checkString, std::size_t start) const {
        const std::size_t after = start + checkString.size();
        return (checkString.front() == '\n' && start > 0 && text_[start - 1] == '\r') ||
               (checkString.back() == '\r' && after < text_.size() && text_[after] == '\n');
    }

    // The first found string sets up what tracks the pending ones; a send
    // that finds nothing allocates nothing here.
    void BeginRemoving() {
        const std::size_t bucketCount = index_.buckets_.size();
        found_.assign(index_.strings_.size(), false);
        bucketEmptied_.assign(bucketCount, false);
        bucketPending_.resize(bucketCount);
        for (std::size_t bucket = 0; bucket < bucketCount; ++bucket) {
            bucketPending_[bucket] = index_.buckets_[bucket].count;
        }
    }

    BodyText& body_;
    // What is known of the body: every byte here may be read.
    std::string_view text_;
    const CheckIndex& index_;
    NextCandidateFunction nextCandidate_;
    std::size_t pending_;
    std::size_t filteredPending_;
    LineStartTracker lines_;
    LineStartTracker pairLines_;
    std::size_t filterPosition_ = 0;
    std::array<BytePairSet, CheckIndex::kMaxPairScanned> pairSets_;
    std::array<std::size_t, CheckIndex::kMaxPairScanned> pairSetGroups_{};
    std::size_t pairSetCount_ = 0;
    bool pairsByClass_ = false;
    std::vector<Finding> findings_;
    std::vector<bool> found_;
    std::vector<std::uint32_t> bucketPending_;
    std::vector<bool> bucketEmptied_;
};

template <std::size_t... kOffsets>
constexpr std::array<FirstLineSearch::NextCandidateFunction, sizeof...(kOffsets)>
FirstLineSearch::NextCandidateTable(std::index_sequence<kOffsets...>) {
    return {&FirstLineSearch::NextCandidateWithShift<kMinShift + kOffsets>...};
}

FirstLineSearch::NextCandidateFunction FirstLineSearch::NextCandidateFor(unsigned shift) {
    // One loop for every shift from kMinShift to kMaxShift: no width the
    // index can choose is left without its loop.
    static constexpr auto kByShift =
        NextCandidateTable(std::make_index_sequence<kMaxShift - kMinShift + 1>());
    return kByShift[shift - kMinShift];
}

std::vector<Finding> FindFirstLines(BodyText text, const CheckIndex& index,
                                    const StringSet& ignorePrefixes,
                                    const StringSet& stopPrefixes) {
    const LinePrefixTest ignore(ignorePrefixes);
    const LinePrefixTest stop(stopPrefixes);
    FirstLineSearch search(text, index);
    // An empty stop prefix stops at the first line, before anything is searched.
    if (ignore.MatchesAll() || stop.MatchesAll() || search.FindsNothing()) {
        return {};
    }
    if (ignore.MatchesNone() && stop.MatchesNone()) {
        if (search.HasEmptyString()) {
            search.FindEmptyString(0);
        }
        for (std::size_t runBegin = 0; !search.Done();) {
            const std::size_t separator = SeparatorFrom(text, runBegin + kRunBytesWithoutPrefixes);
            if (separator == std::string_view::npos) {
                search.SearchLines(runBegin, text.Known().size());
                break;
            }
            search.SearchLines(runBegin, separator);
            runBegin = separator + 2;
        }
        return search.TakeFindings();
    }

    // The lines are walked up to the stop line, if any: nothing after it is
    // searched. Searched lines are gathered into runs, which end at an ignored
    // line, at the stop line, or when they have grown to kRunBytes.
    bool emptyStringPending = search.HasEmptyString();
    bool runOpen = false;
    std::size_t runBegin = 0;
    std::size_t runEnd = 0;
    for (std::size_t lineBegin = 0;;) {
        const std::size_t separator = SeparatorFrom(text, lineBegin);
        const std::size_t lineEnd =
            separator == std::string_view::npos ? text.Known().size() : separator;
        const std::string_view line = text.Known().substr(lineBegin, lineEnd - lineBegin);
        if (stop.Matches(line)) {
            break;
        }
        if (ignore.Matches(line)) {
            if (runOpen) {
                search.SearchLines(runBegin, runEnd);
                runOpen = false;
            }
        } else {
            if (emptyStringPending) {
                search.FindEmptyString(lineBegin);
                emptyStringPending = false;
            }
            if (!runOpen) {
                runBegin = lineBegin;
                runOpen = true;
            }
            runEnd = lineEnd;
            if (runEnd - runBegin >= kRunBytes) {
                search.SearchLines(runBegin, runEnd);
                runOpen = false;
            }
        }
        if ((search.Done() && !emptyStringPending) || separator == std::string_view::npos) {
            break;
        }
        lineBegin = separator + 2;
    }
    if (runOpen) {
        search.SearchLines(runBegin, runEnd);
    }
    return search.TakeFindings();
}

}  // namespace vorlent
